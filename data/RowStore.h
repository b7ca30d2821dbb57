#pragma once

#include "data/Field.h"
#include "data/PackedIntegers.h"
#include "data/Prefetch.h"

#include <QStringView>
#include <QVariant>
#include <cstdint>
#include <vector>

// The rows of an open dataset, kept column by column: a year of sales is millions
// of rows, and a column of plain numbers costs a few bytes a row where a row of
// variants would cost a hundred.
class TRowStore {
public:
    explicit TRowStore(const std::vector<TFieldType>& columnTypes);

    int rowCount() const { return FRowCount; }
    int appendRow();
    void markDeleted(int row) { FDeleted[row] = true; }
    bool isDeleted(int row) const { return FDeleted[row]; }

    QVariant value(int row, int column) const;
    // Stores a value already converted to the column's type (or null).
    void setValue(int row, int column, const QVariant& value);

    // Typed stores for reading rows in bulk, without a variant per cell.
    void setNumber(int row, int column, qint64 value);
    void setReal(int row, int column, double value);
    void setText(int row, int column, const char16_t* text, int length);
    void setUtf8(int row, int column, QByteArrayView text);
    // Once the rows are read: gives back what growing left unused, and what only
    // reading needed.
    void squeeze();

    bool isNull(int row, int column) const { return FColumns[column].nulls[row]; }
    // Fast reads for sorting and filtering.
    double number(int row, int column) const;
    QStringView text(int row, int column) const;
    // Asks the processor to bring in a cell ahead of reading it: where its text
    // starts and how long it is, or its number (Cell); its text, once that has
    // arrived (Text).
    void prefetch(int row, int column, TPrefetchStep step) const;
    TFieldType type(int column) const { return FColumns[column].type; }

    // Date-times are kept as milliseconds from the start of the Julian day count,
    // so that comparing two is comparing two integers.
    static qint64 toStamp(const QDateTime& value) { return toStamp(value.date(), value.time()); }
    static qint64 toStamp(QDate date, QTime time);
    static QDateTime fromStamp(qint64 stamp);

private:
    struct Column {
        TFieldType type;
        // Integers, booleans and date-time stamps; for a text, its length.
        TPackedIntegers integers;
        std::vector<double> reals;
        std::vector<uint32_t> textStart;
        std::vector<char16_t> pool;
        std::vector<bool> nulls;
        // While rows are read: by the hash of a text, the last row read with a text
        // of that hash. A repeated text (a seat, a first name) then points at the
        // characters already in the pool instead of adding them again.
        std::vector<uint32_t> recentTexts;
    };

    static QStringView textOf(const Column& column, int row);
    void shareRepeatedText(Column& column, int row);

    std::vector<Column> FColumns;
    std::vector<bool> FDeleted;
    int FRowCount = 0;
};
