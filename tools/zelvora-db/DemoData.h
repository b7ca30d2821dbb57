#pragma once

#include "data/DatabaseEngine.h"
#include <QDate>

// Fills a new, empty database with the demo data of a small office: routes
// between Russian cities, employees, airliners with their commanders, clients
// with passports, four ticket types, flights over three months around `today`
// (the past ones closed) and sales, a few flights sold out to the last seat and
// none sold beyond its seats. Throws EDatabaseError.
void fillDemoData(TDatabaseEngine& db, const QDate& today);
