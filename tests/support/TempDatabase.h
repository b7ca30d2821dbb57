#pragma once

#include "data/Connection.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

// The two engines the program runs on: a database file, or a server that
// several desks share.
enum class TEngineKind { File, Server };

inline std::ostream& operator<<(std::ostream& out, TEngineKind kind) {
    return out << (kind == TEngineKind::File ? "File" : "Server");
}

// Suites whose behaviour does not depend on the engine run on both.
inline const auto BothEngines = ::testing::Values(TEngineKind::File, TEngineKind::Server);

// A fresh database made from the schema: a file in a private directory that
// goes away with the test, or a new database on the tests' own server. Rows
// are put in and read back with plain SQL that both engines take.
class TTempDatabase {
public:
    explicit TTempDatabase(TEngineKind kind = TEngineKind::File);

    // The name the program is given: the file's path or the server's URI.
    const QString& Path() const { return FPath; }
    QString FilePath(const QString& name) const { return FDir.filePath(name); }

    // A connection of the test's own, opened on first use.
    TConnection& connection();
    // Runs each statement; a failing one fails the test with the engine's text.
    // Rows may be given their ids: new rows are numbered after them.
    void Exec(const QStringList& statements);
    // The single value a query gives, for checking stored rows.
    QVariant Scalar(const QString& sql);

private:
    QTemporaryDir FDir;
    QString FPath;
    std::unique_ptr<TConnection> FConnection;
};
