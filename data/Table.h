#pragma once

#include "data/DataSet.h"

// A dataset over one table, opened by the table's name; written row by row by id.
class TTable : public TDataSet {
    Q_OBJECT
public:
    explicit TTable(QString tableName, QObject* parent = nullptr)
        : TDataSet(parent), TableName(std::move(tableName)) {}
    QString TableName;

protected:
    QString selectText() const override;
    QString writeTable() const override { return TableName; }
};
