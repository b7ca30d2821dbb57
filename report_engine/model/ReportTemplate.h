#pragma once

#include <QByteArray>
#include <QString>

class TfrxReport;

// Loads a report template from our XML form into a report, replacing what it held.
// Throws EfrxError with a readable message when the template cannot be used.
namespace frxTemplate {
void load(TfrxReport& report, const QByteArray& xml);
void loadFile(TfrxReport& report, const QString& path); // a file or a ":/" resource
} // namespace frxTemplate
