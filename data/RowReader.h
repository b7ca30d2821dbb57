#pragma once

#include <QByteArrayView>
#include <QString>
#include <QVariant>

// The rows of one query, read front to back in one pass. Cells come as the
// engine keeps them; the dataset converts them to its declared fields.
class TRowReader {
public:
    // Stamp: a date-time, given by integer() in the row store's own stamp.
    enum class Kind { Null, Integer, Real, Text, Stamp };

    virtual ~TRowReader() = default;
    virtual int columnCount() const = 0;
    virtual QString columnName(int column) const = 0;
    virtual bool step() = 0; // false after the last row; throws EDatabaseError
    virtual Kind kind(int column) const = 0;
    virtual qint64 integer(int column) const = 0;
    virtual double real(int column) const = 0;
    // UTF-8 text of the cell; valid until the next step.
    virtual QByteArrayView text(int column) const = 0;

    // The cell as a value: a whole number, a real, a text, a date-time or null.
    QVariant value(int column) const;
};
