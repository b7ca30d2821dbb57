#include "data/Table.h"

// The name goes unquoted, so a server that folds names finds the table it made.
QString TTable::selectText() const {
    return QStringLiteral("SELECT * FROM %1").arg(TableName);
}
