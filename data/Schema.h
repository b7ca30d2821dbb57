#pragma once

#include <QDate>
#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <functional>

// The one place that knows the shape of the database: the script compiled in as
// ":/schema.sql" builds new files, and the same script, run in memory, is the
// reference that existing files are checked against.
class TSchema {
public:
    static QString Script();

    // Date-times are stored as ISO text "YYYY-MM-DD HH:MM:SS"; a time of day on
    // its own (a departure time) is stored on the day TimeOfDayDate().
    static QString StoredText(const QDateTime& value) {
        return value.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }
    static QDate TimeOfDayDate() { return {1899, 12, 30}; }

    // Makes a new database file with every table, index and the view `leavings`,
    // then lets `fill`, when given, put rows into it. The file is built under a
    // temporary name in the same folder and takes its own name only once it is
    // complete and on disk, so whatever happens before, the process killed
    // included, no file is left at that name that is not whole. Refuses a name
    // that is taken, also when it is taken meanwhile. Throws EDatabaseError, or
    // whatever `fill` throws; on failure the temporary file is removed.
    using TFill = std::function<void(const QSqlDatabase&)>;
    static void CreateDatabase(const QString& fileName, const TFill& fill = {});

    // Removes a database file together with the journal files beside it.
    static void RemoveDatabase(const QString& fileName);

    // Every way the database differs from what the program needs (a missing or
    // extra table, view or column, a column of another type or in another place,
    // a view that cannot be read), one line each; empty when it fits.
    static QStringList Check(const QSqlDatabase& db);
};
