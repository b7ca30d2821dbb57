#include "report_engine/ZrpFile.h"

#include "report_engine/Bands.h"
#include "report_engine/Component.h"
#include "report_engine/ComponentXml.h"
#include "report_engine/PreviewPages.h"
#include "report_engine/ReportError.h"
#include "report_engine/ZrpStream.h"

#include <QFile>
#include <QSaveFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <limits>

// After the signature, one zlib stream holds:
//   the source pages as XML (their length, then the text);
//   the number of pages, and for each page its source page, its logical number,
//   the number of its objects and the objects: the alias number, the mask of what
//   differs from the source object, the differing numbers, and for a text either
//   0 followed by a new text (which takes the next text number) or 1 + the number
//   of a text given before. Texts thus come where they are first used, so a page
//   never refers forward and each distinct text is stored once.
namespace {
const QByteArray Signature("ZRP2");
constexpr int AnyCount = std::numeric_limits<int>::max();
constexpr qint64 MaxText = qint64(1) << 28;
constexpr quint8 KnownMask = 63;

QByteArray sourcePagesXml(const TfrxPreviewPages& pages) {
    QByteArray xml;
    QXmlStreamWriter writer(&xml);
    writer.writeStartElement(QStringLiteral("sourcepages"));
    for (const auto& source : pages.sourcePages())
        frxXml::writeComponent(writer, *source);
    writer.writeEndElement();
    return xml;
}

// Writes the pages; fileNumbers maps a text to its number in the file, or -1 until written.
void writePage(TZrpWriter& out, const TfrxPreviewPages& pages, const TfrxPreparedPage& page,
               std::vector<int>& fileNumbers, int& textsWritten) {
    out.number(static_cast<quint64>(page.FSourcePage));
    out.number(static_cast<quint64>(page.FLogicalNo));
    out.number(page.FObjects.size());
    for (const TfrxPreparedObject& object : page.FObjects) {
        out.number(static_cast<quint64>(object.FAlias));
        out.byte(object.FMask);
        size_t value = static_cast<size_t>(object.FValues);
        for (int i = 0; i < 4; ++i)
            if (object.FMask & (1 << i))
                out.real(page.FValues[value++]);
        if (!(object.FMask & TfrxPreparedObject::mText))
            continue;
        int& number = fileNumbers[static_cast<size_t>(object.FText)];
        if (number >= 0) {
            out.number(static_cast<quint64>(number) + 1);
            continue;
        }
        number = textsWritten++;
        out.number(0);
        out.bytes(pages.text(object).toUtf8());
    }
    out.flush();
}

void writeDocument(const TfrxPreviewPages& pages, QIODevice& device) {
    TZrpWriter out(device);
    out.bytes(sourcePagesXml(pages));
    out.number(pages.preparedPages().size());
    std::vector<int> fileNumbers(static_cast<size_t>(pages.texts().count()), -1);
    int textsWritten = 0;
    for (const TfrxPreparedPage& page : pages.preparedPages())
        writePage(out, pages, page, fileNumbers, textsWritten);
    out.flush();
}

[[noreturn]] void damaged(const QString& why) {
    throw EfrxError(QStringLiteral("The prepared report file is damaged: %1").arg(why));
}

void readSourcePages(const QByteArray& xml, TfrxPreviewPages& pages) {
    QXmlStreamReader reader(xml);
    if (!reader.readNextStartElement() || reader.name() != QLatin1String("sourcepages"))
        damaged(QStringLiteral("the source pages are missing"));
    while (reader.readNextStartElement()) {
        std::unique_ptr<TfrxComponent> component = frxXml::readComponent(reader, frxXml::TUnits::ReportUnits);
        auto* page = dynamic_cast<TfrxReportPage*>(component.get());
        if (!page)
            damaged(QStringLiteral("a source page is not a report page"));
        component.release();
        pages.addSourceClone(std::unique_ptr<TfrxReportPage>(page));
    }
    if (reader.hasError())
        damaged(reader.errorString());
}

TfrxPreparedObject readObject(TZrpReader& in, TfrxPreparedPage& page, TfrxPreviewPages& pages,
                              std::vector<int>& texts) {
    TfrxPreparedObject object;
    object.FAlias = in.number(static_cast<int>(pages.sourceObjects().size()));
    object.FMask = in.byte();
    if (object.FMask & ~KnownMask)
        damaged(QStringLiteral("an object has unknown properties"));
    if (!(object.FMask & TfrxPreparedObject::mChild) &&
        dynamic_cast<const TfrxBand*>(pages.sourceObjects()[static_cast<size_t>(object.FAlias)].FClone) ==
            nullptr)
        damaged(QStringLiteral("an object stands outside a band"));
    object.FValues = static_cast<qint32>(page.FValues.size());
    for (int i = 0; i < 4; ++i)
        if (object.FMask & (1 << i))
            page.FValues.push_back(in.real());
    if (object.FMask & TfrxPreparedObject::mText) {
        const int reference = in.number(static_cast<int>(texts.size()) + 1);
        if (reference == 0)
            texts.push_back(pages.addText(QString::fromUtf8(in.bytes(MaxText))));
        object.FText = texts[static_cast<size_t>(reference == 0 ? texts.size() - 1 : reference - 1)];
    }
    return object;
}

void readPages(TZrpReader& in, TfrxPreviewPages& pages) {
    std::vector<int> texts; // the file's text numbers, as numbered once loaded
    const int count = in.number(AnyCount);
    for (int p = 0; p < count; ++p) {
        TfrxPreparedPage page;
        page.FSourcePage = in.number(static_cast<int>(pages.sourcePages().size()));
        page.FLogicalNo = in.number(AnyCount);
        const int objects = in.number(AnyCount);
        for (int i = 0; i < objects; ++i) {
            TfrxPreparedObject object = readObject(in, page, pages, texts);
            if (i == 0 && (object.FMask & TfrxPreparedObject::mChild))
                damaged(QStringLiteral("an object stands outside a band"));
            page.FObjects.push_back(object);
        }
        pages.appendPreparedPage(std::move(page));
    }
}

void readDocument(TZrpInflater& device, TfrxPreviewPages& pages) {
    TZrpReader in(device);
    readSourcePages(in.bytes(MaxText), pages);
    readPages(in, pages);
    if (!in.atEnd())
        damaged(QStringLiteral("unexpected data after the last page"));
}
} // namespace

namespace frxZrp {
void save(const TfrxPreviewPages& pages, QIODevice& device) {
    if (device.write(Signature) != Signature.size())
        throw EfrxError(QStringLiteral("Cannot write the prepared report: %1").arg(device.errorString()));
    TZrpDeflater deflater(device);
    writeDocument(pages, deflater);
    deflater.finish();
}

std::unique_ptr<TfrxPreviewPages> load(QIODevice& device) {
    if (device.read(Signature.size()) != Signature)
        throw EfrxError(QStringLiteral("Not a prepared report file"));
    auto pages = std::make_unique<TfrxPreviewPages>();
    try {
        TZrpInflater stream(device);
        readDocument(stream, *pages);
        if (!stream.intact())
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
