#include "support/TempDatabase.h"

#include "data/Schema.h"

#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>

TTempDatabase::TTempDatabase() : FPath(FDir.filePath(QStringLiteral("db.sqlite"))) {
    TSchema::CreateDatabase(FPath);
}

TConnection& TTempDatabase::connection() {
    if (!FConnection) {
        FConnection = std::make_unique<TConnection>(FPath);
        FConnection->Open();
    }
    return *FConnection;
}

void TTempDatabase::Exec(const QStringList& statements) {
    QSqlQuery query(connection().Database());
    for (const QString& sql : statements) {
        if (!query.exec(sql)) {
            ADD_FAILURE() << sql.toStdString() << ": " << query.lastError().text().toStdString();
        }
    }
}

QVariant TTempDatabase::Scalar(const QString& sql) {
    QSqlQuery query(connection().Database());
    if (!query.exec(sql) || !query.next()) {
        ADD_FAILURE() << sql.toStdString() << ": " << query.lastError().text().toStdString();
        return {};
    }
    return query.value(0);
}
