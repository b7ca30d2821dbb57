#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// Runs a checking program over a file; its output when it complains (a non-zero
// exit code or anything on stderr), else nothing.
inline QString complaint(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(300000);
    const QString errors = QString::fromUtf8(process.readAllStandardError());
    return process.exitCode() == 0 && errors.isEmpty() ? QString() : errors + process.readAllStandardOutput();
}

// What a program writes to stdout, whatever it says on stderr.
inline QString printed(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(300000);
    return QString::fromUtf8(process.readAllStandardOutput());
}
