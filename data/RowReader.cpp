#include "data/RowReader.h"
#include "data/RowStore.h"

QVariant TRowReader::value(int column) const {
    switch (kind(column)) {
    case Kind::Null:
        return {};
    case Kind::Integer:
        return integer(column);
    case Kind::Real:
        return real(column);
    case Kind::Stamp:
        return TRowStore::fromStamp(integer(column));
    default:
        return QString::fromUtf8(text(column));
    }
}
