#pragma once

#include <QString>
#include <QVariant>
#include <functional>
#include <vector>

class TDataSet;
class TDatabaseEngine;

// Writes the records of a dataset to its table: one statement per record, so a
// row is written whole or not at all, each in a transaction of its own inside
// which the dataset's BeforeWrite runs first. A record is a value per field of
// the dataset; only its data fields are written, the key left to the database.
class TRowWriter {
public:
    TRowWriter(TDataSet& dataSet, QString table);

    // Returns the key the database gave the new row.
    qint64 insert(const std::vector<QVariant>& record);
    // Throws EDatabaseError when another user has deleted the row meanwhile.
    void update(const std::vector<QVariant>& record, qint64 id);
    void remove(qint64 id);

private:
    void collect(const std::vector<QVariant>& record);
    // Runs `statement` over the record in a transaction of its own, after BeforeWrite.
    void write(const std::vector<QVariant>& record,
               const std::function<void(TDatabaseEngine& engine)>& statement);

    TDataSet& FDataSet;
    QString FTable;
    QStringList FColumns;
    QVariantList FValues;
};
