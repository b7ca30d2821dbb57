#pragma once

#include "data/Connection.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>
#include <memory>

// A fresh database made from the schema, in a private directory that goes away
// with the test; rows are put in and read back with plain SQL.
class TTempDatabase {
public:
    TTempDatabase();

    const QString& Path() const { return FPath; }
    QString FilePath(const QString& name) const { return FDir.filePath(name); }

    // A connection of the test's own, opened on first use.
    TConnection& connection();
    // Runs each statement; a failing one fails the test with the engine's text.
    void Exec(const QStringList& statements);
    // The single value a query gives, for checking stored rows.
    QVariant Scalar(const QString& sql);

private:
    QTemporaryDir FDir;
    QString FPath;
    std::unique_ptr<TConnection> FConnection;
};
