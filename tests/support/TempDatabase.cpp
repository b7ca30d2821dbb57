#include "tests/support/TempDatabase.h"

#include "data/Exception.h"
#include "data/Schema.h"
#include "tests/support/PgServer.h"

#include <gtest/gtest.h>

namespace {

QString databaseFor(TEngineKind kind, const QTemporaryDir& dir) {
    if (kind == TEngineKind::File)
        return dir.filePath(QStringLiteral("db.sqlite"));
    TPgServer* server = TPgServer::Instance();
    if (!server)
        throw EDatabaseError(QStringLiteral("the tests' server did not start: ") + TPgServer::StartError());
    return server->CreateDatabase();
}

} // namespace

TTempDatabase::TTempDatabase(TEngineKind kind) : FPath(databaseFor(kind, FDir)) {
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
    for (const QString& sql : statements) {
        try {
            connection().Engine().execute({sql});
        } catch (const EDatabaseError& error) {
            ADD_FAILURE() << sql.toStdString() << ": " << error.what();
        }
    }
    connection().Engine().followIds(TSchema::Tables());
}

QVariant TTempDatabase::Scalar(const QString& sql) {
    try {
        const std::unique_ptr<TRowReader> reader = connection().Engine().select(sql);
        if (!reader->step()) {
            ADD_FAILURE() << sql.toStdString() << ": no row";
            return {};
        }
        return reader->value(0);
    } catch (const EDatabaseError& error) {
        ADD_FAILURE() << sql.toStdString() << ": " << error.what();
        return {};
    }
}
