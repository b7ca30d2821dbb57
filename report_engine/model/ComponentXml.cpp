#include "report_engine/model/ComponentXml.h"

#include "report_engine/base/ReportError.h"
#include "report_engine/base/ReportUnits.h"
#include "report_engine/model/Bands.h"
#include "report_engine/model/MemoView.h"
#include "report_engine/model/Page.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <functional>

namespace {
// Report trees are shallow (page, band, object); anything deeper is a damaged file.
constexpr int MaxDepth = 8;

std::unique_ptr<TfrxComponent> create(const QString& className) {
    static const std::pair<const char*, std::function<std::unique_ptr<TfrxComponent>()>> classes[] = {
        {"TfrxReportPage", [] { return std::make_unique<TfrxReportPage>(); }},
        {"TfrxDataPage", [] { return std::make_unique<TfrxDataPage>(); }},
        {"TfrxReportTitle", [] { return std::make_unique<TfrxReportTitle>(); }},
        {"TfrxPageHeader", [] { return std::make_unique<TfrxPageHeader>(); }},
        {"TfrxPageFooter", [] { return std::make_unique<TfrxPageFooter>(); }},
        {"TfrxHeader", [] { return std::make_unique<TfrxHeader>(); }},
        {"TfrxFooter", [] { return std::make_unique<TfrxFooter>(); }},
        {"TfrxMasterData", [] { return std::make_unique<TfrxMasterData>(); }},
        {"TfrxMemoView", [] { return std::make_unique<TfrxMemoView>(); }},
        {"TfrxSysMemoView", [] { return std::make_unique<TfrxSysMemoView>(); }},
    };
    for (const auto& [name, factory] : classes)
        if (className == QLatin1String(name))
            return factory();
    return nullptr;
}

bool isGeometry(const QString& name) {
    return name == QLatin1String("Left") || name == QLatin1String("Top") || name == QLatin1String("Width") ||
           name == QLatin1String("Height");
}

std::unique_ptr<TfrxComponent> readElement(QXmlStreamReader& reader, frxXml::TUnits units, int depth) {
    if (depth > MaxDepth)
        throw EfrxError(QStringLiteral("Objects are nested too deeply"));
    const QString className = reader.name().toString();
    std::unique_ptr<TfrxComponent> component = create(className);
    if (!component)
        throw EfrxError(QStringLiteral("Unknown report class \"%1\"").arg(className));
    // Pages take their size from the paper; only bands and objects are given in millimetres.
    const bool millimetres =
        units == frxXml::TUnits::Millimetres && !dynamic_cast<TfrxPage*>(component.get());
    for (const QXmlStreamAttribute& attribute : reader.attributes()) {
        const QString name = attribute.name().toString();
        QString value = attribute.value().toString();
        if (millimetres && isGeometry(name))
            value = frxProp::fromFloat(frxMmToUnits(frxProp::toFloat(value)));
        if (!component->readProperty(name, value))
            throw EfrxError(QStringLiteral("%1 has no property \"%2\"").arg(className, name));
    }
    while (reader.readNextStartElement())
        component->add(readElement(reader, units, depth + 1));
    if (reader.hasError())
        throw EfrxError(reader.errorString());
    return component;
}
} // namespace

namespace frxXml {
std::unique_ptr<TfrxComponent> createComponent(const QString& className) {
    return create(className);
}

std::unique_ptr<TfrxComponent> readComponent(QXmlStreamReader& reader, TUnits units) {
    return readElement(reader, units, 0);
}

void writeComponent(QXmlStreamWriter& writer, const TfrxComponent& component) {
    writer.writeStartElement(component.ClassName());
    TfrxPropertyList properties;
    component.writeProperties(properties);
    for (const auto& [name, value] : properties)
        writer.writeAttribute(name, value);
    for (const auto& child : component.Objects())
        writeComponent(writer, *child);
    writer.writeEndElement();
}
} // namespace frxXml
