#include "TableWriter.h"

#include "data/EngineError.h"
#include "data/Exception.h"

#include <QSqlError>

TTableWriter::TTableWriter(const QSqlDatabase& db, const QString& table, const QStringList& columns)
    : FQuery(db), FTable(table) {
    const QString marks = QStringList(columns.size(), QStringLiteral("?")).join(u',');
    FQuery.setForwardOnly(true);
    if (!FQuery.prepare(
            QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, columns.join(u','), marks)))
        throw EDatabaseError(FTable + QStringLiteral(": ") + EngineErrorText(FQuery.lastError()));
}

qint64 TTableWriter::Append(const QVariantList& values) {
    for (qsizetype i = 0; i < values.size(); ++i)
        FQuery.bindValue(int(i), values[i]);
    if (!FQuery.exec())
        throw EDatabaseError(FTable + QStringLiteral(": ") + EngineErrorText(FQuery.lastError()));
    return FQuery.lastInsertId().toLongLong();
}

TTransaction::TTransaction(QSqlDatabase db) : FDb(std::move(db)) {
    if (!FDb.transaction())
        throw EDatabaseError(EngineErrorText(FDb.lastError()));
    FOpen = true;
}

TTransaction::~TTransaction() {
    if (FOpen)
        FDb.rollback();
}

void TTransaction::Commit() {
    if (!FDb.commit())
        throw EDatabaseError(EngineErrorText(FDb.lastError()));
    FOpen = false;
}
