#include "app/DesktopStart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The launcher's part before the program starts, with the user's folders in a
// temporary folder; the current folder and the environment are put back after.
class DesktopStart : public ::testing::Test {
protected:
    void SetUp() override {
        FCurrent = QDir::currentPath();
        FDataHome = qgetenv("XDG_DATA_HOME");
        FHome = qgetenv("HOME");
        setDataHome(FTemp.filePath(QStringLiteral("data")));
    }

    void TearDown() override {
        QDir::setCurrent(FCurrent);
        qputenv("XDG_DATA_HOME", FDataHome);
        qputenv("HOME", FHome);
    }

    static void setDataHome(const QString& folder) { qputenv("XDG_DATA_HOME", QFile::encodeName(folder)); }

    static QString current() { return QFileInfo(QDir::currentPath()).canonicalFilePath(); }
    static QString canonical(const QString& path) { return QFileInfo(path).canonicalFilePath(); }

    QTemporaryDir FTemp;
    QString FCurrent;
    QByteArray FDataHome;
    QByteArray FHome;
};

} // namespace

TEST_F(DesktopStart, TheDataFolderIsTheUsersOwnWithOrWithoutXdgDataHome) {
    EXPECT_EQ(desktopDataFolder(), FTemp.filePath(QStringLiteral("data/zelvora")));
    qunsetenv("XDG_DATA_HOME");
    qputenv("HOME", QFile::encodeName(FTemp.path()));
    EXPECT_EQ(desktopDataFolder(), FTemp.filePath(QStringLiteral(".local/share/zelvora")));
}

TEST_F(DesktopStart, WithADatabaseInTheFolderTheProgramStartsThere) {
    const QString folder = FTemp.filePath(QStringLiteral("data/zelvora"));
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile database(folder + QStringLiteral("/db.sqlite"));
    ASSERT_TRUE(database.open(QIODevice::WriteOnly));
    EXPECT_EQ(enterDesktopDataFolder(QStringLiteral("db.sqlite")), QString());
    EXPECT_EQ(current(), canonical(folder));
}

TEST_F(DesktopStart, WithoutADatabaseTheUserLearnsWhereItIsLookedForAndHowToMakeOne) {
    const struct {
        const char* DataHome;
        // How the database's path appears in the commands to copy into a terminal.
        const char* InCommands;
    } cases[] = {
        {"data", "%1/data/zelvora/db.sqlite"},
        {"my data/it's", "'%1/my data/it'\\''s/zelvora/db.sqlite'"},
    };
    for (const auto& c : cases) {
        const QString dataHome = FTemp.filePath(QString::fromUtf8(c.DataHome));
        setDataHome(dataHome);
        const QString told = enterDesktopDataFolder(QStringLiteral("db.sqlite"));
        const QString folder = dataHome + QStringLiteral("/zelvora");
        EXPECT_TRUE(QFileInfo(folder).isDir()) << c.DataHome;
        EXPECT_EQ(current(), canonical(folder));
        const QString inCommands = QString::fromUtf8(c.InCommands).arg(FTemp.path());
        EXPECT_TRUE(told.contains(QStringLiteral("\n%1/db.sqlite\n").arg(folder))) << told.toStdString();
        EXPECT_TRUE(told.contains(QStringLiteral("\nzelvora-db demo %1\n").arg(inCommands)))
            << told.toStdString();
        EXPECT_TRUE(told.endsWith(QStringLiteral("\nzelvora-db init %1").arg(inCommands)))
            << told.toStdString();
    }
}

TEST_F(DesktopStart, AChosenServerOrFileIsWhatIsLookedFor) {
    setDataHome(FTemp.filePath(QStringLiteral("data")));
    EXPECT_EQ(enterDesktopDataFolder(QStringLiteral("postgresql://desk@office/tickets")), QString());
    const QString told = enterDesktopDataFolder(QStringLiteral("office.sqlite"));
    EXPECT_TRUE(told.contains(QStringLiteral("/data/zelvora/office.sqlite\n"))) << told.toStdString();
}

TEST_F(DesktopStart, AFolderThatCannotBeMadeIsNamed) {
    const QString blocking = FTemp.filePath(QStringLiteral("file"));
    QFile file(blocking);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    setDataHome(blocking);
    const QString before = current();
    EXPECT_EQ(enterDesktopDataFolder(QStringLiteral("db.sqlite")),
              QStringLiteral("Не удалось создать папку данных программы:\n%1/zelvora").arg(blocking));
    EXPECT_EQ(current(), before);
}
