#include "CopyData.h"

#include "data/Connection.h"
#include "data/Schema.h"

namespace {

// The table is read in one pass and written through one prepared statement.
qint64 copyTable(TDatabaseEngine& from, TDatabaseEngine& to, const QString& table) {
    const std::unique_ptr<TRowReader> rows =
        from.select(QStringLiteral("SELECT * FROM %1 ORDER BY id").arg(table));
    QStringList columns;
    for (int c = 0; c < rows->columnCount(); ++c)
        columns << rows->columnName(c);
    const std::unique_ptr<TRowAppender> writer = to.appender(table, columns);
    qint64 count = 0;
    QVariantList values;
    while (rows->step()) {
        values.clear();
        for (int c = 0; c < rows->columnCount(); ++c)
            values << rows->value(c);
        writer->append(values);
        ++count;
    }
    return count;
}

} // namespace

qint64 copyDatabase(const QString& source, const QString& target) {
    TConnection from(source);
    from.Open();
    qint64 count = 0;
    TSchema::CreateDatabase(target, [&](TConnection& to) {
        // Each table after those it refers to, so a server that checked the
        // references could take every row as it comes.
        for (const QString& table : TSchema::Tables())
            count += copyTable(from.Engine(), to.Engine(), table);
        to.Engine().followIds(TSchema::Tables());
    });
    return count;
}
