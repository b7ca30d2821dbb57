#include "data/Connection.h"

#include "data/PgEngine.h"
#include "data/SqliteEngine.h"

namespace {

std::unique_ptr<TDatabaseEngine> engineFor(const QString& name, TOpenMode mode) {
    if (TConnection::IsServerUri(name))
        return std::make_unique<TPgEngine>(name, mode == TOpenMode::ReadOnly);
    return std::make_unique<TSqliteEngine>(name, mode);
}

} // namespace

TConnection::TConnection(QString name, TOpenMode mode)
    : FName(std::move(name)), FEngine(engineFor(FName, mode)) {}

TConnection::~TConnection() {
    Close();
}

bool TConnection::IsServerUri(const QString& name) {
    return name.startsWith(QStringLiteral("postgresql://")) || name.startsWith(QStringLiteral("postgres://"));
}

void TConnection::Open() {
    if (FConnected)
        return;
    FEngine->open();
    FConnected = true;
}

void TConnection::Close() {
    if (!FConnected)
        return;
    FEngine->close();
    FConnected = false;
}

QSqlDatabase TConnection::Database() const {
    const auto* file = dynamic_cast<const TSqliteEngine*>(FEngine.get());
    return file ? file->Database() : QSqlDatabase();
}
