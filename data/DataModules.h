#pragma once

#include <QStringList>

class TConnection;

// Creates the eight entity data modules in the order their lookups need and
// opens their tables, for programs without windows (the report runner, the
// benchmarks). A table that cannot be opened stays closed; its error text is
// returned, one line each, and the others open all the same.
QStringList createDataModules(TConnection* connection);
