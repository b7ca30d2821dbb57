#pragma once

#include "report_engine/model/FormatData.h"
#include "report_engine/model/View.h"
#include "report_engine/text/DrawText.h"

#include <QStringList>

class TfrxRunContext;

enum class TfrxHAlign { haLeft, haRight, haCenter, haBlock };
enum class TfrxVAlign { vaTop, vaBottom, vaCenter };

// A text object: its template text becomes, per output, the text of a data field
// or the text with its [...] expressions expanded; its height follows the wrapped text.
class TfrxCustomMemoView : public TfrxStretcheable {
public:
    TfrxCustomMemoView* asMemo() override { return this; }
    void writeProperties(TfrxPropertyList& list) const override;
    bool readProperty(const QString& name, const QString& value) override;

    void BeforePrint();
    void GetData(TfrxRunContext& context);
    void AfterPrint();
    double CalcHeight() override;

    // Width of the text rectangle inside frame and gaps, in report units.
    double TextWidth() const;
    // The text as wrapped for output, one entry per line.
    QStringList WrappedLines() const;
    // The same lines with the marks of where paragraphs begin and end.
    QVector<TfrxTextLine> WrappedText() const;
    double LineHeight() const;
    // Height of an object showing the given number of lines.
    double HeightForLines(int lines) const;
    bool IsDataField() const { return DataSet && !DataField.isEmpty(); }

    QString Text; // lines separated by CR LF
    bool AllowExpressions = true;
    QString ExpressionDelimiters = QStringLiteral("[,]");
    TfrxFormat DisplayFormat;
    TfrxHAlign HAlign = TfrxHAlign::haLeft;
    TfrxVAlign VAlign = TfrxVAlign::vaTop;
    bool WordWrap = true;
    bool WordBreak = false;
    double GapX = 2;
    double GapY = 1;
    double LineSpacing = 2;
    double CharSpacing = 0;
    double ParagraphGap = 0;
    bool Clipped = true;
    bool Wysiwyg = true;
    bool AllowHTMLTags = false;
    bool HideZeros = false;
    bool SuppressRepeated = false;
    bool AutoWidth = false;
    int Rotation = 0;

private:
    QString FSavedText;
    double FSavedLeft = 0;
    double FSavedTop = 0;
    double FSavedWidth = 0;
    double FSavedHeight = 0;
};

class TfrxMemoView : public TfrxCustomMemoView {
public:
    QString ClassName() const override { return QStringLiteral("TfrxMemoView"); }
    std::unique_ptr<TfrxComponent> cloneAlone() const override {
        return std::make_unique<TfrxMemoView>(*this);
    }
};

// Shows system variables; behaves exactly as a text object.
class TfrxSysMemoView : public TfrxCustomMemoView {
public:
    QString ClassName() const override { return QStringLiteral("TfrxSysMemoView"); }
    std::unique_ptr<TfrxComponent> cloneAlone() const override {
        return std::make_unique<TfrxSysMemoView>(*this);
    }
};
