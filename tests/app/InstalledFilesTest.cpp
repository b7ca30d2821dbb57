#include "app/InstalledFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// An installed tree (usr/bin, usr/libexec, usr/share/zelvora) in a temporary folder.
class InstalledTree : public ::testing::Test {
protected:
    QString path(const QString& relative) const { return FRoot.filePath(relative); }

    void put(const QString& relative) {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path(relative)).path()));
        QFile file(path(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    QTemporaryDir FRoot;
};

} // namespace

TEST_F(InstalledTree, TheBackgroundBesideTheExecutableComesBeforeTheSharedOne) {
    const QString beside = QStringLiteral("usr/bin/Data/background.bmp");
    const QString shared = QStringLiteral("usr/share/zelvora/Data/background.bmp");
    const struct {
        bool Beside;
        bool Shared;
        QString Expected;
    } cases[] = {
        {true, true, beside},
        {false, true, shared},
        {true, false, beside},
        // With neither, the error names the place looked in first.
        {false, false, beside},
    };
    for (const auto& c : cases) {
        QDir(path(QStringLiteral("usr"))).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("usr/bin"))));
        if (c.Beside)
            put(beside);
        if (c.Shared)
            put(shared);
        EXPECT_EQ(backgroundFile(path(QStringLiteral("usr/bin"))), path(c.Expected))
            << "beside " << c.Beside << ", shared " << c.Shared;
    }
}

TEST_F(InstalledTree, TheLauncherStartsTheProgramBesideItOrTheInstalledOne) {
    put(QStringLiteral("usr/bin/zelvora"));
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("usr/libexec"))));
    EXPECT_EQ(programFromLauncher(path(QStringLiteral("usr/libexec"))),
              path(QStringLiteral("usr/bin/zelvora")));
    // A build folder holds the launcher and the program side by side.
    put(QStringLiteral("usr/libexec/zelvora"));
    EXPECT_EQ(programFromLauncher(path(QStringLiteral("usr/libexec"))),
              path(QStringLiteral("usr/libexec/zelvora")));
}
