#include "report_engine/prepared/ZrpFile.h"

#include "report_engine/base/OutputFile.h"
#include "report_engine/base/ReportError.h"
#include "report_engine/model/Bands.h"
#include "report_engine/model/Component.h"
#include "report_engine/model/ComponentXml.h"
#include "report_engine/prepared/PreviewPages.h"
#include "report_engine/prepared/ZrpEncoder.h"

#include <QFile>
#include <QXmlStreamReader>
#include <limits>

namespace {
const QByteArray Signature("ZRP2");
constexpr int AnyCount = std::numeric_limits<int>::max();
constexpr qint64 MaxText = qint64(1) << 28;
constexpr quint8 KnownMask = 63;

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
    while (in.number(2) == 1) {
        TfrxPreparedPage page;
        page.FSourcePage = in.number(static_cast<int>(pages.sourcePages().size()));
        page.FLogicalNo = in.number(AnyCount);
        const int objects = in.number(AnyCount);
        for (int i = 0; i < objects; ++i) {
            TfrxPreparedObject object = readObject(in, page, pages, texts);
            if (i == 0 && (object.FMask & TfrxPreparedObject::mChild))
                damaged(QStringLiteral("an object stands outside a band"));
            page.add(object);
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
void writeSignature(QIODevice& device) {
    if (device.write(Signature) != Signature.size())
        throw EfrxError(QStringLiteral("Cannot write the prepared report: %1").arg(device.errorString()));
}

void save(const TfrxPreviewPages& pages, QIODevice& device) {
    writeSignature(device);
    TZrpDeflater deflater(device);
    TZrpEncoder encoder;
    encoder.sourcePages(pages);
    for (const TfrxPreparedPage& page : pages.preparedPages()) {
        encoder.page(pages, page);
        encoder.out().writeTo(deflater);
    }
    encoder.end();
    encoder.out().writeTo(deflater);
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
    TfrxOutputFile file(fileName);
    try {
        save(pages, file.device());
    } catch (const EfrxError&) {
        file.check(); // a refused write is the file's error, with its name
        throw;
    }
    file.commit();
}

std::unique_ptr<TfrxPreviewPages> loadFromFile(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EfrxError(QStringLiteral("Cannot open %1: %2").arg(fileName, file.errorString()));
    return load(file);
}
} // namespace frxZrp
