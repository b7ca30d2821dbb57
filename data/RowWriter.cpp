#include "data/RowWriter.h"

#include "data/Connection.h"
#include "data/DataSet.h"
#include "data/Exception.h"
#include "data/Transaction.h"

namespace {

QVariant sqlValue(const TField* field, const QVariant& value) {
    if (!value.isValid() || value.isNull()) {
        return QVariant(QMetaType::fromType<QString>());
    }
    switch (field->DataType()) {
    case TFieldType::DateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case TFieldType::Boolean:
        return value.toBool() ? 1 : 0;
    default:
        return value;
    }
}

} // namespace

TRowWriter::TRowWriter(TDataSet& dataSet, QString table) : FDataSet(dataSet), FTable(std::move(table)) {}

void TRowWriter::collect(const std::vector<QVariant>& record) {
    for (const auto& field : FDataSet.Fields()) {
        if (field->FieldKind() == TFieldKind::Data && field->DataType() != TFieldType::AutoInc) {
            FColumns << field->FieldName();
            FValues << sqlValue(field.get(), record[size_t(field->Index())]);
        }
    }
}

void TRowWriter::write(const std::vector<QVariant>& record,
                       const std::function<void(TDatabaseEngine& engine)>& statement) {
    collect(record);
    TDatabaseEngine& engine = FDataSet.Connection->Engine();
    TTransaction transaction(engine);
    if (FDataSet.BeforeWrite) {
        FDataSet.BeforeWrite(&FDataSet);
    }
    statement(engine);
    transaction.Commit();
}

qint64 TRowWriter::insert(const std::vector<QVariant>& record) {
    qint64 id = 0;
    write(record, [this, &id](TDatabaseEngine& engine) { id = engine.insert(FTable, FColumns, FValues); });
    return id;
}

void TRowWriter::update(const std::vector<QVariant>& record, qint64 id) {
    write(record, [this, id](TDatabaseEngine& engine) {
        if (engine.update(FTable, FColumns, FValues, id) != 1) {
            throw EDatabaseError(
                QStringLiteral("%1: the record was deleted by another user").arg(FDataSet.objectName()));
        }
    });
}

void TRowWriter::remove(qint64 id) {
    FDataSet.Connection->Engine().remove(FTable, id);
}
