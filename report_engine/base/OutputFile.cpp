#include "report_engine/base/OutputFile.h"

#include "report_engine/base/ReportError.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

namespace {
// A terminal, a pipe or a device: renaming a finished file onto it would replace
// the device node itself.
bool isDevice(const QString& fileName) {
    const QFileInfo info(fileName);
    return info.exists() && !info.isFile() && !info.isDir();
}

// The system's reason when it gave one: the file layer reports a disk that
// fills up in the middle of a write with no reason of its own.
QString reason(const QFileDevice& file, int code) {
    return code != 0 ? QString::fromLocal8Bit(std::strerror(code)) : file.errorString();
}
} // namespace

// What stream writers write to: every write goes straight to the file.
class TfrxOutputFile::TDevice : public QIODevice {
public:
    explicit TDevice(TfrxOutputFile& file) : FFile(file) {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        const qint64 written = FFile.writeSome(data, size);
        if (written != size)
            setErrorString(FFile.FFailure);
        return written;
    }

private:
    TfrxOutputFile& FFile;
};

TfrxOutputFile::TfrxOutputFile(const QString& fileName) : FFileName(fileName), FDirect(isDevice(fileName)) {
    if (FDirect)
        FFile = std::make_unique<QFile>(fileName);
    else
        FFile = std::make_unique<QSaveFile>(fileName);
    if (!FFile->open(FDirect ? QIODevice::WriteOnly | QIODevice::Truncate : QIODevice::WriteOnly))
        throw EfrxError(QStringLiteral("Cannot create %1: %2").arg(FFileName, FFile->errorString()));
    FDevice = std::make_unique<TDevice>(*this);
}

// An unfinished file is dropped: the temporary one disappears with its object.
TfrxOutputFile::~TfrxOutputFile() = default;

qint64 TfrxOutputFile::writeSome(const char* data, qint64 size) {
    errno = 0;
    const qint64 written = FFile->write(data, size);
    if (written != size && FFailure.isEmpty())
        FFailure = reason(*FFile, errno);
    return written == size ? size : -1;
}

void TfrxOutputFile::write(const QByteArray& bytes) {
    if (writeSome(bytes.constData(), bytes.size()) != bytes.size())
        fail();
}

QIODevice& TfrxOutputFile::device() {
    return *FDevice;
}

void TfrxOutputFile::check() const {
    if (!FFailure.isEmpty())
        fail();
}

void TfrxOutputFile::commit() {
    check();
    // Buffered bytes meet a full disk only here, so the flush is checked on its own.
    errno = 0;
    bool done = FFile->flush();
    if (done && FDirect) {
        FFile->close();
        done = FFile->error() == QFileDevice::NoError;
    } else if (done) {
        done = static_cast<QSaveFile&>(*FFile).commit();
    }
    if (!done) {
        FFailure = reason(*FFile, errno);
        fail();
    }
}

void TfrxOutputFile::fail() const {
    throw EfrxError(QStringLiteral("Cannot write %1: %2").arg(FFileName, FFailure));
}
