#include "tests/support/TempDatabase.h"

#include "data/Connection.h"
#include "data/Exception.h"
#include "data/Schema.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QTemporaryDir>

#include <thread>
#include <unistd.h>

namespace {

QString scalar(const QSqlDatabase& db, const QString& sql) {
    QSqlQuery query(db);
    if (!query.exec(sql) || !query.next())
        return QStringLiteral("error: ") + query.lastError().text();
    return query.value(0).toString();
}

bool insertCard(const QSqlDatabase& db) {
    QSqlQuery query(db);
    return query.exec(QStringLiteral("INSERT INTO tblCard (names, percent) VALUES ('Эконом', '0')"));
}

} // namespace

TEST(ConnectionTest, MissingFileFailsAndCreatesNothing) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("db.sqlite"));
    TConnection connection(path);
    EXPECT_THROW(connection.Open(), EDatabaseError);
    EXPECT_FALSE(connection.Connected());
    for (const QString& suffix :
         {QString(), QStringLiteral("-wal"), QStringLiteral("-shm"), QStringLiteral("-journal")})
        EXPECT_FALSE(QFile::exists(path + suffix)) << suffix.toStdString();
}

TEST(ConnectionTest, WritableFileOpensForWritingInWalMode) {
    TTempDatabase file;
    TConnection connection(file.Path());
    connection.Open();
    EXPECT_TRUE(connection.Connected());
    EXPECT_FALSE(connection.ReadOnly());
    EXPECT_EQ(scalar(connection.Database(), QStringLiteral("PRAGMA journal_mode")), QStringLiteral("wal"));
    EXPECT_TRUE(insertCard(connection.Database()));
}

// A file without any write permission opens read-only even for the superuser,
// whom the permission check alone would let write; tests run as root too.
TEST(ConnectionTest, FileWithoutWritePermissionOpensReadOnly) {
    TTempDatabase file;
    file.Exec({QStringLiteral("INSERT INTO tblCard (names, percent) VALUES ('Бизнес', '50')")});
    ASSERT_TRUE(QFile::setPermissions(file.Path(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    TConnection connection(file.Path());
    connection.Open();
    EXPECT_TRUE(connection.ReadOnly());
    EXPECT_EQ(scalar(connection.Database(), QStringLiteral("SELECT names FROM tblCard")),
              QStringLiteral("Бизнес"));
    EXPECT_FALSE(insertCard(connection.Database()));
}

TEST(ConnectionTest, FileInReadOnlyDirectoryOpensReadOnly) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser may write into any directory";
    TTempDatabase file;
    const QString directory = QFileInfo(file.Path()).absolutePath();
    ASSERT_TRUE(QFile::setPermissions(directory, QFile::ReadOwner | QFile::ExeOwner));
    TConnection connection(file.Path());
    connection.Open();
    EXPECT_TRUE(connection.ReadOnly());
    EXPECT_EQ(scalar(connection.Database(), QStringLiteral("SELECT count(*) FROM tblCard")),
              QStringLiteral("0"));
    QFile::setPermissions(directory, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// The file name travels to the engine inside a URI, where these characters mean something.
TEST(ConnectionTest, FileNameWithUriCharactersOpensThatFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("касса 100% #1?.sqlite"));
    TSchema::CreateDatabase(path);
    TConnection connection(path);
    connection.Open();
    EXPECT_TRUE(insertCard(connection.Database()));
    connection.Close();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("касса 100% #1?.sqlite")});
}

TEST(ConnectionTest, FileThatIsNotADatabaseFailsWithTheEngineText) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("notes.sqlite"));
    QFile text(path);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    const QByteArray content = QByteArray("Это не база данных, а список дел на завтра.\n").repeated(100);
    text.write(content);
    text.close();
    TConnection connection(path);
    try {
        connection.Open();
        FAIL() << "opened a text file";
    } catch (const EDatabaseError& error) {
        EXPECT_TRUE(error.Message().contains(QStringLiteral("not a database"))) << error.what();
    }
    EXPECT_FALSE(connection.Connected());
    EXPECT_EQ(QFile(path).size(), content.size()) << "the file must stay as it was";
}

TEST(ConnectionTest, TwoConnectionsOnOneFileSeeEachOthersWrites) {
    TTempDatabase file;
    TConnection first(file.Path());
    TConnection second(file.Path());
    first.Open();
    second.Open();
    EXPECT_NE(first.Database().connectionName(), second.Database().connectionName());
    ASSERT_TRUE(insertCard(first.Database()));
    EXPECT_EQ(scalar(second.Database(), QStringLiteral("SELECT count(*) FROM tblCard")), QStringLiteral("1"));
    first.Close();
    EXPECT_FALSE(first.Connected());
    EXPECT_TRUE(second.Database().isOpen());
}

// A second program writing while the first holds the write lock waits for it
// instead of failing at once.
TEST(ConnectionTest, SecondWriterWaitsForTheLock) {
    TTempDatabase file;
    TConnection holder(file.Path());
    holder.Open();
    QSqlQuery lock(holder.Database());
    ASSERT_TRUE(lock.exec(QStringLiteral("BEGIN IMMEDIATE")));
    ASSERT_TRUE(insertCard(holder.Database()));
    bool written = false;
    std::thread writer([&] {
        TConnection waiting(file.Path());
        waiting.Open();
        written = insertCard(waiting.Database());
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    ASSERT_TRUE(lock.exec(QStringLiteral("COMMIT")));
    writer.join();
    EXPECT_TRUE(written);
    EXPECT_EQ(scalar(holder.Database(), QStringLiteral("SELECT count(*) FROM tblCard")), QStringLiteral("2"));
}

TEST(ConnectionTest, ClosedConnectionOpensAgain) {
    TTempDatabase file;
    TConnection connection(file.Path());
    connection.Open();
    connection.Close();
    EXPECT_FALSE(connection.Database().isValid());
    connection.Open();
    EXPECT_TRUE(connection.Database().isOpen());
}

// An empty file is no database: the engine would make one of it. It is
// refused as any other foreign file, however it is opened, and left untouched.
TEST(ConnectionTest, EmptyFileIsRefusedAndLeftEmpty) {
    for (const TOpenMode mode : {TOpenMode::Write, TOpenMode::ReadOnly}) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("db.sqlite"));
        QFile empty(path);
        ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
        empty.close();
        TConnection connection(path, mode);
        try {
            connection.Open();
            ADD_FAILURE() << "opened an empty file";
        } catch (const EDatabaseError& error) {
            EXPECT_TRUE(error.Message().contains(QStringLiteral("not a database"))) << error.what();
        }
        EXPECT_EQ(QFile(path).size(), 0);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("db.sqlite")});
    }
}

// Opened only to read, a database is read as it is and cannot be written; its
// journal mode stays what it was.
TEST(ConnectionTest, ReadOnlyOpeningWritesNothing) {
    TTempDatabase file;
    file.Exec({QStringLiteral("INSERT INTO tblCard (names, percent) VALUES ('Бизнес', '50')"),
               QStringLiteral("PRAGMA journal_mode=DELETE")});
    TConnection connection(file.Path(), TOpenMode::ReadOnly);
    connection.Open();
    EXPECT_TRUE(connection.ReadOnly());
    EXPECT_EQ(scalar(connection.Database(), QStringLiteral("SELECT names FROM tblCard")),
              QStringLiteral("Бизнес"));
    EXPECT_EQ(scalar(connection.Database(), QStringLiteral("PRAGMA journal_mode")), QStringLiteral("delete"));
    EXPECT_FALSE(insertCard(connection.Database()));
}

// A writing connection that closes moves every change into the file itself,
// even while another program still has the file open: the file copied alone
// holds them all, and the log beside it is empty.
TEST(ConnectionTest, ClosingLeavesEveryChangeInTheFileItself) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("db.sqlite"));
    TSchema::CreateDatabase(path);
    TConnection otherOffice(path);
    otherOffice.Open();
    ASSERT_EQ(scalar(otherOffice.Database(), QStringLiteral("SELECT count(*) FROM tblCard")),
              QStringLiteral("0"));
    TConnection connection(path);
    connection.Open();
    for (int i = 0; i < 50; ++i)
        ASSERT_TRUE(insertCard(connection.Database()));
    connection.Close();
    EXPECT_EQ(QFile(path + QStringLiteral("-wal")).size(), 0);
    const QString copy = dir.filePath(QStringLiteral("copy.sqlite"));
    ASSERT_TRUE(QFile::copy(path, copy));
    TConnection copied(copy, TOpenMode::ReadOnly);
    copied.Open();
    EXPECT_EQ(scalar(copied.Database(), QStringLiteral("SELECT count(*) FROM tblCard")),
              QStringLiteral("50"));
}
