#pragma once

#include <QString>

// Moves an office from one database to another (a file to a server or back):
// makes the schema in the new, empty target and copies every row of the seven
// tables with its id, then lets new rows be numbered after the highest id, all
// in one transaction. Returns the number of rows copied. Throws EDatabaseError.
qint64 copyDatabase(const QString& source, const QString& target);
