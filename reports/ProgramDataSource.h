#pragma once

#include "report_engine/run/DataSource.h"

class TDataSet;

// A program dataset as the report engine reads it. The report walks the very
// dataset the list window shows, so it prints what the user filtered and sorted.
class TProgramDataSource : public TfrxDataSource {
public:
    explicit TProgramDataSource(TDataSet* dataSet) : FDataSet(dataSet) {}

    bool active() const override;
    void open() override;
    void close() override;
    void first() override;
    void next() override;
    bool eof() const override;
    int recordCount() const override;
    QStringList unreadable() override;

    QStringList fieldNames() const override;
    int fieldIndex(const QString& name) const override;
    TfrxSourceFieldKind fieldKind(int field) const override;
    QVariant value(int field) const override;
    QString displayText(int field) const override;

    void disableControls() override;
    void enableControls() override;

    QVariant bookmark() const override;
    void gotoBookmark(const QVariant& bookmark) override;

    THandler afterOpen() const override;
    void setAfterOpen(THandler handler) override;
    THandler beforeClose() const override;
    void setBeforeClose(THandler handler) override;

private:
    TDataSet* FDataSet;
};
