#include "report_engine/export/pdf/PDFExport.h"

#include "report_engine/base/EngineUi.h"
#include "report_engine/base/ReportError.h"
#include "report_engine/export/pdf/PDFDeflate.h"
#include "report_engine/model/Component.h"
#include "report_engine/model/MemoView.h"
#include "report_engine/model/Page.h"
#include "report_engine/text/TextLayout.h"

#include <QCryptographicHash>
#include <QUuid>

TfrxPDFExport::TfrxPDFExport() = default;

// The compressing threads read the settings and the encryption, so they end first.
TfrxPDFExport::~TfrxPDFExport() {
    FStreams.reset();
}

bool TfrxPDFExport::takeSetting(const QString& name, const QString& value) {
    if (name == QLatin1String("ProtectionFlags")) {
        const std::pair<const char*, int> flags[] = {
            {"ePrint", ePrint}, {"eModify", eModify}, {"eCopy", eCopy}, {"eAnnot", eAnnot}};
        ProtectionFlags = 0;
        for (const auto& [flagName, bit] : flags)
            if (value.split(QLatin1Char(',')).contains(QLatin1String(flagName)))
                ProtectionFlags |= bit;
        return true;
    }
    QString* const texts[] = {&Title,   &Author,   &Subject,       &Keywords,
                              &Creator, &Producer, &OwnerPassword, &UserPassword};
    const char* const textNames[] = {"Title",   "Author",   "Subject",       "Keywords",
                                     "Creator", "Producer", "OwnerPassword", "UserPassword"};
    for (size_t i = 0; i < std::size(textNames); ++i)
        if (name == QLatin1String(textNames[i])) {
            *texts[i] = value;
            return true;
        }
    if (name == QLatin1String("Quality")) {
        Quality = frxProp::toInt(value);
        return true;
    }
    return takeFlag(name, value,
                    {{"Compressed", &Compressed},
                     {"EmbeddedFonts", &EmbeddedFonts},
                     {"PdfA", &PdfA},
                     {"PrintOptimized", &PrintOptimized},
                     {"Outline", &Outline},
                     {"Background", &Background},
                     {"Transparency", &Transparency},
                     {"HTMLTags", &HTMLTags},
                     {"OpenAfterExport", &OpenAfterExport},
                     {"HideToolbar", &HideToolbar},
                     {"HideMenubar", &HideMenubar},
                     {"HideWindowUI", &HideWindowUI},
                     {"FitWindow", &FitWindow},
                     {"CenterWindow", &CenterWindow},
                     {"PrintScaling", &PrintScaling}}) ||
           TfrxCustomExportFilter::takeSetting(name, value);
}

// A caller's stream needs no file, and so no dialog either.
bool TfrxPDFExport::ShowModal() {
    TfrxEngineUi* ui = TfrxEngineUi::installed();
    return Stream || !ui || ui->pdfExportDialog(*this);
}

void TfrxPDFExport::line(QByteArrayView text) {
    FOut << text << "\r\n";
}

// The file's bytes go out in large pieces; a page's objects are a few hundred bytes.
void TfrxPDFExport::flush() {
    constexpr size_t Piece = 1 << 16;
    if (FOut.bytes().size() < Piece)
        return;
    write(QByteArray::fromRawData(FOut.bytes().data(), FOut.size()));
    FFlushed += FOut.size();
    FOut.clear();
}

// Object numbers are handed out in order; a reserved one gets its place when written.
int TfrxPDFExport::reserveObject() {
    FXRef.push_back(0);
    return static_cast<int>(FXRef.size());
}

void TfrxPDFExport::startObject(int number) {
    FXRef[static_cast<size_t>(number - 1)] = position();
    FOut.integer(number) << " 0 obj\r\n";
}

int TfrxPDFExport::newObject() {
    const int number = reserveObject();
    startObject(number);
    return number;
}

// A file that cannot be created ends the export with an error.
bool TfrxPDFExport::Start() {
    FStreams.reset();
    FPendingPages.clear();
    if (!openOutput())
        return false;
    FXRef.clear();
    FPagesRef.clear();
    FFonts.clear();
    FOut.clear();
    FFlushed = 0;
    FFileID =
        QCryptographicHash::hash(QUuid::createUuid().toString().toLatin1(), QCryptographicHash::Md5).toHex();
    FEncryption.reset();
    if (!OwnerPassword.isEmpty() || !UserPassword.isEmpty())
        FEncryption = std::make_unique<TfrxPDFEncryption>(OwnerPassword, UserPassword, ProtectionFlags,
                                                          QByteArray::fromHex(FFileID));
    FStreams = std::make_unique<TfrxPDFStreamQueue>(
        [this](int object, QByteArrayView data) { return streamData(object, data); });
    line("%PDF-1.5");
    line("%\xE2\xE3\xCF\xD3");
    reserveObject(); // the page tree, written last
    return true;
}

void TfrxPDFExport::StartPage(const TfrxReportPage& page, int) {
    FPageWidth = page.Width * 0.75;
    FPageHeight = page.Height * 0.75;
    FMarginLeft = page.LeftMargin * 0.05;
    FMarginTop = page.TopMargin * 0.05;
    FContent.clear();
}

void TfrxPDFExport::ExportObject(const TfrxComponent& object) {
    const TfrxCustomMemoView* memo = object.asMemo();
    if (!memo)
        return;
    const double frame = memo->Frame.Width;
    const double l = object.AbsLeft();
    const double t = object.AbsTop();
    FContent << "q\r\n";
    FContent.number(X(l - frame)) << ' ';
    FContent.number(Y(t + object.Height + frame)) << ' ';
    FContent.number((object.Width + 2 * frame) * 0.75) << ' ';
    FContent.number((object.Height + 2 * frame) * 0.75) << " re\r\nW\r\nn\r\n";
    writeFrame(*memo);
    writeText(*memo);
    FContent << "Q\r\n";
}

// Red, green and blue, each from 0 to 1. Objects repeat one colour, so the last
// one is kept with its text.
void TfrxPDFExport::writeColour(QRgb rgb) {
    if (FLastColourText.empty() || FLastColour != rgb) {
        TfrxPDFContent text;
        for (const int component : {qRed(rgb), qGreen(rgb), qBlue(rgb)}) {
            if (component == 0 || component == 255)
                text << (component == 0 ? '0' : '1');
            else
                text.number(component / 255.0);
            text << ' ';
        }
        FLastColour = rgb;
        FLastColourText = text.take();
        FLastColourText.pop_back();
    }
    FContent << QByteArrayView(FLastColourText.data(), static_cast<qsizetype>(FLastColourText.size()));
}

void TfrxPDFExport::writeFrame(const TfrxCustomMemoView& memo) {
    for (const TfrxFrameLine& side : frxFrameLines(memo)) {
        writeColour(side.Colour);
        FContent << " RG\r\n[] 0 d\r\n";
        FContent.number(side.Width * 0.75) << " w\r\n";
        FContent.number(X(side.X1)) << ' ';
        FContent.number(Y(side.Y1)) << " m\r\n";
        FContent.number(X(side.X2)) << ' ';
        FContent.number(Y(side.Y2)) << " l\r\nS\r\n";
    }
}

TfrxPDFFont& TfrxPDFExport::fontFor(const TfrxFont& font) {
    for (const auto& known : FFonts)
        if (known->SourceFont().Name == font.Name && known->SourceFont().Bold == font.Bold &&
            known->SourceFont().Italic == font.Italic)
            return *known;
    FFonts.push_back(std::make_unique<TfrxPDFFont>(font, static_cast<int>(FFonts.size())));
    return *FFonts.back();
}

// The glyphs of a line as a string to show. A justified line widens the gap after
// each space by its share of the spare width (thousandths of an em, so negative).
void TfrxPDFExport::writeGlyphs(const TfrxGlyphRun& glyphs, const QString& line, double spacePush) {
    FContent << (spacePush == 0 ? "<" : "[<");
    const bool onePerCharacter = glyphs.Glyphs.size() == line.size();
    for (qsizetype i = 0; i < glyphs.Glyphs.size(); ++i) {
        FContent.hex4(glyphs.Glyphs[i]);
        if (spacePush != 0 && onePerCharacter && line[i] == QLatin1Char(' ') &&
            i + 1 < glyphs.Glyphs.size()) {
            FContent << '>';
            FContent.number(-spacePush) << '<';
        }
    }
    FContent << (spacePush == 0 ? "> Tj" : ">] TJ");
}

// A line drawn under or through a text line, in the text's colour.
void TfrxPDFExport::writeRule(double x, double y, double width, int size, QRgb rgb) {
    FContent << "[] 0 d\r\n";
    writeColour(rgb);
    FContent << " RG\r\n";
    FContent.number(size * TfrxTextBlock::RuleThickness) << " w\r\n";
    FContent.number(x) << ' ';
    FContent.number(y) << " m\r\n";
    FContent.number(x + width) << ' ';
    FContent.number(y) << " l\r\nS\r\n";
}

// The object's lines where the shared text layout places them.
void TfrxPDFExport::writeText(const TfrxCustomMemoView& memo) {
    const TfrxTextBlock block = frxLayoutText(memo);
    if (block.Lines.empty())
        return;
    TfrxPDFFont& font = fontFor(block.Font);
    const int size = block.Size;
    FContent << "/F";
    FContent.integer(font.Index()) << ' ';
    FContent.integer(size) << " Tf\r\n";
    writeColour(block.Colour);
    FContent << " rg\r\n";
    if (block.CharSpacing != 0)
        FContent.number(block.CharSpacing * 0.75) << " Tc\r\n";
    for (const TfrxPlacedLine& line : block.Lines) {
        font.AddGlyphs(line.Run);
        // A justified line widens the gap after each space, in thousandths of an em.
        const double spacePush = line.Spare != 0 ? line.Spare * 0.75 / size * 1000 / line.Run.Spaces : 0;
        FContent << "BT\r\n";
        FContent.number(X(line.X)) << ' ';
        FContent.number(Y(line.Y)) << " Td\r\n";
        writeGlyphs(line.Run, line.Text, spacePush);
        FContent << "\r\nET\r\n";
        if (block.Font.Underline)
            writeRule(X(line.X), Y(line.Y) - size * TfrxTextBlock::UnderlineDepth, line.Width * 0.75, size,
                      block.Colour);
        if (block.Font.StrikeOut)
            writeRule(X(line.X), Y(line.Y) + size * TfrxTextBlock::StrikeOutHeight, line.Width * 0.75, size,
                      block.Colour);
    }
}

// A stream's data as the file holds it: deflated when compressing, then
// encrypted under its object's key. Runs on the compressing threads for pages.
QByteArray TfrxPDFExport::streamData(int object, QByteArrayView data) const {
    QByteArray ready = Compressed ? frxDeflatePdfStream(data) : data.toByteArray();
    return FEncryption ? FEncryption->Encrypt(object, ready) : ready;
}

// A stream object's dictionary, its data and its end.
void TfrxPDFExport::writeStreamObject(int object, const QByteArray& ready) {
    startObject(object);
    FOut << "<</Length ";
    FOut.integer(ready.size()) << (Compressed ? "/Filter/FlateDecode>>\r\n" : ">>\r\n");
    FOut << "stream\r\n" << ready << "\n";
    line("endstream");
    line("endobj");
    flush();
}

// A stream object written at once, its number the next one.
void TfrxPDFExport::writeStream(QByteArrayView data) {
    const int object = reserveObject();
    writeStreamObject(object, streamData(object, data));
}

QByteArray TfrxPDFExport::pageDictionary(int content) const {
    TfrxPDFContent page;
    page << "<<\r\n/Type /Page\r\n/Parent 1 0 R\r\n/MediaBox [0 0 ";
    page.number(FPageWidth) << ' ';
    page.number(FPageHeight) << " ]\r\n/Group << /Type /Group /S /Transparency /CS /DeviceRGB >>\r\n"
                                "/Resources <<\r\n/Font << ";
    for (const auto& font : FFonts) {
        page << "/F";
        page.integer(font->Index()) << ' ';
        page.integer(font->Reference) << " 0 R ";
    }
    page << ">>\r\n/ProcSet [/PDF /Text /ImageC ]\r\n>>\r\n/Contents ";
    page.integer(content) << " 0 R\r\n>>\r\nendobj\r\n";
    return QByteArray(page.bytes().data(), page.size());
}

// The page's content goes to the compressing threads; its objects are written once it
// comes back, in the order the pages came.
void TfrxPDFExport::FinishPage(const TfrxReportPage&, int) {
    const int content = reserveObject();
    for (const auto& font : FFonts)
        if (font->Reference == 0)
            font->Reference = reserveObject();
    const int page = reserveObject();
    FPagesRef.push_back(page);
    FPendingPages.push_back({page, pageDictionary(content)});
    const qsizetype room = FContent.size();
    FStreams->hand(content, FContent.take());
    // The next page is about as long as this one.
    FContent.reserve(room);
    writeReadyPages(false);
}

void TfrxPDFExport::writeReadyPages(bool wait) {
    while (!FPendingPages.empty()) {
        std::optional<TfrxPDFStreamQueue::TReady> ready = FStreams->take(wait);
        if (!ready)
            return;
        writeStreamObject(ready->Object, ready->Data);
        startObject(FPendingPages.front().Page);
        FOut << FPendingPages.front().Dictionary;
        FPendingPages.pop_front();
        flush();
    }
}
