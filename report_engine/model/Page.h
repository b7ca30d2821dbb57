#pragma once

#include "report_engine/model/Component.h"

#include <QStringList>

class TfrxBand;

class TfrxPage : public TfrxComponent {};

// Holds the non-visual components of a template; always empty here.
class TfrxDataPage : public TfrxPage {
public:
    QString ClassName() const override { return QStringLiteral("TfrxDataPage"); }
    std::unique_ptr<TfrxComponent> cloneAlone() const override {
        return std::make_unique<TfrxDataPage>(*this);
    }
};

enum class TfrxOrientation { poPortrait, poLandscape };

// A printable page: paper in millimetres, its bands as children.
class TfrxReportPage : public TfrxPage {
public:
    TfrxReportPage();
    QString ClassName() const override { return QStringLiteral("TfrxReportPage"); }
    std::unique_ptr<TfrxComponent> cloneAlone() const override {
        return std::make_unique<TfrxReportPage>(*this);
    }
    void writeProperties(TfrxPropertyList& list) const override;
    bool readProperty(const QString& name, const QString& value) override;

    int PaperSize() const { return FPaperSize; }
    void SetPaperSize(int size);
    double PaperWidth() const { return FPaperWidth; }
    double PaperHeight() const { return FPaperHeight; }
    void SetPaperWidth(double mm);
    void SetPaperHeight(double mm);
    TfrxOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TfrxOrientation orientation);

    // The printable area in report units.
    double PrintableWidth() const;
    double PrintableHeight() const;
    // The first band of the given class number, or none.
    TfrxBand* FindBand(int bandNumber) const;

    double LeftMargin = 10;
    double RightMargin = 10;
    double TopMargin = 10;
    double BottomMargin = 10;
    bool TitleBeforeHeader = true;
    bool PrintIfEmpty = true;
    int PageCount = 1;
    QString DataSetName;
    QString VGuides;
    QString HGuides;

private:
    void updateSize();

    int FPaperSize = 9;
    double FPaperWidth = 210;
    double FPaperHeight = 297;
    TfrxOrientation FOrientation = TfrxOrientation::poPortrait;
};
