#pragma once

#include <QElapsedTimer>
#include <QFile>
#include <QString>
#include <cstdio>

// Wall time of one step, and the process's peak resident memory, which is what
// an office machine has to have free.
class TBenchClock {
public:
    TBenchClock() { FTimer.start(); }
    double lap() {
        const double seconds = FTimer.nsecsElapsed() / 1e9;
        FTimer.restart();
        return seconds;
    }
    static qint64 peakKilobytes() { return statusValue("VmHWM:"); }
    static qint64 currentKilobytes() { return statusValue("VmRSS:"); }

private:
    static qint64 statusValue(const char* key) {
        QFile status(QStringLiteral("/proc/self/status"));
        if (!status.open(QIODevice::ReadOnly)) {
            return -1;
        }
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith(key)) {
                return line.mid(int(qstrlen(key))).trimmed().split(' ').first().toLongLong();
            }
        }
        return -1;
    }
    QElapsedTimer FTimer;
};
