#pragma once

#include "report_engine/run/DataSet.h"
#include "report_engine/run/DataSource.h"

#include <QStringList>
#include <QVariant>
#include <utility>
#include <vector>

// Binds a report dataset to a program dataset through its field aliases.
class TfrxDBDataset : public TfrxDataSet {
public:
    ~TfrxDBDataset() override;

    void Initialize() override;
    void Finalize() override;
    void First() override;
    void Next() override;
    bool Eof() override;
    int RecordCount() override;
    QVariant GetValue(const QString& alias) override;
    QString GetDisplayText(const QString& alias) override;
    TfrxFieldType GetFieldType(const QString& alias) override;
    bool HasField(const QString& alias) override;
    QStringList GetFieldList() override;

    QString ConvertAlias(const QString& alias) const;
    QString GetAlias(const QString& name) const;

    void setDataSource(TfrxDataSource* source) { FDataSource = source; }
    TfrxDataSource* dataSource() const { return FDataSource; }

    // Lines "name=alias"; a name starting with "-" hides the field.
    QStringList FieldAliases;
    // The program data source the template names; the application resolves it.
    QString DataSourceName;
    bool CloseDataSource = false;
    bool BCDToCurrency = false;
    bool OpenDataSource = true;

private:
    struct TField {
        QString FAlias;
        int FIndex = -1;
    };
    void Open();
    void hook();
    void unhook();
    void buildFields();
    const TField* findField(const QString& alias) const;
    QString reference(const QString& alias) const;
    void fieldNotFound(const QString& alias) const;

    TfrxDataSource* FDataSource = nullptr;
    std::vector<TField> FFields;
    // Aliases as report objects spell them, with their index in FFields; every row asks
    // again with the very same strings, so a shared buffer is recognised by its address.
    mutable std::vector<std::pair<QString, int>> FLookup;
    static constexpr size_t MaxLookups = 64;
    bool FInitialized = false;
    bool FHooked = false;
    bool FControlsDisabled = false; // by this run, so given back once
    bool FEof = false;
    QVariant FBookmark; // the record current when the run opened the dataset
    TfrxDataSource::THandler FSavedAfterOpen;
    TfrxDataSource::THandler FSavedBeforeClose;
};
