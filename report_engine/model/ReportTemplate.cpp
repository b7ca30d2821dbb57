#include "report_engine/model/ReportTemplate.h"

#include "report_engine/base/ReportError.h"
#include "report_engine/model/ComponentXml.h"
#include "report_engine/model/Page.h"
#include "report_engine/model/Report.h"
#include "report_engine/run/DBDataset.h"

#include <QFile>
#include <QXmlStreamReader>

namespace {
QString required(const QXmlStreamReader& reader, const char* name) {
    const QString value = reader.attributes().value(QLatin1String(name)).toString();
    if (value.isEmpty())
        throw EfrxError(
            QStringLiteral("%1 needs the attribute %2").arg(reader.name().toString(), QLatin1String(name)));
    return value;
}

void readReportAttributes(QXmlStreamReader& reader, TfrxReport& report) {
    for (const QXmlStreamAttribute& attribute : reader.attributes()) {
        const QString name = attribute.name().toString();
        const QString value = attribute.value().toString();
        if (name == QLatin1String("Name"))
            report.Name = value;
        else if (name == QLatin1String("Version"))
            report.Version = value;
        else if (name == QLatin1String("IniFile"))
            report.IniFile = value;
        else if (name == QLatin1String("ScriptLanguage"))
            report.ScriptLanguage = value;
        else if (name == QLatin1String("Style"))
            report.Style = value;
        else if (name == QLatin1String("DotMatrixReport"))
            report.DotMatrixReport = frxProp::toBool(value);
        else if (name == QLatin1String("OldStyleProgress"))
            report.OldStyleProgress = frxProp::toBool(value);
        else if (name == QLatin1String("ShowProgress"))
            report.ShowProgress = frxProp::toBool(value);
        else if (name != QLatin1String("Units"))
            throw EfrxError(QStringLiteral("TfrxReport has no property \"%1\"").arg(name));
    }
}

void readDataSet(QXmlStreamReader& reader, TfrxReport& report) {
    auto dataSet = std::make_unique<TfrxDBDataset>();
    dataSet->Name = required(reader, "Name");
    dataSet->UserName = reader.attributes().hasAttribute(QLatin1String("UserName"))
                            ? reader.attributes().value(QLatin1String("UserName")).toString()
                            : dataSet->Name;
    dataSet->DataSourceName = reader.attributes().value(QLatin1String("DataSource")).toString();
    const auto flag = [&reader](const char* name, bool fallback) {
        const QString text = reader.attributes().value(QLatin1String(name)).toString();
        return text.isEmpty() ? fallback : frxProp::toBool(text);
    };
    dataSet->CloseDataSource = flag("CloseDataSource", false);
    dataSet->BCDToCurrency = flag("BCDToCurrency", false);
    dataSet->OpenDataSource = flag("OpenDataSource", true);
    while (reader.readNextStartElement()) {
        if (reader.name() != QLatin1String("FieldAlias"))
            throw EfrxError(
                QStringLiteral("Unexpected element %1 in a dataset").arg(reader.name().toString()));
        dataSet->FieldAliases.append(reader.readElementText());
    }
    report.addDataSet(std::move(dataSet));
}

void readSettings(QXmlStreamReader& reader, TfrxPropertyList& list) {
    while (reader.readNextStartElement()) {
        list.append({required(reader, "Name"), reader.attributes().value(QLatin1String("Value")).toString()});
        reader.skipCurrentElement();
    }
}

void readChild(QXmlStreamReader& reader, TfrxReport& report, frxXml::TUnits units) {
    const QStringView name = reader.name();
    if (name == QLatin1String("TfrxDBDataset"))
        readDataSet(reader, report);
    else if (name == QLatin1String("DataSetItem")) {
        const QString dataSetName = required(reader, "DataSetName");
        report.Datasets.append(
            {report.findDBDataset(reader.attributes().value(QLatin1String("DataSet")).toString()),
             dataSetName});
        reader.skipCurrentElement();
    } else if (name == QLatin1String("Variable")) {
        const QXmlStreamAttributes attributes = reader.attributes();
        report.Variables.append({attributes.value(QLatin1String("Name")).toString(),
                                 attributes.hasAttribute(QLatin1String("Value"))
                                     ? QVariant(attributes.value(QLatin1String("Value")).toString())
                                     : QVariant()});
        reader.skipCurrentElement();
    } else if (name == QLatin1String("ScriptText"))
        report.ScriptText = reader.readElementText().split(QLatin1Char('\n'));
    else if (name == QLatin1String("Options"))
        readSettings(reader, report.Options);
    else if (name == QLatin1String("ExportFilter")) {
        TfrxPropertyList settings{{QStringLiteral("Class"), required(reader, "Class")}};
        const QString filterName = required(reader, "Name");
        readSettings(reader, settings);
        report.ExportFilters.append({filterName, settings});
    } else {
        std::unique_ptr<TfrxComponent> component = frxXml::readComponent(reader, units);
        if (!dynamic_cast<TfrxPage*>(component.get()))
            throw EfrxError(QStringLiteral("%1 cannot stand outside a page").arg(component->ClassName()));
        report.addPage(std::unique_ptr<TfrxPage>(static_cast<TfrxPage*>(component.release())));
    }
}
} // namespace

namespace frxTemplate {
void load(TfrxReport& report, const QByteArray& xml) {
    QXmlStreamReader reader(xml);
    if (!reader.readNextStartElement() || reader.name() != QLatin1String("TfrxReport"))
        throw EfrxError(QStringLiteral("Not a report template"));
    report.clearPages();
    report.clearDataSets();
    report.Variables.clear();
    report.Options.clear();
    report.ExportFilters.clear();
    const frxXml::TUnits units = reader.attributes().value(QLatin1String("Units")) == QLatin1String("mm")
                                     ? frxXml::TUnits::Millimetres
                                     : frxXml::TUnits::ReportUnits;
    readReportAttributes(reader, report);
    while (reader.readNextStartElement())
        readChild(reader, report, units);
    const QLatin1String printOption("PrintOptions.");
    report.PrintOptions = {};
    for (const auto& [name, value] : report.Options)
        if (name.startsWith(printOption))
            report.PrintOptions.takeSetting(name.mid(printOption.size()), value);
    if (reader.hasError())
        throw EfrxError(QStringLiteral("Template error at line %1: %2")
                            .arg(reader.lineNumber())
                            .arg(reader.errorString()));
}

void loadFile(TfrxReport& report, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EfrxError(QStringLiteral("Cannot open the template %1").arg(path));
    load(report, file.readAll());
}
} // namespace frxTemplate
