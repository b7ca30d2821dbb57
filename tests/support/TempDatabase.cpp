#include "support/TempDatabase.h"

#include "data/Schema.h"

#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>

TTempDatabase::TTempDatabase() : FFileName(FDir.filePath(QStringLiteral("db.sqlite"))) {
    TSchema::CreateDatabase(FFileName);
    FConnection = std::make_unique<TConnection>(FFileName);
    FConnection->Open();
}

void TTempDatabase::exec(const QStringList& statements) {
    QSqlQuery query(FConnection->Database());
    for (const QString& sql : statements) {
        if (!query.exec(sql)) {
            ADD_FAILURE() << sql.toStdString() << ": " << query.lastError().text().toStdString();
        }
    }
}

QVariant TTempDatabase::scalar(const QString& sql) {
    QSqlQuery query(FConnection->Database());
    if (!query.exec(sql) || !query.next()) {
        ADD_FAILURE() << sql.toStdString() << ": " << query.lastError().text().toStdString();
        return {};
    }
    return query.value(0);
}
