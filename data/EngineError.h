#pragma once

#include <QSqlError>
#include <QString>

// The database engine's own words for a failure ("file is not a database",
// "database is locked"), without the driver's wrapping around them.
inline QString EngineErrorText(const QSqlError& error) {
    return (error.databaseText().isEmpty() ? error.text() : error.databaseText()).trimmed();
}
