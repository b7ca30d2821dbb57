#include "report_engine/ZrpFile.h"

#include "report_engine/Bands.h"
#include "report_engine/Component.h"
#include "report_engine/ComponentXml.h"
#include "report_engine/PreviewPages.h"
#include "report_engine/ReportError.h"

#include <QFile>
#include <QSaveFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <string>
#include <zlib.h>

namespace {
const QByteArray Signature("ZRP2");
constexpr qint64 MaxDocument = qint64(1) << 30;
const char* const GeometryNames[] = {"l", "t", "w", "h"};

// Texts go into attributes; XML cannot carry most control characters even escaped,
// so a text holding one is stored as base64 of its UTF-8 instead.
bool xmlSafe(QStringView text) {
    for (const QChar c : text)
        if (c.unicode() < 0x20 && c != QLatin1Char('\t') && c != QLatin1Char('\n') && c != QLatin1Char('\r'))
            return false;
    return true;
}

const char* xmlEntity(char c) {
    switch (c) {
    case '&':
        return "&amp;";
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '"':
        return "&quot;";
    case '\t':
        return "&#9;";
    case '\n':
        return "&#10;";
    case '\r':
        return "&#13;";
    default:
        return nullptr;
    }
}

void appendAttribute(std::string& out, const char* name, QStringView text) {
    out += ' ';
    out += name;
    if (!xmlSafe(text)) {
        out += "b=\"";
        out += text.toUtf8().toBase64().toStdString();
        out += '"';
        return;
    }
    out += "=\"";
    const QByteArray utf8 = text.toUtf8();
    const char* run = utf8.constData();
    const char* const end = run + utf8.size();
    for (const char* c = run; c != end; ++c) {
        const char* entity = xmlEntity(*c);
        if (entity) {
            out.append(run, static_cast<size_t>(c - run));
            out += entity;
            run = c + 1;
        }
    }
    out.append(run, static_cast<size_t>(end - run));
    out += '"';
}

void appendNumber(std::string& out, const char* name, qint64 number) {
    out += ' ';
    out += name;
    out += "=\"";
    out += std::to_string(number);
    out += '"';
}

void flush(std::string& out, QIODevice& device) {
    device.write(out.data(), static_cast<qint64>(out.size()));
    out.clear(); // keeps the capacity for what follows
}

// Prepared pages are written by hand: a long report has millions of these small
// elements, and a general XML writer spends most of the saving time on them.
void appendObject(std::string& out, const TfrxPreparedPage& page, const TfrxPreparedObject& object,
                  const TfrxPreviewPages& pages) {
    out += "<o";
    appendAttribute(out, "a", pages.sourceObjects()[static_cast<size_t>(object.FAlias)].FAlias);
    if (object.FMask & TfrxPreparedObject::mChild)
        out += " c=\"1\"";
    size_t value = static_cast<size_t>(object.FValues);
    for (int i = 0; i < 4; ++i)
        if (object.FMask & (1 << i))
            appendAttribute(out, GeometryNames[i], frxProp::fromFloat(page.FValues[value++]));
    if (object.FMask & TfrxPreparedObject::mText)
        appendNumber(out, "s", object.FText);
    out += "/>";
}

// Each distinct text once, numbered by its place; objects refer to that number.
void writeTexts(const TfrxPreparedTexts& texts, std::string& out, QIODevice& device) {
    out += "<texts>";
    for (int id = 0; id < texts.count(); ++id) {
        out += "<t";
        appendAttribute(out, "x", texts.text(id));
        out += "/>";
        if (out.size() >= 65536)
            flush(out, device);
    }
    out += "</texts>";
}

void writeDocument(const TfrxPreviewPages& pages, QIODevice& device) {
    std::string out("<?xml version=\"1.0\" encoding=\"UTF-8\"?><preparedreport><sourcepages>");
    QByteArray sources;
    {
        QXmlStreamWriter writer(&sources);
        for (const auto& source : pages.sourcePages())
            frxXml::writeComponent(writer, *source);
    }
    out.append(sources.constData(), static_cast<size_t>(sources.size()));
    out += "</sourcepages>";
    writeTexts(pages.texts(), out, device);
    out += "<previewpages>";
    for (const TfrxPreparedPage& page : pages.preparedPages()) {
        out += "<page";
        appendNumber(out, "source", page.FSourcePage);
        appendNumber(out, "n", page.FLogicalNo);
        out += '>';
        for (const TfrxPreparedObject& object : page.FObjects)
            appendObject(out, page, object, pages);
        out += "</page>";
        flush(out, device);
    }
    out += "</previewpages></preparedreport>\n";
    flush(out, device);
}

[[noreturn]] void damaged(const QString& why) {
    throw EfrxError(QStringLiteral("The prepared report file is damaged: %1").arg(why));
}

int readInt(const QXmlStreamAttributes& attributes, const char* name) {
    bool ok = false;
    const int value = attributes.value(QLatin1String(name)).toInt(&ok);
    if (!ok)
        damaged(QStringLiteral("\"%1\" is not a number").arg(QLatin1String(name)));
    return value;
}

TfrxPreparedObject readObject(QXmlStreamReader& reader, TfrxPreparedPage& page, const TfrxPreviewPages& pages,
                              const std::vector<int>& texts) {
    const QXmlStreamAttributes attributes = reader.attributes();
    TfrxPreparedObject object;
    object.FAlias = pages.aliasIndex(attributes.value(QLatin1String("a")).toString());
    if (object.FAlias < 0)
        damaged(QStringLiteral("unknown object \"%1\"").arg(attributes.value(QLatin1String("a"))));
    if (attributes.value(QLatin1String("c")) == QLatin1String("1"))
        object.FMask |= TfrxPreparedObject::mChild;
    else if (dynamic_cast<const TfrxBand*>(
                 pages.sourceObjects()[static_cast<size_t>(object.FAlias)].FClone) == nullptr)
        damaged(QStringLiteral("an object stands outside a band"));
    object.FValues = static_cast<qint32>(page.FValues.size());
    for (int i = 0; i < 4; ++i)
        if (attributes.hasAttribute(QLatin1String(GeometryNames[i]))) {
            object.FMask |= 1 << i;
            try {
                page.FValues.push_back(
                    frxProp::toFloat(attributes.value(QLatin1String(GeometryNames[i])).toString()));
            } catch (const EfrxError& error) {
                damaged(error.message());
            }
        }
    if (attributes.hasAttribute(QLatin1String("s"))) {
        const int number = readInt(attributes, "s");
        if (number < 0 || number >= static_cast<int>(texts.size()))
            damaged(QStringLiteral("an object refers to a missing text"));
        object.FMask |= TfrxPreparedObject::mText;
        object.FText = texts[static_cast<size_t>(number)];
    }
    reader.skipCurrentElement();
    return object;
}

void readPages(QXmlStreamReader& reader, TfrxPreviewPages& pages, const std::vector<int>& texts) {
    while (reader.readNextStartElement()) {
        if (reader.name() != QLatin1String("page"))
            damaged(QStringLiteral("unexpected element %1").arg(reader.name()));
        TfrxPreparedPage page;
        page.FSourcePage = readInt(reader.attributes(), "source");
        page.FLogicalNo = readInt(reader.attributes(), "n");
        if (page.FSourcePage < 0 || page.FSourcePage >= static_cast<int>(pages.sourcePages().size()))
            damaged(QStringLiteral("a page refers to a missing source page"));
        bool first = true;
        while (reader.readNextStartElement()) {
            if (reader.name() != QLatin1String("o"))
                damaged(QStringLiteral("unexpected element %1").arg(reader.name()));
            TfrxPreparedObject object = readObject(reader, page, pages, texts);
            if (first && (object.FMask & TfrxPreparedObject::mChild))
                damaged(QStringLiteral("an object stands outside a band"));
            first = false;
            page.FObjects.push_back(std::move(object));
        }
        pages.appendPreparedPage(std::move(page));
    }
}

// The file's text numbers, each mapped to the number its text takes when loaded.
std::vector<int> readTexts(QXmlStreamReader& reader, TfrxPreviewPages& pages) {
    std::vector<int> texts;
    while (reader.readNextStartElement()) {
        if (reader.name() != QLatin1String("t"))
            damaged(QStringLiteral("unexpected element %1").arg(reader.name()));
        const QXmlStreamAttributes attributes = reader.attributes();
        if (attributes.hasAttribute(QLatin1String("x")))
            texts.push_back(pages.addText(attributes.value(QLatin1String("x"))));
        else if (attributes.hasAttribute(QLatin1String("xb")))
            texts.push_back(pages.addText(
                QString::fromUtf8(QByteArray::fromBase64(attributes.value(QLatin1String("xb")).toLatin1()))));
        else
            damaged(QStringLiteral("a text is missing"));
        reader.skipCurrentElement();
    }
    return texts;
}

void readSourcePages(QXmlStreamReader& reader, TfrxPreviewPages& pages) {
    while (reader.readNextStartElement()) {
        std::unique_ptr<TfrxComponent> component = frxXml::readComponent(reader, frxXml::TUnits::ReportUnits);
        auto* page = dynamic_cast<TfrxReportPage*>(component.get());
        if (!page)
            damaged(QStringLiteral("a source page is not a report page"));
        component.release();
        pages.addSourceClone(std::unique_ptr<TfrxReportPage>(page));
    }
}

void readDocument(QIODevice& xml, TfrxPreviewPages& pages) {
    QXmlStreamReader reader(&xml);
    if (!reader.readNextStartElement() || reader.name() != QLatin1String("preparedreport"))
        damaged(QStringLiteral("no prepared report inside"));
    if (!reader.readNextStartElement() || reader.name() != QLatin1String("sourcepages"))
        damaged(QStringLiteral("the source pages are missing"));
    readSourcePages(reader, pages);
    if (!reader.readNextStartElement() || reader.name() != QLatin1String("texts"))
        damaged(QStringLiteral("the texts are missing"));
    const std::vector<int> texts = readTexts(reader, pages);
    if (!reader.readNextStartElement() || reader.name() != QLatin1String("previewpages"))
        damaged(QStringLiteral("the pages are missing"));
    readPages(reader, pages, texts);
    if (reader.hasError())
        damaged(reader.errorString());
}

// Compresses what is written into the target device as one zlib stream, so a long
// report never needs its whole XML text in memory.
class TDeflateDevice : public QIODevice {
public:
    explicit TDeflateDevice(QIODevice& target) : FTarget(target) {
        deflateInit(&FStream, Z_BEST_SPEED);
        open(QIODevice::WriteOnly);
    }
    ~TDeflateDevice() override { deflateEnd(&FStream); }
    void finish() {
        pump(FPending.constData(), FPending.size(), Z_FINISH);
        FPending.clear();
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    // The XML writer hands over a few bytes at a time; deflating in larger pieces is much faster.
    qint64 writeData(const char* data, qint64 size) override {
        FPending.append(data, static_cast<qsizetype>(size));
        if (FPending.size() >= PieceSize) {
            pump(FPending.constData(), FPending.size(), Z_NO_FLUSH);
            FPending.clear();
        }
        return size;
    }

private:
    void pump(const char* data, qint64 size, int flush) {
        FStream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
        FStream.avail_in = static_cast<uInt>(size);
        int status = Z_OK;
        do {
            char out[65536];
            FStream.next_out = reinterpret_cast<Bytef*>(out);
            FStream.avail_out = sizeof out;
            status = deflate(&FStream, flush);
            const qint64 produced = static_cast<qint64>(sizeof out - FStream.avail_out);
            if (produced > 0 && FTarget.write(out, produced) != produced)
                throw EfrxError(
                    QStringLiteral("Cannot write the prepared report: %1").arg(FTarget.errorString()));
        } while (FStream.avail_out == 0 || (flush == Z_FINISH && status != Z_STREAM_END));
    }

    static constexpr qsizetype PieceSize = 65536;
    QIODevice& FTarget;
    z_stream FStream{};
    QByteArray FPending;
};

// Inflates the source device as the XML reader asks for text, so loading never holds
// the whole text either. A stream that is cut, altered (the stream's checksum) or
// that would grow beyond any real report marks the device failed.
class TInflateDevice : public QIODevice {
public:
    explicit TInflateDevice(QIODevice& source) : FSource(source) {
        inflateInit(&FStream);
        open(QIODevice::ReadOnly);
    }
    ~TInflateDevice() override { inflateEnd(&FStream); }
    bool isSequential() const override { return true; }
    // Complete and intact: the stream ended where the file ends.
    bool intact() const { return FFinished && !FFailed && FStream.avail_in == 0 && FSource.atEnd(); }

protected:
    qint64 writeData(const char*, qint64) override { return -1; }
    qint64 readData(char* data, qint64 maxSize) override {
        if (FFinished || FFailed || maxSize <= 0)
            return 0;
        FStream.next_out = reinterpret_cast<Bytef*>(data);
        FStream.avail_out = static_cast<uInt>(std::min<qint64>(maxSize, 1 << 20));
        while (FStream.avail_out == static_cast<uInt>(std::min<qint64>(maxSize, 1 << 20)) && !FFinished) {
            if (FStream.avail_in == 0) {
                FInput = FSource.read(65536);
                if (FInput.isEmpty())
                    return fail();
                FStream.next_in = reinterpret_cast<Bytef*>(FInput.data());
                FStream.avail_in = static_cast<uInt>(FInput.size());
            }
            const int status = inflate(&FStream, Z_NO_FLUSH);
            if (status == Z_STREAM_END)
                FFinished = true;
            else if (status != Z_OK)
                return fail();
        }
        const qint64 produced = std::min<qint64>(maxSize, 1 << 20) - FStream.avail_out;
        FTotal += produced;
        return FTotal > MaxDocument ? fail() : produced;
    }

private:
    qint64 fail() {
        FFailed = true;
        return 0;
    }

    QIODevice& FSource;
    z_stream FStream{};
    QByteArray FInput;
    qint64 FTotal = 0;
    bool FFinished = false;
    bool FFailed = false;
};
} // namespace

namespace frxZrp {
void save(const TfrxPreviewPages& pages, QIODevice& device) {
    if (device.write(Signature) != Signature.size())
        throw EfrxError(QStringLiteral("Cannot write the prepared report: %1").arg(device.errorString()));
    TDeflateDevice deflater(device);
    writeDocument(pages, deflater);
    deflater.finish();
}

std::unique_ptr<TfrxPreviewPages> load(QIODevice& device) {
    if (device.read(Signature.size()) != Signature)
        throw EfrxError(QStringLiteral("Not a prepared report file"));
    auto pages = std::make_unique<TfrxPreviewPages>();
    try {
        TInflateDevice xml(device);
        readDocument(xml, *pages);
        if (!xml.intact())
            damaged(QStringLiteral("the compressed data cannot be read"));
    } catch (const EfrxError& error) {
        if (error.message().startsWith(QLatin1String("The prepared report file is damaged")))
            throw;
        damaged(error.message());
    }
    return pages;
}

void saveToFile(const TfrxPreviewPages& pages, const QString& fileName) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw EfrxError(QStringLiteral("Cannot create %1: %2").arg(fileName, file.errorString()));
    save(pages, file);
    if (!file.commit())
        throw EfrxError(QStringLiteral("Cannot write %1: %2").arg(fileName, file.errorString()));
}

std::unique_ptr<TfrxPreviewPages> loadFromFile(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EfrxError(QStringLiteral("Cannot open %1: %2").arg(fileName, file.errorString()));
    return load(file);
}
} // namespace frxZrp
