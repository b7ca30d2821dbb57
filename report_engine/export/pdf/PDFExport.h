#pragma once

#include "report_engine/export/common/ExportFilter.h"
#include "report_engine/export/pdf/PDFContent.h"
#include "report_engine/export/pdf/PDFEncryption.h"
#include "report_engine/export/pdf/PDFFont.h"
#include "report_engine/export/pdf/PDFStreamQueue.h"

#include <QByteArray>
#include <QByteArrayView>
#include <deque>
#include <memory>
#include <string>
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
    // A page whose content is being compressed on another thread; its page
    // object follows the content object once that is ready.
    struct TPendingPage {
        int Page = 0;
        QByteArray Dictionary;
    };

    // the file's objects
    void line(QByteArrayView text);
    int reserveObject();
    void startObject(int number);
    int newObject();
    qint64 position() const { return FFlushed + FOut.size(); }
    void flush();
    QByteArray streamData(int object, QByteArrayView data) const;
    void writeStream(QByteArrayView data);
    void writeStreamObject(int object, const QByteArray& ready);

    // a page's content
    void writeFrame(const TfrxCustomMemoView& memo);
    void writeText(const TfrxCustomMemoView& memo);
    void writeGlyphs(const TfrxGlyphRun& glyphs, const QString& line, double spacePush);
    void writeRule(double x, double y, double width, int size, QRgb rgb);
    void writeColour(QRgb rgb);
    TfrxPDFFont& fontFor(const TfrxFont& font);
    QByteArray pageDictionary(int content) const;
    void writeReadyPages(bool wait);

    // the sections Finish writes
    void writeFont(TfrxPDFFont& font);
    int writeFontFile(const TfrxPDFFont& font);
    int writeFontDescriptor(const TfrxPDFFont& font, const QByteArray& name, int fontFile);
    int writeUnicodeMap(const TfrxPDFFont& font);
    int writeSystemInfo();
    int writeDescendantFont(const TfrxPDFFont& font, const QByteArray& name, int systemInfo, int descriptor);
    void writeFontObject(const TfrxPDFFont& font, const QByteArray& name, int descendant, int unicode);
    void writePageTree();
    int writeInfo();
    int writeEncryption();
    int writeCatalog();
    void writeCrossReference();
    void writeTrailer(qint64 crossReference, int catalog, int info, int encryption);
    QByteArray infoText(const QString& text, int object) const;
    QByteArray infoString(const QByteArray& text, int object) const;
    double X(double x) const { return x * 0.75 + FMarginLeft; }
    double Y(double y) const { return FPageHeight - FMarginTop - y * 0.75; }

    TfrxPDFContent FOut; // the file's bytes not handed to the output yet
    qint64 FFlushed = 0;
    std::vector<qint64> FXRef; // per object number - 1: where it starts
    std::vector<int> FPagesRef;
    std::vector<std::unique_ptr<TfrxPDFFont>> FFonts;
    TfrxPDFContent FContent;
    std::unique_ptr<TfrxPDFStreamQueue> FStreams;
    std::deque<TPendingPage> FPendingPages;
    QByteArray FFileID;
    QRgb FLastColour = 0;
    std::string FLastColourText;
    std::unique_ptr<TfrxPDFEncryption> FEncryption;
    double FPageWidth = 0;
    double FPageHeight = 0;
    double FMarginLeft = 0;
    double FMarginTop = 0;
};
