#include "TableWriter.h"

#include "data/Exception.h"

#include <QSqlError>

namespace {

QString engineText(const QSqlError& error) {
    return (error.databaseText().isEmpty() ? error.text() : error.databaseText()).trimmed();
}

} // namespace

TTableWriter::TTableWriter(const QSqlDatabase& db, const QString& table, const QStringList& columns)
    : FQuery(db), FTable(table) {
    const QString marks = QStringList(columns.size(), QStringLiteral("?")).join(u',');
    FQuery.setForwardOnly(true);
    if (!FQuery.prepare(
            QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, columns.join(u','), marks)))
        throw EDatabaseError(FTable + QStringLiteral(": ") + engineText(FQuery.lastError()));
}

qint64 TTableWriter::Append(const QVariantList& values) {
    for (qsizetype i = 0; i < values.size(); ++i)
        FQuery.bindValue(int(i), values[i]);
    if (!FQuery.exec())
        throw EDatabaseError(FTable + QStringLiteral(": ") + engineText(FQuery.lastError()));
    return FQuery.lastInsertId().toLongLong();
}

TTransaction::TTransaction(QSqlDatabase db) : FDb(std::move(db)) {
    if (!FDb.transaction())
        throw EDatabaseError(engineText(FDb.lastError()));
    FOpen = true;
}

TTransaction::~TTransaction() {
    if (FOpen)
        FDb.rollback();
}

void TTransaction::Commit() {
    if (!FDb.commit())
        throw EDatabaseError(engineText(FDb.lastError()));
    FOpen = false;
}
