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
    // What an export that failed left unwritten is not this one's.
    FPending.truncate(0);
    return true;
}

void TfrxCSVExport::StartPage(const TfrxReportPage&, int) {
    FMatrix->Clear();
}

// Of the views only text objects reach the grid, and it tells them from other
// objects itself.
void TfrxCSVExport::ExportObject(const TfrxComponent& object) {
    FMatrix->AddObject(object);
}

// Row by row, the last row position only closing the rows above it. An object's
// text goes into its first cell; every further cell it covers, in this row or a
// lower one, adds a separator, so the columns of a row keep their places. The
// lines gather in one buffer, written out when it holds a few pages.
void TfrxCSVExport::FinishPage(const TfrxReportPage&, int) {
    FMatrix->Prepare();
    const QByteArray separator = frxToAnsi(Separator);
    for (int y = 0; y < FMatrix->Height() - 1; ++y) {
        const qsizetype rowStart = FPending.size();
        for (int x = 0; x < FMatrix->Width(); ++x) {
            TfrxIEMObject* object = FMatrix->GetObject(x, y);
            if (!object)
                continue;
            if (object->Counter == 0) {
                AppendCell(FPending, object->Memo);
                object->Counter = 1;
            } else {
                FPending += separator;
            }
        }
        // The row's last separator gives way to the line end.
        if (FPending.size() > rowStart)
            FPending.chop(1);
        FPending += "\r\n";
    }
    if (FPending.size() >= WriteSize)
        writePending();
}

void TfrxCSVExport::writePending() {
    write(FPending);
    FPending.truncate(0);
}

void TfrxCSVExport::Finish() {
    writePending();
    FMatrix.reset();
    closeOutput(OpenAfterExport);
}

char TfrxCSVExport::separatorByte() const {
    const QChar first = Separator.isEmpty() ? TfrxFormatSettings::current().ListSeparator : Separator.front();
    return static_cast<char>(first.unicode() & 0xFF);
}

// The text is encoded into place at the end of the output and mended there; only
// a text that needs quotes is copied once more.
void TfrxCSVExport::AppendCell(QByteArray& out, QStringView text) const {
    const auto isControl = [](char c) { return static_cast<unsigned char>(c) < 32; };
    const qsizetype start = out.size();
    if (UTF8)
        out += text.toUtf8();
    else
        frxAppendAnsi(out, text);
    if (OEMCodepage)
        frxAnsiToOem(out.data() + start, out.data() + out.size());
    qsizetype end = out.size();
    if (end - start > 1 && out.at(end - 2) == '\r' && out.at(end - 1) == '\n')
        end -= 2;
    if (NoSysSymbols)
        end = std::remove_if(out.data() + start, out.data() + end, isControl) - out.constData();
    out.truncate(end);
    const char separator = separatorByte();
    const QByteArrayView cell(out.constData() + start, end - start);
    const auto needsQuotes = [&](char c) { return c == separator || c == '"' || isControl(c); };
    if (std::any_of(cell.begin(), cell.end(), needsQuotes)) {
        QByteArray quoted = cell.toByteArray().replace("\"", "\"\"");
        out.truncate(start);
        out += '"';
        out += quoted;
        out += '"';
    } else if (ForcedQuotes && !cell.isEmpty()) {
        out.insert(start, '"');
        out += '"';
    }
    out += separator;
}
