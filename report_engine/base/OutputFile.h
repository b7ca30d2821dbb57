#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

class QFileDevice;
class QIODevice;

// A file written whole or not at all. The bytes go to a temporary file beside
// the target, which takes the target's name only once everything is written and
// on disk; until then a file of that name stays as it was, and a file dropped
// unfinished leaves nothing behind. A device such as /dev/null has no name to
// take over and is written directly.
//
// Every failure throws EfrxError with one line naming the file and the reason.
class TfrxOutputFile {
public:
    explicit TfrxOutputFile(const QString& fileName);
    ~TfrxOutputFile();
    TfrxOutputFile(const TfrxOutputFile&) = delete;
    TfrxOutputFile& operator=(const TfrxOutputFile&) = delete;

    const QString& fileName() const { return FFileName; }
    void write(const QByteArray& bytes);
    // For writers that stream into a device of their own choosing: a write it
    // refuses fails there, and check() throws it as this file's error.
    QIODevice& device();
    void check() const;
    // Flushes, puts the file on disk and gives it its name.
    void commit();

private:
    class TDevice;
    qint64 writeSome(const char* data, qint64 size);
    [[noreturn]] void fail() const;

    QString FFileName;
    std::unique_ptr<QFileDevice> FFile;
    std::unique_ptr<TDevice> FDevice;
    bool FDirect = false;
    QString FFailure; // why the first refused write was refused
};
