#include "ToolRun.h"

#include "data/Connection.h"
#include "data/Schema.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The tools that only read a database, `zelvora-db check` and
// `zelvora-report`, leave the file exactly as it was, whatever its journal
// mode, and refuse a file that is not a database without writing into it.
namespace {

QByteArray sha256(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex();
}

// Each reading run as the user gives it; the report also writes its listing
// elsewhere, which is the only file it may make.
std::vector<QStringList> readingRuns(const QString& file, const QString& listing) {
    return {{QStringLiteral(ZELVORA_DB_TOOL), QStringLiteral("check"), file},
            {QStringLiteral(ZELVORA_REPORT_TOOL), QStringLiteral("routes"), QStringLiteral("--db"), file,
             QStringLiteral("--layout"), listing}};
}

TRun run(const QStringList& command) {
    return runProgram(command[0], command.mid(1));
}

} // namespace

TEST(ReadingToolsTest, LeaveTheFileAsItWasInEitherJournalMode) {
    for (const char* mode : {"DELETE", "WAL"}) {
        SCOPED_TRACE(mode);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("db.sqlite"));
        TSchema::CreateDatabase(file);
        {
            TConnection writer(file);
            writer.Open();
            QSqlQuery query(writer.Database());
            ASSERT_TRUE(query.exec(QStringLiteral("INSERT INTO tblRoute (airStart, airTarget, price, times) "
                                                  "VALUES ('Москва', 'Сочи', 4500, 150)")));
            ASSERT_TRUE(query.exec(QStringLiteral("PRAGMA journal_mode=%1").arg(QLatin1String(mode))));
        }
        const QByteArray before = sha256(file);
        ASSERT_FALSE(before.isEmpty());
        for (const QStringList& command : readingRuns(file, dir.filePath(QStringLiteral("listing.txt")))) {
            SCOPED_TRACE(command.mid(1, 1).join(u' ').toStdString());
            const TRun result = run(command);
            EXPECT_EQ(result.ExitCode, 0) << result.ErrLines.join(u'\n').toStdString();
            EXPECT_EQ(sha256(file), before);
        }
        // A reader of a log-mode file shares the engine's index beside it and
        // may leave an empty log; a plain-journal file gets nothing beside it.
        QStringList others = QDir(dir.path()).entryList(QDir::Files);
        others.removeAll(QStringLiteral("db.sqlite"));
        others.removeAll(QStringLiteral("listing.txt"));
        if (QLatin1String(mode) == QLatin1String("WAL")) {
            others.removeAll(QStringLiteral("db.sqlite-shm"));
            if (others.removeAll(QStringLiteral("db.sqlite-wal")) > 0) {
                EXPECT_EQ(QFile(file + QStringLiteral("-wal")).size(), 0);
            }
        }
        EXPECT_EQ(others, QStringList());
    }
}

TEST(ReadingToolsTest, RefuseAnEmptyOrForeignFileWithoutWritingIt) {
    for (const QByteArray& content : {QByteArray(), QByteArray("Список дел на завтра.\n").repeated(200)}) {
        SCOPED_TRACE(content.size());
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("db.sqlite"));
        QFile writing(file);
        ASSERT_TRUE(writing.open(QIODevice::WriteOnly));
        writing.write(content);
        writing.close();
        for (const QStringList& command : readingRuns(file, dir.filePath(QStringLiteral("listing.txt")))) {
            SCOPED_TRACE(command.mid(1, 1).join(u' ').toStdString());
            const TRun result = run(command);
            EXPECT_FALSE(result.Crashed);
            EXPECT_EQ(result.ExitCode, 1);
            EXPECT_TRUE(result.ErrLines.join(u'\n').contains(QStringLiteral("not a database")))
                << result.ErrLines.join(u'\n').toStdString();
            EXPECT_EQ(QFile(file).size(), content.size());
        }
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("db.sqlite")});
    }
}
