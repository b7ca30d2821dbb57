#pragma once

#include "data/DatabaseEngine.h"

#include <QStringList>
#include <QVariantList>
#include <memory>

// Appends rows to one table through one prepared statement, which is what makes
// millions of rows in one transaction affordable.
class TTableWriter {
public:
    TTableWriter(TDatabaseEngine& db, const QString& table, const QStringList& columns)
        : FWriter(db.appender(table, columns)) {}

    // Returns the key the database gave the new row. Throws EDatabaseError.
    qint64 Append(const QVariantList& values) { return FWriter->append(values); }

private:
    std::unique_ptr<TRowAppender> FWriter;
};
