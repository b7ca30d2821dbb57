// The sections of a PDF file that follow its pages: the fonts, the page tree,
// the document information, the encryption dictionary, the catalog, the
// cross-reference table and the trailer, each written by its own function.
#include "report_engine/export/pdf/PDFExport.h"

#include <cstdio>

namespace {
// A character as its UTF-16 code units: four digits, or eight for a surrogate pair.
void utf16Hex(TfrxPDFContent& out, char32_t character) {
    if (character < 0x10000) {
        out.hex4(character);
        return;
    }
    const char32_t offset = character - 0x10000;
    out.hex4(0xD800 + (offset >> 10)).hex4(0xDC00 + (offset & 0x3FF));
}
} // namespace

void TfrxPDFExport::Finish() {
    writeReadyPages(true);
    FStreams.reset();
    for (const auto& font : FFonts)
        if (font->Reference != 0)
            writeFont(*font);
    writePageTree();
    const int info = writeInfo();
    const int encryption = writeEncryption();
    const int catalog = writeCatalog();
    const qint64 crossReference = position();
    writeCrossReference();
    writeTrailer(crossReference, catalog, info, encryption);
    write(QByteArray::fromRawData(FOut.bytes().data(), FOut.size()));
    FOut = {};
    FFonts.clear();
    FEncryption.reset();
    closeOutput(OpenAfterExport);
}

// The embedded subset, descriptor, Unicode map, system information, descendant
// font, then the font itself at the number its first page reserved. The subset is
// always embedded: the glyph numbers of the text are those of this face, and
// another face on the reader's machine would show other letters for them.
void TfrxPDFExport::writeFont(TfrxPDFFont& font) {
    const QByteArray name = font.SubsetTag() + '+' + font.PdfName();
    const int fontFile = writeFontFile(font);
    const int descriptor = writeFontDescriptor(font, name, fontFile);
    const int unicode = writeUnicodeMap(font);
    const int systemInfo = writeSystemInfo();
    const int descendant = writeDescendantFont(font, name, systemInfo, descriptor);
    writeFontObject(font, name, descendant, unicode);
}

int TfrxPDFExport::writeFontFile(const TfrxPDFFont& font) {
    const int fontFile = static_cast<int>(FXRef.size()) + 1;
    writeStream(font.SubsetData());
    return fontFile;
}

int TfrxPDFExport::writeFontDescriptor(const TfrxPDFFont& font, const QByteArray& name, int fontFile) {
    const TfrxPDFFontMetrics& m = font.Metrics();
    const int descriptor = newObject();
    FOut << "<<\r\n/Type /FontDescriptor\r\n/FontName /" << name << "\r\n/Flags 32\r\n/FontBBox [";
    FOut.integer(m.BoxLeft) << ' ';
    FOut.integer(m.BoxBottom) << ' ';
    FOut.integer(m.BoxRight) << ' ';
    FOut.integer(m.BoxTop) << " ]\r\n";
    const std::pair<const char*, int> values[] = {
        {"/ItalicAngle ", m.ItalicAngle}, {"/Ascent ", m.Ascent},       {"/Descent ", m.Descent},
        {"/Leading ", m.Leading},         {"/CapHeight ", m.CapHeight}, {"/StemV ", m.StemV},
        {"/AvgWidth ", m.AvgWidth},       {"/MxWidth ", m.MaxWidth},    {"/MissingWidth ", m.AvgWidth}};
    for (const auto& [key, value] : values) {
        FOut << key;
        FOut.integer(value) << "\r\n";
    }
    FOut << "/FontFile2 ";
    FOut.integer(fontFile) << " 0 R\r\n>>\r\nendobj\r\n";
    return descriptor;
}

int TfrxPDFExport::writeUnicodeMap(const TfrxPDFFont& font) {
    TfrxPDFContent map;
    map << "/CIDInit /ProcSet findresource begin\r\n12 dict begin\r\nbegincmap\r\n/CIDSystemInfo\r\n"
           "<< /Registry (Adobe)\r\n/Ordering (UCS)\r\n/Ordering (Identity)\r\n/Supplement 0\r\n>> def\r\n"
           "/CMapName /"
        << font.PdfName().replace(',', '+')
        << " def\r\n/CMapType 2 def\r\n1 begincodespacerange\r\n<0000> <FFFF>\r\nendcodespacerange\r\n";
    map.integer(static_cast<long long>(font.UsedAlphabet().size())) << " beginbfchar\r\n";
    for (size_t i = 0; i < font.UsedAlphabet().size(); ++i) {
        map << '<';
        map.hex4(font.UsedAlphabet()[i]) << "> <";
        utf16Hex(map, font.UsedAlphabetUnicode()[i]);
        map << ">\r\n";
    }
    map << "endbfchar\r\nendcmap\r\nCMapName currentdict /CMap defineresource pop\r\nend\r\nend\r\n";
    const int unicode = static_cast<int>(FXRef.size()) + 1;
    writeStream(QByteArrayView(map.bytes().data(), map.size()));
    return unicode;
}

int TfrxPDFExport::writeSystemInfo() {
    const int systemInfo = newObject();
    FOut << "<<\r\n/Registry (Adobe) /Ordering (Identity) /Supplement 0\r\n>>\r\nendobj\r\n";
    return systemInfo;
}

int TfrxPDFExport::writeDescendantFont(const TfrxPDFFont& font, const QByteArray& name, int systemInfo,
                                       int descriptor) {
    const int descendant = newObject();
    FOut << "<<\r\n/Type /Font\r\n/Subtype /CIDFontType2\r\n/BaseFont /" << name
         << "\r\n/CIDToGIDMap /Identity\r\n/CIDSystemInfo ";
    FOut.integer(systemInfo) << " 0 R\r\n/FontDescriptor ";
    FOut.integer(descriptor) << " 0 R\r\n/W [ ";
    for (size_t i = 0; i < font.UsedAlphabet().size(); ++i)
        if (font.Widths()[i] != 0) {
            FOut.integer(font.UsedAlphabet()[i]) << " [";
            FOut.integer(font.Widths()[i]) << "] ";
        }
    FOut << "\r\n]\r\n>>\r\nendobj\r\n";
    return descendant;
}

void TfrxPDFExport::writeFontObject(const TfrxPDFFont& font, const QByteArray& name, int descendant,
                                    int unicode) {
    startObject(font.Reference);
    FOut << "<<\r\n/Type /Font\r\n/Subtype /Type0\r\n/BaseFont /" << name
         << "\r\n/Encoding /Identity-H\r\n/DescendantFonts [";
    FOut.integer(descendant) << " 0 R]\r\n/ToUnicode ";
    FOut.integer(unicode) << " 0 R\r\n>>\r\nendobj\r\n";
}

void TfrxPDFExport::writePageTree() {
    startObject(1);
    FOut << "<<\r\n/Type /Pages\r\n/Kids [";
    for (const int page : FPagesRef) {
        FOut.integer(page) << " 0 R ";
        flush();
    }
    FOut << "]\r\n/Count ";
    FOut.integer(static_cast<long long>(FPagesRef.size())) << "\r\n>>\r\nendobj\r\n";
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
    TfrxPDFContent hex;
    hex << "<FEFF";
    for (const QChar c : text)
        hex.hex4(c.unicode());
    hex << '>';
    return QByteArray(hex.bytes().data(), hex.size());
}

QByteArray TfrxPDFExport::infoString(const QByteArray& text, int object) const {
    return FEncryption ? frxPdfLiteral(FEncryption->Encrypt(object, text)) : '(' + text + ')';
}

int TfrxPDFExport::writeInfo() {
    const int info = newObject();
    const QByteArray date =
        infoString("D:" + CreationTime.toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1(), info);
    line("<<");
    const std::pair<const char*, const QString*> entries[] = {
        {"/Title ", &Title},       {"/Author ", &Author},   {"/Subject ", &Subject},
        {"/Keywords ", &Keywords}, {"/Creator ", &Creator}, {"/Producer ", &Producer}};
    for (const auto& [key, value] : entries)
        FOut << key << infoText(*value, info) << "\r\n";
    FOut << "/CreationDate " << date << "\r\n/ModDate " << date << "\r\n>>\r\nendobj\r\n";
    return info;
}

// 0 when the file is not encrypted.
int TfrxPDFExport::writeEncryption() {
    if (!FEncryption)
        return 0;
    const int encryption = newObject();
    FOut << "<<\r\n/Filter /Standard\r\n/V 2\r\n/R 3\r\n/Length 128\r\n/P ";
    FOut.integer(FEncryption->Permissions())
        << "\r\n/O " << frxPdfLiteral(FEncryption->OwnerValue()) << "\r\n/U "
        << frxPdfLiteral(FEncryption->UserValue()) << "\r\n>>\r\nendobj\r\n";
    return encryption;
}

int TfrxPDFExport::writeCatalog() {
    const int catalog = newObject();
    FOut << "<<\r\n/Type /Catalog\r\n/Version /1.5\r\n/MarkInfo << /Marked true >>\r\n/Pages 1 0 R\r\n"
            "/PageMode /UseNone\r\n/ViewerPreferences <<\r\n";
    if (!Title.isEmpty())
        line("/DisplayDocTitle true");
    const std::pair<const char*, bool> preferences[] = {
        {"/HideToolbar true", HideToolbar},   {"/HideMenubar true", HideMenubar},
        {"/HideWindowUI true", HideWindowUI}, {"/FitWindow true", FitWindow},
        {"/CenterWindow true", CenterWindow}, {"/PrintScaling false", !PrintScaling}};
    for (const auto& [text, on] : preferences)
        if (on)
            line(text);
    FOut << ">>\r\n>>\r\nendobj\r\n";
    return catalog;
}

// Every object's place as ten digits; the table of a long report is written in pieces.
void TfrxPDFExport::writeCrossReference() {
    FOut << "xref\r\n0 ";
    FOut.integer(static_cast<long long>(FXRef.size()) + 1) << "\r\n0000000000 65535 f\r\n";
    for (const qint64 offset : FXRef) {
        char digits[11];
        std::snprintf(digits, sizeof digits, "%010lld", static_cast<long long>(offset));
        FOut << QByteArrayView(digits, 10) << " 00000 n\r\n";
        flush();
    }
}

void TfrxPDFExport::writeTrailer(qint64 crossReference, int catalog, int info, int encryption) {
    FOut << "trailer\r\n<<\r\n/Size ";
    FOut.integer(static_cast<long long>(FXRef.size()) + 1) << "\r\n/Root ";
    FOut.integer(catalog) << " 0 R\r\n/Info ";
    FOut.integer(info) << " 0 R\r\n/ID [<" << FFileID << "><" << FFileID << ">]\r\n";
    if (encryption) {
        FOut << "/Encrypt ";
        FOut.integer(encryption) << " 0 R\r\n";
    }
    FOut << ">>\r\nstartxref\r\n";
    FOut.integer(crossReference) << "\r\n%%EOF\r\n";
}
