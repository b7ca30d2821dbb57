#pragma once

#include "data/Field.h"

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

    bool isNull(int row, int column) const;
    // Fast reads for sorting and filtering.
    double number(int row, int column) const;
    QStringView text(int row, int column) const;
    TFieldType type(int column) const { return FColumns[column].type; }

    // Date-times are kept as milliseconds from the start of the Julian day count,
    // so that comparing two is comparing two integers.
    static qint64 toStamp(const QDateTime& value) { return toStamp(value.date(), value.time()); }
    static qint64 toStamp(QDate date, QTime time);
    static QDateTime fromStamp(qint64 stamp);

private:
    struct Column {
        TFieldType type;
        // Integers, booleans and date-time stamps: in 32 bits while every value
        // fits (ids, counts and flags do), in 64 from the first that does not.
        std::vector<qint32> narrow;
        std::vector<qint64> wide;
        bool isWide = false;
        std::vector<double> reals;
        std::vector<uint32_t> textStart;
        std::vector<uint32_t> textLength;
        std::vector<char16_t> pool;
        std::vector<bool> nulls;
    };
    static constexpr uint32_t NullText = UINT32_MAX;

    static qint64 integer(const Column& column, int row) {
        return column.isWide ? column.wide[row] : column.narrow[row];
    }
    static void setInteger(Column& column, int row, qint64 value);

    std::vector<Column> FColumns;
    std::vector<bool> FDeleted;
    int FRowCount = 0;
};
