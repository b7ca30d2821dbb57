#pragma once

#include "data/Connection.h"

// The main data module: it owns the one database connection of the program,
// which every table and query of the data modules names as its own.
class Tdm {
public:
    explicit Tdm(const QString& fileName = QStringLiteral("db.sqlite"));

    // Loads the module: the connection is declared connected, so it opens now,
    // and a failure is only reported; DataModuleCreate then has its own try.
    // False when the database could not be opened and the program has ended.
    bool load();

    TConnection connect;

private:
    void openConnection();
    bool DataModuleCreate();
};

extern Tdm* dm;
