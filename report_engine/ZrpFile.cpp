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
#include <QtEndian>

namespace {
const QByteArray Signature("ZRP1");
// Deflate cannot expand data by more than about 1032 times; a larger claim is a lie.
constexpr qint64 MaxExpansion = 1100;
constexpr qint64 MaxDocument = qint64(1) << 30;
const char* const GeometryNames[] = {"l", "t", "w", "h"};

void writeObject(QXmlStreamWriter& writer, const TfrxPreparedPage& page, const TfrxPreparedObject& object,
                 const TfrxPreviewPages& pages) {
    writer.writeStartElement(QStringLiteral("o"));
    writer.writeAttribute(QStringLiteral("a"),
                          pages.sourceObjects()[static_cast<size_t>(object.FAlias)].FAlias);
    if (object.FMask & TfrxPreparedObject::mChild)
        writer.writeAttribute(QStringLiteral("c"), QStringLiteral("1"));
    size_t value = static_cast<size_t>(object.FValues);
    for (int i = 0; i < 4; ++i)
        if (object.FMask & (1 << i))
            writer.writeAttribute(QLatin1String(GeometryNames[i]), frxProp::fromFloat(page.FValues[value++]));
    if (object.FMask & TfrxPreparedObject::mText)
        writer.writeAttribute(QStringLiteral("x"), object.FText);
    writer.writeEndElement();
}

QByteArray document(const TfrxPreviewPages& pages) {
    QByteArray xml;
    QXmlStreamWriter writer(&xml);
    writer.writeStartDocument();
    writer.writeStartElement(QStringLiteral("preparedreport"));
    writer.writeStartElement(QStringLiteral("sourcepages"));
    for (const auto& source : pages.sourcePages())
        frxXml::writeComponent(writer, *source);
    writer.writeEndElement();
    writer.writeStartElement(QStringLiteral("previewpages"));
    for (const TfrxPreparedPage& page : pages.preparedPages()) {
        writer.writeStartElement(QStringLiteral("page"));
        writer.writeAttribute(QStringLiteral("source"), QString::number(page.FSourcePage));
        writer.writeAttribute(QStringLiteral("n"), QString::number(page.FLogicalNo));
        for (const TfrxPreparedObject& object : page.FObjects)
            writeObject(writer, page, object, pages);
        writer.writeEndElement();
    }
    writer.writeEndElement();
    writer.writeEndElement();
    writer.writeEndDocument();
    return xml;
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

TfrxPreparedObject readObject(QXmlStreamReader& reader, TfrxPreparedPage& page,
                              const TfrxPreviewPages& pages) {
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
    if (attributes.hasAttribute(QLatin1String("x"))) {
        object.FMask |= TfrxPreparedObject::mText;
        object.FText = attributes.value(QLatin1String("x")).toString();
    }
    reader.skipCurrentElement();
    return object;
}

void readPages(QXmlStreamReader& reader, TfrxPreviewPages& pages) {
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
            TfrxPreparedObject object = readObject(reader, page, pages);
            if (first && (object.FMask & TfrxPreparedObject::mChild))
                damaged(QStringLiteral("an object stands outside a band"));
            first = false;
            page.FObjects.push_back(std::move(object));
        }
        pages.appendPreparedPage(std::move(page));
    }
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

void readDocument(const QByteArray& xml, TfrxPreviewPages& pages) {
    QXmlStreamReader reader(xml);
    if (!reader.readNextStartElement() || reader.name() != QLatin1String("preparedreport"))
        damaged(QStringLiteral("no prepared report inside"));
    if (!reader.readNextStartElement() || reader.name() != QLatin1String("sourcepages"))
        damaged(QStringLiteral("the source pages are missing"));
    readSourcePages(reader, pages);
    if (!reader.readNextStartElement() || reader.name() != QLatin1String("previewpages"))
        damaged(QStringLiteral("the pages are missing"));
    readPages(reader, pages);
    if (reader.hasError())
        damaged(reader.errorString());
}

QByteArray uncompress(const QByteArray& packed) {
    if (packed.size() < 4)
        damaged(QStringLiteral("the file is too short"));
    const qint64 claimed = qFromBigEndian<quint32>(packed.constData());
    if (claimed > MaxDocument || claimed > MaxExpansion * packed.size())
        damaged(QStringLiteral("the stated size is impossible"));
    const QByteArray xml = qUncompress(packed);
    if (xml.isEmpty() || xml.size() != claimed)
        damaged(QStringLiteral("the compressed data cannot be read"));
    return xml;
}
} // namespace

namespace frxZrp {
void save(const TfrxPreviewPages& pages, QIODevice& device) {
    const QByteArray packed = qCompress(document(pages), 6);
    if (device.write(Signature) != Signature.size() || device.write(packed) != packed.size())
        throw EfrxError(QStringLiteral("Cannot write the prepared report: %1").arg(device.errorString()));
}

std::unique_ptr<TfrxPreviewPages> load(QIODevice& device) {
    if (device.read(Signature.size()) != Signature)
        throw EfrxError(QStringLiteral("Not a prepared report file"));
    if (device.size() - device.pos() > MaxDocument)
        damaged(QStringLiteral("the file is too large"));
    auto pages = std::make_unique<TfrxPreviewPages>();
    try {
        readDocument(uncompress(device.readAll()), *pages);
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
