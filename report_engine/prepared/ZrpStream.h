#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <string>
#include <utility>
#include <zlib.h>

// The byte level of ".zrp" files: one zlib stream, written and read piece by piece
// so that neither a long report's saving nor its loading holds the whole file.

// Compresses what is written into the target device as one zlib stream.
class TZrpDeflater : public QIODevice {
public:
    explicit TZrpDeflater(QIODevice& target);
    ~TZrpDeflater() override;
    void finish();

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

private:
    void pump(const char* data, qint64 size, int flush);

    QIODevice& FTarget;
    z_stream FStream{};
};

// Inflates the source device as its reader asks for bytes. A stream that is cut,
// altered (the stream's checksum) or that would grow beyond any real report marks
// the device failed.
class TZrpInflater : public QIODevice {
public:
    explicit TZrpInflater(QIODevice& source);
    ~TZrpInflater() override;
    bool isSequential() const override { return true; }
    // Complete and intact: the stream ended where the file ends.
    bool intact() const { return FFinished && !FFailed && FStream.avail_in == 0 && FSource.atEnd(); }

protected:
    qint64 writeData(const char*, qint64) override { return -1; }
    qint64 readData(char* data, qint64 maxSize) override;

private:
    qint64 fail();

    QIODevice& FSource;
    z_stream FStream{};
    QByteArray FInput;
    qint64 FTotal = 0;
    bool FFinished = false;
    bool FFailed = false;
};

// Numbers and texts in the file's own encoding: unsigned numbers in 7-bit groups,
// low group first; real numbers as their 8 bytes, little-endian; texts as their
// UTF-8 length and bytes. What is written gathers here until taken.
class TZrpWriter {
public:
    void number(quint64 value) {
        if (value < 0x80)
            FBuffer.push_back(static_cast<char>(value)); // most numbers: aliases, masks, counts
        else
            longNumber(value);
    }
    void byte(quint8 value) { FBuffer += static_cast<char>(value); }
    void real(double value);
    void bytes(const QByteArray& value);
    size_t size() const { return FBuffer.size(); }
    std::string take() { return std::exchange(FBuffer, std::string()); }
    // Hands what is gathered to the device.
    void writeTo(QIODevice& device);

private:
    void longNumber(quint64 value);

    std::string FBuffer;
};

// Reads what TZrpWriter wrote; anything missing or out of range is reported by
// throwing EfrxError with the given reason, never by reading past the data.
class TZrpReader {
public:
    explicit TZrpReader(QIODevice& device) : FDevice(device) {}
    int number(int limit); // below limit
    quint8 byte();
    double real();
    // At most limit bytes; taken in pieces so a false length allocates nothing.
    QByteArray bytes(qint64 limit);
    bool atEnd();

private:
    char next();
    bool fill();

    QIODevice& FDevice;
    QByteArray FBuffer;
    qsizetype FPosition = 0;
};
