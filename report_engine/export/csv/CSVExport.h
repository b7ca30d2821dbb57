#pragma once

#include "report_engine/export/common/ExportFilter.h"
#include "report_engine/export/common/IEMatrix.h"

#include <QByteArray>
#include <memory>

// Writes prepared pages as separated values: a grid is laid over each page
// (TfrxIEMatrix) and each of its rows becomes a line, each object's text one field.
class TfrxCSVExport : public TfrxCustomExportFilter {
public:
    TfrxCSVExport();
    ~TfrxCSVExport() override;

    QString GetDescription() const override { return QStringLiteral("CSV file"); }
    bool ShowModal() override;
    bool Start() override;
    void StartPage(const TfrxReportPage& page, int index) override;
    void ExportObject(const TfrxComponent& object) override;
    void FinishPage(const TfrxReportPage& page, int index) override;
    void Finish() override;

    // Appends a cell's text as it is written: encoded, quoted when it must be,
    // followed by the separator.
    void AppendCell(QByteArray& out, QStringView text) const;

    QString Separator; // the user's list separator unless set
    bool OEMCodepage = false;
    bool UTF8 = false;
    bool NoSysSymbols = true;
    bool ForcedQuotes = false;
    bool OpenAfterExport = false;

protected:
    bool takeSetting(const QString& name, const QString& value) override;

private:
    char separatorByte() const;
    void writePending();

    static constexpr qsizetype WriteSize = 1 << 16;
    std::unique_ptr<TfrxIEMatrix> FMatrix;
    QByteArray FPending; // lines not yet written, the room kept once they are
};
