#include "ToolRun.h"
#include "tests/support/TempDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

// Every output of zelvora-report is complete or not there at all: a write that
// fails is one line on stderr and exit code 1, leaves no file at the target
// name, and leaves a file that was there as it was.
namespace {

const char* const Outputs[] = {"--csv", "--pdf", "--layout", "--zrp"};

TRun runReport(const QStringList& args) {
    return runProgram(QStringLiteral(ZELVORA_REPORT_TOOL), args);
}

QByteArray contents(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool run(const QString& program, const QStringList& args) {
    return runProgram(program, args).ExitCode == 0;
}

// A small file system of the test's own, mounted over a private folder and
// unmounted when the test ends. Only the superuser may mount; others skip.
class TScratchMount {
public:
    explicit TScratchMount(const QString& options) {
        FMounted = geteuid() == 0 && run(QStringLiteral("mount"),
                                         {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                          options, QStringLiteral("tmpfs"), FDir.path()});
    }
    ~TScratchMount() {
        if (FMounted)
            run(QStringLiteral("umount"), {FDir.path()});
    }
    bool mounted() const { return FMounted; }
    QString path(const QString& name) const { return FDir.filePath(name); }
    bool remountReadOnly() {
        return run(QStringLiteral("mount"),
                   {QStringLiteral("-o"), QStringLiteral("remount,ro"), FDir.path()});
    }
    QStringList entries() const { return QDir(FDir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot); }

private:
    QTemporaryDir FDir;
    bool FMounted = false;
};

// Writes until the file system is full.
void fill(const QString& fileName) {
    QFile filler(fileName);
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size() && filler.flush()) {
    }
}

class ZelvoraReportOutput : public ::testing::Test {
protected:
    void SetUp() override {
        QStringList rows;
        for (int i = 0; i < 300; ++i)
            rows << QStringLiteral("('Москва', 'Сочи', %1, 150)").arg(1000 + i);
        db.Exec({QStringLiteral("INSERT INTO tblRoute (airStart, airTarget, price, times) VALUES ") +
                 rows.join(u',')});
    }
    TRun writeTo(const char* option, const QString& target) {
        return runReport({QStringLiteral("routes"), QStringLiteral("--db"), db.Path(),
                          QString::fromLatin1(option), target});
    }
    // One line naming the target, exit code 1.
    static void expectRefused(const TRun& run, const QString& target) {
        EXPECT_FALSE(run.Crashed);
        EXPECT_EQ(run.ExitCode, 1);
        ASSERT_EQ(run.ErrLines.size(), 1) << run.ErrLines.join(u'\n').toStdString();
        EXPECT_TRUE(run.ErrLines[0].contains(target)) << run.ErrLines[0].toStdString();
    }
    TTempDatabase db;
};

} // namespace

// Places nobody can write to, for everyone who runs the tests.
TEST_F(ZelvoraReportOutput, TargetsThatCannotBeWrittenAreRefused) {
    const QString folder = db.FilePath(QStringLiteral("a-folder"));
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString plain = db.FilePath(QStringLiteral("plain.txt"));
    QFile file(plain);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("kept\n");
    file.close();
    const QStringList before = QDir(db.FilePath(QString())).entryList(QDir::Files);
    for (const char* option : Outputs) {
        SCOPED_TRACE(option);
        expectRefused(writeTo(option, folder), folder);
        EXPECT_TRUE(QFileInfo(folder).isDir());
        EXPECT_TRUE(QDir(folder).isEmpty());
        const QString underFile = plain + QStringLiteral("/out");
        expectRefused(writeTo(option, underFile), underFile);
        EXPECT_EQ(contents(plain), QByteArray("kept\n"));
    }
    EXPECT_EQ(QDir(db.FilePath(QString())).entryList(QDir::Files), before)
        << "no temporary file is left behind";
}

// A device that is always full takes the bytes and refuses them at the flush;
// the device itself is written, never replaced by a file of that name.
TEST_F(ZelvoraReportOutput, AFullDeviceIsRefusedAndStaysADevice) {
    QString device = QStringLiteral("/dev/full");
    if (geteuid() == 0) {
        // The superuser could replace a node in /dev; a node of the test's own shows the same.
        device = db.FilePath(QStringLiteral("full"));
        ASSERT_TRUE(run(QStringLiteral("mknod"),
                        {device, QStringLiteral("c"), QStringLiteral("1"), QStringLiteral("7")}));
    }
    for (const char* option : Outputs) {
        SCOPED_TRACE(option);
        const TRun refused = writeTo(option, device);
        expectRefused(refused, device);
        EXPECT_TRUE(refused.ErrLines.value(0).contains(QStringLiteral("No space left on device")))
            << refused.ErrLines.value(0).toStdString();
        const QFileInfo info(device);
        EXPECT_TRUE(info.exists() && !info.isFile() && !info.isDir());
    }
}

// A disk that fills up while writing: no file half written, no file left over,
// the file that was there unchanged.
TEST_F(ZelvoraReportOutput, AFullDiskLeavesNothingAndKeepsTheOldFile) {
    TScratchMount disk(QStringLiteral("size=256k"));
    if (!disk.mounted())
        GTEST_SKIP() << "mounting a small file system needs the superuser";
    for (const char* option : Outputs) {
        QFile old(disk.path(QStringLiteral("old") + QString::fromLatin1(option)));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old\n");
    }
    fill(disk.path(QStringLiteral("filler")));
    const QStringList before = disk.entries();
    for (const char* option : Outputs) {
        SCOPED_TRACE(option);
        const QString fresh = disk.path(QStringLiteral("new") + QString::fromLatin1(option));
        const TRun refused = writeTo(option, fresh);
        expectRefused(refused, fresh);
        EXPECT_TRUE(refused.ErrLines.value(0).endsWith(QStringLiteral("No space left on device")))
            << refused.ErrLines.value(0).toStdString();
        EXPECT_FALSE(QFileInfo::exists(fresh));
        const QString old = disk.path(QStringLiteral("old") + QString::fromLatin1(option));
        expectRefused(writeTo(option, old), old);
        EXPECT_EQ(contents(old), QByteArray("old\n"));
    }
    EXPECT_EQ(disk.entries(), before) << "no temporary file is left behind";
}

// A folder on a read-only file system, where even the superuser cannot write.
TEST_F(ZelvoraReportOutput, AReadOnlyFolderIsRefused) {
    TScratchMount disk(QStringLiteral("size=256k"));
    if (!disk.mounted())
        GTEST_SKIP() << "mounting a small file system needs the superuser";
    QFile old(disk.path(QStringLiteral("old.pdf")));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old\n");
    old.close();
    ASSERT_TRUE(disk.remountReadOnly());
    for (const char* option : Outputs) {
        SCOPED_TRACE(option);
        const QString fresh = disk.path(QStringLiteral("new") + QString::fromLatin1(option));
        expectRefused(writeTo(option, fresh), fresh);
        expectRefused(writeTo(option, disk.path(QStringLiteral("old.pdf"))),
                      disk.path(QStringLiteral("old.pdf")));
    }
    EXPECT_EQ(disk.entries(), QStringList{QStringLiteral("old.pdf")});
    EXPECT_EQ(contents(disk.path(QStringLiteral("old.pdf"))), QByteArray("old\n"));
}
