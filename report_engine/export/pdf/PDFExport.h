#pragma once

#include "report_engine/export/common/ExportFilter.h"
#include "report_engine/export/pdf/PDFEncryption.h"
#include "report_engine/export/pdf/PDFFont.h"

#include <QByteArray>
#include <QByteArrayView>
#include <initializer_list>
#include <memory>
#include <vector>

class TfrxCustomMemoView;

// Writes prepared pages as a PDF 1.5 file: each text object a clipped block of
// lines in a composite TrueType font (glyph indices with a Unicode map, so the
// text can be found and copied), each frame side a stroked line.
class TfrxPDFExport : public TfrxCustomExportFilter {
public:
    TfrxPDFExport();
    ~TfrxPDFExport() override;

    QString GetDescription() const override { return QStringLiteral("Adobe PDF file"); }
    bool ShowModal() override;
    bool Start() override;
    void StartPage(const TfrxReportPage& page, int index) override;
    void ExportObject(const TfrxComponent& object) override;
    void FinishPage(const TfrxReportPage& page, int index) override;
    void Finish() override;

    bool Compressed = true;
    bool OpenAfterExport = false;
    // Kept for the dialog. Fonts are embedded whatever EmbeddedFonts says (the
    // text is written as glyph numbers of our face); the others concern pictures,
    // outlines and archive files, which the program's reports do not have.
    bool EmbeddedFonts = false;
    bool PdfA = false;
    bool PrintOptimized = false;
    bool Outline = false;
    bool Background = false;
    bool Transparency = false;
    bool HTMLTags = true;
    int Quality = 95;
    QString Title;
    QString Author = QStringLiteral("Zelvora");
    QString Subject = QStringLiteral("Zelvora PDF export");
    QString Keywords;
    QString Creator;
    QString Producer;
    bool HideToolbar = false;
    bool HideMenubar = false;
    bool HideWindowUI = false;
    bool FitWindow = false;
    bool CenterWindow = false;
    bool PrintScaling = false;
    // Either password switches encryption on.
    QString OwnerPassword;
    QString UserPassword;
    enum TProtection { ePrint = 1, eModify = 2, eCopy = 4, eAnnot = 8 };
    int ProtectionFlags = ePrint | eModify | eCopy | eAnnot;

protected:
    bool takeSetting(const QString& name, const QString& value) override;

private:
    void line(const QByteArray& text);
    // Appends to the page's content without joining the parts first.
    void put(std::initializer_list<QByteArrayView> parts);
    int reserveObject();
    void startObject(int number);
    int newObject();
    void writeStream(const QByteArray& data);
    void writeText(const TfrxCustomMemoView& memo);
    void writeFrame(const TfrxCustomMemoView& memo);
    void writeRule(double x, double y, double width, int size, QRgb rgb);
    QByteArray colour(QRgb rgb);
    void writeFont(TfrxPDFFont& font);
    TfrxPDFFont& fontFor(const TfrxFont& font);
    QByteArray infoText(const QString& text, int object) const;
    QByteArray infoString(const QByteArray& text, int object) const;
    double X(double x) const { return x * 0.75 + FMarginLeft; }
    double Y(double y) const { return FPageHeight - FMarginTop - y * 0.75; }

    qint64 FPosition = 0;
    std::vector<qint64> FXRef; // per object number - 1: where it starts
    std::vector<int> FPagesRef;
    std::vector<std::unique_ptr<TfrxPDFFont>> FFonts;
    QByteArray FContent;
    QByteArray FFileID;
    int FCurrentObject = 0;
    QRgb FLastColour = 0;
    QByteArray FLastColourText;
    std::unique_ptr<TfrxPDFEncryption> FEncryption;
    double FPageWidth = 0;
    double FPageHeight = 0;
    double FMarginLeft = 0;
    double FMarginTop = 0;
};
