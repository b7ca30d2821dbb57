#pragma once

#include <QString>
#include <memory>

class QXmlStreamReader;
class QXmlStreamWriter;
class TfrxComponent;

// Report objects as XML elements: the element is the class name, the attributes
// are the properties, children are nested. Templates give geometry of bands and
// objects in millimetres; snapshots and saved reports in report units.
namespace frxXml {
enum class TUnits { ReportUnits, Millimetres };

// Creates an object of a report class; none for an unknown class name.
std::unique_ptr<TfrxComponent> createComponent(const QString& className);
// Reads the element the reader stands on (a start element) with its children.
// Throws EfrxError for unknown classes, properties, bad values or deep nesting.
std::unique_ptr<TfrxComponent> readComponent(QXmlStreamReader& reader, TUnits units);
void writeComponent(QXmlStreamWriter& writer, const TfrxComponent& component);
} // namespace frxXml
