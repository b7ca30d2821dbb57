#include "report_engine/export/csv/CSVExport.h"

#include "report_engine/base/EngineUi.h"
#include "report_engine/base/ReportError.h"
#include "report_engine/export/common/CodePage.h"
#include "report_engine/model/Component.h"
#include "report_engine/model/FormatData.h"
#include "report_engine/model/MemoView.h"

TfrxCSVExport::TfrxCSVExport() : Separator(TfrxFormatSettings::current().ListSeparator) {}

TfrxCSVExport::~TfrxCSVExport() = default;

bool TfrxCSVExport::takeSetting(const QString& name, const QString& value) {
    if (name == QLatin1String("Separator")) {
        Separator = value;
        return true;
    }
    return takeFlag(name, value,
                    {{"OEMCodepage", &OEMCodepage},
                     {"UTF8", &UTF8},
                     {"NoSysSymbols", &NoSysSymbols},
                     {"ForcedQuotes", &ForcedQuotes},
                     {"OpenAfterExport", &OpenAfterExport}}) ||
           TfrxCustomExportFilter::takeSetting(name, value);
}

// A caller's stream needs no file, and so no dialog either.
bool TfrxCSVExport::ShowModal() {
    TfrxEngineUi* ui = TfrxEngineUi::installed();
    return Stream || !ui || ui->csvExportDialog(*this);
}

// A file that cannot be created ends the export with an error, as any other
// failure to write it does.
bool TfrxCSVExport::Start() {
    if (!openOutput())
        return false;
    FMatrix = std::make_unique<TfrxIEMatrix>();
    return true;
}

void TfrxCSVExport::StartPage(const TfrxReportPage&, int) {
    FMatrix->Clear();
}

void TfrxCSVExport::ExportObject(const TfrxComponent& object) {
    if (dynamic_cast<const TfrxView*>(&object))
        FMatrix->AddObject(object);
}

QByteArray TfrxCSVExport::encoded(const QString& text) const {
    return UTF8 ? text.toUtf8() : frxToAnsi(text);
}

// Row by row, the last row position only closing the rows above it. An object's
// text goes into its first cell; every further cell it covers, in this row or a
// lower one, adds a separator, so the columns of a row keep their places.
void TfrxCSVExport::FinishPage(const TfrxReportPage&, int) {
    FMatrix->Prepare();
    const QByteArray separator = frxToAnsi(Separator);
    for (int y = 0; y < FMatrix->Height() - 1; ++y) {
        QByteArray row;
        for (int x = 0; x < FMatrix->Width(); ++x) {
            TfrxIEMObject* object = FMatrix->GetObject(x, y);
            if (!object)
                continue;
            if (object->Counter == 0) {
                row += PrepareString(encoded(object->Memo));
                object->Counter = 1;
            } else {
                row += separator;
            }
        }
        // The row's last separator gives way to the line end.
        row.chop(row.isEmpty() ? 0 : 1);
        write(row + "\r\n");
    }
}

void TfrxCSVExport::Finish() {
    FMatrix.reset();
    closeOutput(OpenAfterExport);
}

QByteArray TfrxCSVExport::PrepareString(QByteArray text) const {
    const QChar first = Separator.isEmpty() ? TfrxFormatSettings::current().ListSeparator : Separator.front();
    const char separator = static_cast<char>(first.unicode() & 0xFF);
    if (OEMCodepage)
        text = frxAnsiToOem(text);
    if (text.size() > 1 && text.endsWith("\r\n"))
        text.chop(2);
    if (NoSysSymbols)
        text.removeIf([](char c) { return static_cast<unsigned char>(c) < 32; });
    if (text.isEmpty())
        return QByteArray(1, separator);
    const bool special =
        text.contains(separator) || text.contains('"') ||
        std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 32; });
    if (special)
        return '"' + text.replace("\"", "\"\"") + '"' + separator;
    if (ForcedQuotes)
        return '"' + text + '"' + separator;
    return text + separator;
}
