#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

// One run of a command-line tool as a user runs it: exit code, whether it
// crashed, what it printed. A run that did not start or did not end in time
// has no exit code; Failure then says which, for the failing test's message.
struct TRun {
    int ExitCode = -1;
    bool Crashed = true;
    QString Out;
    QStringList ErrLines;
    QString Failure;
};

inline TRun runProgram(const QString& program, const QStringList& args,
                       const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, args);
    TRun run;
    if (!process.waitForFinished(120000)) {
        run.Failure = process.errorString();
        return run;
    }
    run.Crashed = process.exitStatus() != QProcess::NormalExit;
    run.ExitCode = process.exitCode();
    run.Out = QString::fromUtf8(process.readAllStandardOutput());
    // The platform layer's notes about its runtime folder are not the tool's words.
    for (const QString& line :
         QString::fromUtf8(process.readAllStandardError()).split(u'\n', Qt::SkipEmptyParts)) {
        if (!line.startsWith(QLatin1String("QStandardPaths:"))) {
            run.ErrLines << line;
        }
    }
    return run;
}
