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
#include <charconv>

namespace {
// Fixed point with two decimals, as every coordinate and size of the file.
QByteArray number(double value) {
    char digits[64];
    const std::to_chars_result end =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 2);
    return QByteArray(digits, end.ptr - digits);
}

// Four upper-case hexadecimal digits, as glyph and character codes are written.
QByteArray hex4(unsigned value) {
    static const char digits[] = "0123456789ABCDEF";
    const char text[4] = {digits[(value >> 12) & 0xF], digits[(value >> 8) & 0xF], digits[(value >> 4) & 0xF],
                          digits[value & 0xF]};
    return QByteArray(text, 4);
}

// A character as its UTF-16 code units: four digits, or eight for a surrogate pair.
QByteArray utf16Hex(char32_t character) {
    if (character < 0x10000)
        return hex4(character);
    const char32_t offset = character - 0x10000;
    return hex4(0xD800 + (offset >> 10)) + hex4(0xDC00 + (offset & 0x3FF));
}
} // namespace

TfrxPDFExport::TfrxPDFExport() = default;

// Red, green and blue, each from 0 to 1. Objects repeat one colour, so the last
// one is kept with its text.
QByteArray TfrxPDFExport::colour(QRgb rgb) {
    if (!FLastColourText.isEmpty() && FLastColour == rgb)
        return FLastColourText;
    const auto part = [](int component) {
        return component == 0     ? QByteArray("0")
               : component == 255 ? QByteArray("1")
                                  : number(component / 255.0);
    };
    FLastColour = rgb;
    FLastColourText = part(qRed(rgb)) + ' ' + part(qGreen(rgb)) + ' ' + part(qBlue(rgb));
    return FLastColourText;
}

TfrxPDFExport::~TfrxPDFExport() = default;

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

void TfrxPDFExport::line(const QByteArray& text) {
    const QByteArray bytes = text + "\r\n";
    write(bytes);
    FPosition += bytes.size();
}

// Object numbers are handed out in order; a reserved one gets its place when written.
int TfrxPDFExport::reserveObject() {
    FXRef.push_back(0);
    return static_cast<int>(FXRef.size());
}

void TfrxPDFExport::startObject(int number) {
    FCurrentObject = number;
    FXRef[static_cast<size_t>(number - 1)] = FPosition;
    line(QByteArray::number(number) + " 0 obj");
}

int TfrxPDFExport::newObject() {
    const int number = reserveObject();
    startObject(number);
    return number;
}

// A file that cannot be created ends the export with an error.
bool TfrxPDFExport::Start() {
    if (!openOutput())
        return false;
    FXRef.clear();
    FPagesRef.clear();
    FFonts.clear();
    FPosition = 0;
    FFileID =
        QCryptographicHash::hash(QUuid::createUuid().toString().toLatin1(), QCryptographicHash::Md5).toHex();
    FEncryption.reset();
    if (!OwnerPassword.isEmpty() || !UserPassword.isEmpty())
        FEncryption = std::make_unique<TfrxPDFEncryption>(OwnerPassword, UserPassword, ProtectionFlags,
                                                          QByteArray::fromHex(FFileID));
    line("%PDF-1.5");
    line("%\xE2\xE3\xCF\xD3");
    reserveObject(); // the page tree, written last
    return true;
}

void TfrxPDFExport::put(std::initializer_list<QByteArrayView> parts) {
    for (const QByteArrayView part : parts)
        FContent.append(part);
}

void TfrxPDFExport::StartPage(const TfrxReportPage& page, int) {
    FPageWidth = page.Width * 0.75;
    FPageHeight = page.Height * 0.75;
    FMarginLeft = page.LeftMargin * 0.05;
    FMarginTop = page.TopMargin * 0.05;
    FContent.resize(0); // keeps its room for the next page
}

void TfrxPDFExport::ExportObject(const TfrxComponent& object) {
    const auto* memo = dynamic_cast<const TfrxCustomMemoView*>(&object);
    if (!memo)
        return;
    const double frame = memo->Frame.Width;
    const double l = object.AbsLeft();
    const double t = object.AbsTop();
    put({"q\r\n", number(X(l - frame)), " ", number(Y(t + object.Height + frame)), " ",
         number((object.Width + 2 * frame) * 0.75), " ", number((object.Height + 2 * frame) * 0.75),
         " re\r\nW\r\nn\r\n"});
    writeFrame(*memo);
    writeText(*memo);
    put({"Q\r\n"});
}

void TfrxPDFExport::writeFrame(const TfrxCustomMemoView& memo) {
    for (const TfrxFrameLine& side : frxFrameLines(memo))
        put({colour(side.Colour), " RG\r\n[] 0 d\r\n", number(side.Width * 0.75), " w\r\n",
             number(X(side.X1)), " ", number(Y(side.Y1)), " m\r\n", number(X(side.X2)), " ",
             number(Y(side.Y2)), " l\r\nS\r\n"});
}

TfrxPDFFont& TfrxPDFExport::fontFor(const TfrxFont& font) {
    for (const auto& known : FFonts)
        if (known->SourceFont().Name == font.Name && known->SourceFont().Bold == font.Bold &&
            known->SourceFont().Italic == font.Italic)
            return *known;
    FFonts.push_back(std::make_unique<TfrxPDFFont>(font, static_cast<int>(FFonts.size())));
    return *FFonts.back();
}

namespace {
// The glyphs of a line as a string to show. A justified line widens the gap after
// each space by its share of the spare width (thousandths of an em, so negative).
QByteArray shownGlyphs(const TfrxGlyphRun& glyphs, const QString& line, double spacePush) {
    QByteArray shown = spacePush == 0 ? "<" : "[<";
    const bool onePerCharacter = glyphs.Glyphs.size() == line.size();
    for (qsizetype i = 0; i < glyphs.Glyphs.size(); ++i) {
        shown += hex4(glyphs.Glyphs[i]);
        if (spacePush != 0 && onePerCharacter && line[i] == QLatin1Char(' ') && i + 1 < glyphs.Glyphs.size())
            shown += '>' + number(-spacePush) + '<';
    }
    return spacePush == 0 ? shown + "> Tj" : shown + ">] TJ";
}
} // namespace

// A line drawn under or through a text line, in the text's colour.
void TfrxPDFExport::writeRule(double x, double y, double width, int size, QRgb rgb) {
    put({"[] 0 d\r\n", colour(rgb), " RG\r\n", number(size * TfrxTextBlock::RuleThickness), " w\r\n",
         number(x), " ", number(y), " m\r\n", number(x + width), " ", number(y), " l\r\nS\r\n"});
}

// The object's lines where the shared text layout places them.
void TfrxPDFExport::writeText(const TfrxCustomMemoView& memo) {
    const TfrxTextBlock block = frxLayoutText(memo);
    if (block.Lines.empty())
        return;
    TfrxPDFFont& font = fontFor(block.Font);
    const int size = block.Size;
    put({font.ResourceName().toLatin1(), " ", QByteArray::number(size), " Tf\r\n", colour(block.Colour),
         " rg\r\n"});
    if (block.CharSpacing != 0)
        put({number(block.CharSpacing * 0.75), " Tc\r\n"});
    for (const TfrxPlacedLine& line : block.Lines) {
        font.AddGlyphs(line.Text, line.Run);
        // A justified line widens the gap after each space, in thousandths of an em.
        const double spacePush = line.Spare != 0 ? line.Spare * 0.75 / size * 1000 / line.Run.Spaces : 0;
        put({"BT\r\n", number(X(line.X)), " ", number(Y(line.Y)), " Td\r\n",
             shownGlyphs(line.Run, line.Text, spacePush), "\r\nET\r\n"});
        if (block.Font.Underline)
            writeRule(X(line.X), Y(line.Y) - size * TfrxTextBlock::UnderlineDepth, line.Width * 0.75, size,
                      block.Colour);
        if (block.Font.StrikeOut)
            writeRule(X(line.X), Y(line.Y) + size * TfrxTextBlock::StrikeOutHeight, line.Width * 0.75, size,
                      block.Colour);
    }
}

// A stream object's dictionary, its data (deflated when compressing) and its end.
void TfrxPDFExport::writeStream(const QByteArray& data) {
    QByteArray written = Compressed ? frxDeflatePdfStream(data) : data;
    if (FEncryption)
        written = FEncryption->Encrypt(FCurrentObject, written);
    line("<</Length " + QByteArray::number(written.size()) + (Compressed ? "/Filter/FlateDecode>>" : ">>"));
    line("stream");
    write(written + '\n');
    FPosition += written.size() + 1;
    line("endstream");
    line("endobj");
}

void TfrxPDFExport::FinishPage(const TfrxReportPage&, int) {
    const int content = newObject();
    writeStream(FContent);
    for (const auto& font : FFonts)
        if (font->Reference == 0)
            font->Reference = reserveObject();
    FPagesRef.push_back(newObject());
    line("<<");
    line("/Type /Page");
    line("/Parent 1 0 R");
    line("/MediaBox [0 0 " + number(FPageWidth) + ' ' + number(FPageHeight) + " ]");
    line("/Group << /Type /Group /S /Transparency /CS /DeviceRGB >>");
    line("/Resources <<");
    QByteArray fonts = "/Font << ";
    for (const auto& font : FFonts)
        fonts += font->ResourceName().toLatin1() + ' ' + QByteArray::number(font->Reference) + " 0 R ";
    line(fonts + ">>");
    line("/ProcSet [/PDF /Text /ImageC ]");
    line(">>");
    line("/Contents " + QByteArray::number(content) + " 0 R");
    line(">>");
    line("endobj");
}

// The embedded subset, descriptor, Unicode map, system information, descendant
// font, then the font itself at the number its first page reserved. The subset is
// always embedded: the glyph numbers of the text are those of this face, and
// another face on the reader's machine would show other letters for them.
void TfrxPDFExport::writeFont(TfrxPDFFont& font) {
    const QByteArray name = font.SubsetTag() + '+' + font.PdfName();
    const TfrxPDFFontMetrics& m = font.Metrics();
    const int fontFile = newObject();
    writeStream(font.SubsetData());
    const int descriptor = newObject();
    for (const QByteArray& text :
         {QByteArray("<<"), QByteArray("/Type /FontDescriptor"), "/FontName /" + name,
          QByteArray("/Flags 32"),
          "/FontBBox [" + QByteArray::number(m.BoxLeft) + ' ' + QByteArray::number(m.BoxBottom) + ' ' +
              QByteArray::number(m.BoxRight) + ' ' + QByteArray::number(m.BoxTop) + " ]",
          "/ItalicAngle " + QByteArray::number(m.ItalicAngle), "/Ascent " + QByteArray::number(m.Ascent),
          "/Descent " + QByteArray::number(m.Descent), "/Leading " + QByteArray::number(m.Leading),
          "/CapHeight " + QByteArray::number(m.CapHeight), "/StemV " + QByteArray::number(m.StemV),
          "/AvgWidth " + QByteArray::number(m.AvgWidth), "/MxWidth " + QByteArray::number(m.MaxWidth),
          "/MissingWidth " + QByteArray::number(m.AvgWidth),
          "/FontFile2 " + QByteArray::number(fontFile) + " 0 R", QByteArray(">>"), QByteArray("endobj")})
        line(text);

    const int unicode = newObject();
    QByteArray map =
        "/CIDInit /ProcSet findresource begin\r\n12 dict begin\r\nbegincmap\r\n/CIDSystemInfo\r\n"
        "<< /Registry (Adobe)\r\n/Ordering (UCS)\r\n/Ordering (Identity)\r\n/Supplement 0\r\n>> def\r\n"
        "/CMapName /" +
        font.PdfName().replace(',', '+') +
        " def\r\n/CMapType 2 def\r\n1 begincodespacerange\r\n<0000> <FFFF>\r\nendcodespacerange\r\n" +
        QByteArray::number(font.UsedAlphabet().size()) + " beginbfchar\r\n";
    for (size_t i = 0; i < font.UsedAlphabet().size(); ++i)
        map += '<' + hex4(font.UsedAlphabet()[i]) + "> <" + utf16Hex(font.UsedAlphabetUnicode()[i]) + ">\r\n";
    map += "endbfchar\r\nendcmap\r\nCMapName currentdict /CMap defineresource pop\r\nend\r\nend\r\n";
    writeStream(map);

    const int systemInfo = newObject();
    line("<<");
    line("/Registry (Adobe) /Ordering (Identity) /Supplement 0");
    line(">>");
    line("endobj");

    const int descendant = newObject();
    QByteArray widths = "/W [ ";
    for (size_t i = 0; i < font.UsedAlphabet().size(); ++i)
        if (font.Widths()[i] != 0)
            widths += QByteArray::number(font.UsedAlphabet()[i]) + " [" +
                      QByteArray::number(font.Widths()[i]) + "] ";
    for (const QByteArray& text :
         {QByteArray("<<"), QByteArray("/Type /Font"), QByteArray("/Subtype /CIDFontType2"),
          "/BaseFont /" + name, QByteArray("/CIDToGIDMap /Identity"),
          "/CIDSystemInfo " + QByteArray::number(systemInfo) + " 0 R",
          "/FontDescriptor " + QByteArray::number(descriptor) + " 0 R", widths, QByteArray("]"),
          QByteArray(">>"), QByteArray("endobj")})
        line(text);

    startObject(font.Reference);
    for (const QByteArray& text :
         {QByteArray("<<"), QByteArray("/Type /Font"), QByteArray("/Subtype /Type0"), "/BaseFont /" + name,
          QByteArray("/Encoding /Identity-H"),
          "/DescendantFonts [" + QByteArray::number(descendant) + " 0 R]",
          "/ToUnicode " + QByteArray::number(unicode) + " 0 R", QByteArray(">>"), QByteArray("endobj")})
        line(text);
}

// UTF-16 with its byte order mark: as hexadecimal digits, or encrypted as a literal string.
QByteArray TfrxPDFExport::infoText(const QString& text, int object) const {
    if (FEncryption) {
        QByteArray bytes = "\xFE\xFF";
        for (const QChar c : text) {
            bytes += static_cast<char>(c.unicode() >> 8);
            bytes += static_cast<char>(c.unicode() & 0xFF);
        }
        return infoString(bytes, object);
    }
    QByteArray hex = "<FEFF";
    for (const QChar c : text)
        hex += hex4(c.unicode());
    return hex + '>';
}

QByteArray TfrxPDFExport::infoString(const QByteArray& text, int object) const {
    return FEncryption ? frxPdfLiteral(FEncryption->Encrypt(object, text)) : '(' + text + ')';
}

void TfrxPDFExport::Finish() {
    for (const auto& font : FFonts)
        if (font->Reference != 0)
            writeFont(*font);
    startObject(1);
    line("<<");
    line("/Type /Pages");
    QByteArray kids = "/Kids [";
    for (const int page : FPagesRef)
        kids += QByteArray::number(page) + " 0 R ";
    line(kids + "]");
    line("/Count " + QByteArray::number(FPagesRef.size()));
    line(">>");
    line("endobj");

    const int info = newObject();
    const QByteArray date =
        infoString("D:" + CreationTime.toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1(), info);
    line("<<");
    const std::pair<const char*, const QString*> entries[] = {
        {"/Title ", &Title},       {"/Author ", &Author},   {"/Subject ", &Subject},
        {"/Keywords ", &Keywords}, {"/Creator ", &Creator}, {"/Producer ", &Producer}};
    for (const auto& [key, value] : entries)
        line(key + infoText(*value, info));
    line("/CreationDate " + date);
    line("/ModDate " + date);
    line(">>");
    line("endobj");

    int encryption = 0;
    if (FEncryption) {
        encryption = newObject();
        for (const QByteArray& text :
             {QByteArray("<<"), QByteArray("/Filter /Standard"), QByteArray("/V 2"), QByteArray("/R 3"),
              QByteArray("/Length 128"), "/P " + QByteArray::number(FEncryption->Permissions()),
              "/O " + frxPdfLiteral(FEncryption->OwnerValue()),
              "/U " + frxPdfLiteral(FEncryption->UserValue()), QByteArray(">>"), QByteArray("endobj")})
            line(text);
    }

    const int catalog = newObject();
    line("<<");
    line("/Type /Catalog");
    line("/Version /1.5");
    line("/MarkInfo << /Marked true >>");
    line("/Pages 1 0 R");
    line("/PageMode /UseNone");
    line("/ViewerPreferences <<");
    if (!Title.isEmpty())
        line("/DisplayDocTitle true");
    const std::pair<const char*, bool> preferences[] = {
        {"/HideToolbar true", HideToolbar},   {"/HideMenubar true", HideMenubar},
        {"/HideWindowUI true", HideWindowUI}, {"/FitWindow true", FitWindow},
        {"/CenterWindow true", CenterWindow}, {"/PrintScaling false", !PrintScaling}};
    for (const auto& [text, on] : preferences)
        if (on)
            line(text);
    line(">>");
    line(">>");
    line("endobj");

    const qint64 xref = FPosition;
    line("xref");
    line("0 " + QByteArray::number(FXRef.size() + 1));
    line("0000000000 65535 f");
    for (const qint64 offset : FXRef)
        line(QByteArray::number(offset).rightJustified(10, '0') + " 00000 n");
    line("trailer");
    line("<<");
    line("/Size " + QByteArray::number(FXRef.size() + 1));
    line("/Root " + QByteArray::number(catalog) + " 0 R");
    line("/Info " + QByteArray::number(info) + " 0 R");
    line("/ID [<" + FFileID + "><" + FFileID + ">]");
    if (encryption)
        line("/Encrypt " + QByteArray::number(encryption) + " 0 R");
    line(">>");
    line("startxref");
    line(QByteArray::number(xref));
    line("%%EOF");

    FFonts.clear();
    FEncryption.reset();
    closeOutput(OpenAfterExport);
}
