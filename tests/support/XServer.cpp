#include "tests/support/XServer.h"

#include <QFileInfo>
#include <signal.h>
#include <sys/prctl.h>

TXServer::TXServer() {
    const QString program = QStringLiteral("/usr/bin/Xvfb");
    if (!QFileInfo::exists(program)) {
        FError = QStringLiteral("Xvfb is not installed (scripts/setup)");
        return;
    }
    FServer.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    FServer.setProcessChannelMode(QProcess::SeparateChannels);
    // The server picks a free display and writes its number to standard output
    // once it accepts connections.
    FServer.start(program, {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "1280x1024x24"});
    QByteArray number;
    while (!number.endsWith('\n') && FServer.waitForReadyRead(10000))
        number += FServer.readAllStandardOutput();
    if (!number.endsWith('\n')) {
        FError =
            QStringLiteral("Xvfb did not start: ") + QString::fromLocal8Bit(FServer.readAllStandardError());
        return;
    }
    FDisplay = QLatin1Char(':') + QString::fromLatin1(number.trimmed());
}

TXServer::~TXServer() {
    if (FServer.state() == QProcess::NotRunning)
        return;
    FServer.terminate();
    if (!FServer.waitForFinished(5000))
        FServer.kill();
    FServer.waitForFinished(5000);
}
