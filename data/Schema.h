#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>

class TConnection;
class TDatabaseEngine;

// The one place that knows the shape of the database: the script compiled in as
// ":/schema.sql" builds new databases on either engine (each engine puts it in
// its own dialect), and the same script, run on a private file, is the
// reference that existing databases are checked against.
class TSchema {
public:
    static QString Script();
    // The seven tables, each after those it refers to.
    static QStringList Tables();

    // Date-times are stored as ISO text "YYYY-MM-DD HH:MM:SS"; a time of day on
    // its own (a departure time) is stored on the day TimeOfDayDate().
    static QString StoredText(const QDateTime& value) {
        return value.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }
    static QDate TimeOfDayDate() { return {1899, 12, 30}; }

    // Makes every table, index and the view `leavings` in a new database file,
    // or in an empty database on a server, then lets `fill`, when given, put
    // rows in, all in one transaction. A file is built under a temporary name
    // in the same folder and takes its own name only once it is complete and on
    // disk, so whatever happens before, the process killed included, no file is
    // left at that name that is not whole. Refuses a name that is taken (also
    // when it is taken meanwhile), or a server database that holds tables.
    // Throws EDatabaseError, or whatever `fill` throws; on failure nothing is
    // left behind.
    using TFill = std::function<void(TConnection&)>;
    static void CreateDatabase(const QString& name, const TFill& fill = {});
    // Runs the script on an open database, inside the caller's transaction.
    static void Build(TDatabaseEngine& engine);

    // Removes a database file together with the journal files beside it.
    static void RemoveDatabase(const QString& fileName);

    // Every way the database differs from what the program needs (a missing or
    // extra table, view or column, a column of another type or in another place,
    // a view that cannot be read), one line each; empty when it fits.
    static QStringList Check(TDatabaseEngine& engine);
};
