#pragma once

#include "data/Connection.h"

#include <QStringList>
#include <QTemporaryDir>
#include <memory>

// A fresh database file of the program's schema in a directory of its own,
// open through a TConnection; rows are put in with plain SQL.
class TTempDatabase {
public:
    TTempDatabase();
    const QString& fileName() const { return FFileName; }
    TConnection& connection() { return *FConnection; }
    // Runs each statement; a failing one fails the test with the engine's text.
    void exec(const QStringList& statements);
    // The single value the query gives, for checking stored rows.
    QVariant scalar(const QString& sql);

private:
    QTemporaryDir FDir;
    QString FFileName;
    std::unique_ptr<TConnection> FConnection;
};
