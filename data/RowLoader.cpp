#include "data/RowLoader.h"

#include "data/DataSet.h"
#include "data/Exception.h"
#include "data/RowReader.h"
#include "data/RowStore.h"
#include "data/StoredDateTime.h"

namespace {

int columnIndex(const QStringList& names, const QString& name) {
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (names[i].compare(name, Qt::CaseInsensitive) == 0) {
            return int(i);
        }
    }
    return -1;
}

} // namespace

TRowLoader::TRowLoader(const TDataSet& dataSet) : FDataSet(dataSet) {
    FColumnOf.assign(dataSet.Fields().size(), -1);
    for (const auto& field : dataSet.Fields()) {
        if (field->FieldKind() == TFieldKind::Data) {
            FColumnOf[size_t(field->Index())] = int(FDataFields.size());
            FDataFields.push_back(field.get());
        }
    }
}

std::unique_ptr<TRowStore> TRowLoader::load(TRowReader& reader) const {
    QStringList names;
    for (int i = 0; i < reader.columnCount(); ++i) {
        names << reader.columnName(i);
    }
    std::vector<int> columns;
    std::vector<TFieldType> types;
    for (const TField* field : FDataFields) {
        columns.push_back(columnIndex(names, field->FieldName()));
        if (columns.back() < 0) {
            throw EDatabaseError(
                QStringLiteral("%1: Field '%2' not found").arg(FDataSet.objectName(), field->FieldName()));
        }
        types.push_back(field->DataType());
    }
    auto store = std::make_unique<TRowStore>(types);
    while (reader.step()) {
        const int row = store->appendRow();
        for (size_t c = 0; c < columns.size(); ++c) {
            readCell(reader, columns[c], *store, row, FDataFields[c]);
        }
    }
    store->squeeze();
    return store;
}

// Cells arrive as the engine stores them: integers, reals and text. A value the
// declared field cannot hold means the table is not the one the program knows.
void TRowLoader::readCell(TRowReader& reader, int readerColumn, TRowStore& store, int row,
                          const TField* field) const {
    const TRowReader::Kind kind = reader.kind(readerColumn);
    if (kind == TRowReader::Kind::Null) {
        return;
    }
    const int column = FColumnOf[size_t(field->Index())];
    if (kind == TRowReader::Kind::Stamp) {
        if (field->DataType() != TFieldType::DateTime) {
            incompatible(field, TRowStore::fromStamp(reader.integer(readerColumn)).toString(Qt::ISODate));
        }
        store.setNumber(row, column, reader.integer(readerColumn));
        return;
    }
    if (kind == TRowReader::Kind::Text) {
        const QByteArrayView text = reader.text(readerColumn);
        if (field->DataType() == TFieldType::String) {
            store.setUtf8(row, column, text);
            return;
        }
        // Straight to the stored form: a date-time of the local zone would look up
        // the zone's rules for every cell.
        QDate date;
        QTime time;
        if (field->DataType() == TFieldType::DateTime && parseStoredDateTime(text, &date, &time)) {
            store.setNumber(row, column, TRowStore::toStamp(date, time));
            return;
        }
        const QString value = QString::fromUtf8(text);
        const QVariant stored = field->converted(value);
        if (stored.isNull()) {
            incompatible(field, value);
        }
        store.setValue(row, column, stored);
        return;
    }
    switch (field->DataType()) {
    case TFieldType::String:
        store.setValue(row, column,
                       kind == TRowReader::Kind::Integer
                           ? QString::number(reader.integer(readerColumn))
                           : QString::number(reader.real(readerColumn), 'g', 15));
        break;
    case TFieldType::Float:
        store.setReal(row, column, reader.real(readerColumn));
        break;
    case TFieldType::DateTime:
        incompatible(field, QString::number(reader.real(readerColumn), 'g', 15));
    case TFieldType::Boolean:
        store.setNumber(row, column, reader.integer(readerColumn) != 0 ? 1 : 0);
        break;
    default:
        if (kind == TRowReader::Kind::Real) {
            incompatible(field, QString::number(reader.real(readerColumn), 'g', 15));
        }
        store.setNumber(row, column, reader.integer(readerColumn));
        break;
    }
}

void TRowLoader::incompatible(const TField* field, const QString& value) const {
    throw EDatabaseError(QStringLiteral("%1: Field '%2' holds a value of an incompatible type: %3")
                             .arg(FDataSet.objectName(), field->FieldName(), value));
}
