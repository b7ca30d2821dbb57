// The desktop menu's way into the program: the user's data folder becomes the
// current folder, so the program opens the database kept there; with none there
// yet the user learns how to make one rather than only that opening failed.
#include "app/DatabaseChoice.h"
#include "app/DesktopStart.h"
#include "app/InstalledFiles.h"
#include "ui/DialogService.h"

#include <QApplication>
#include <QTextStream>
#include <cerrno>
#include <cstring>
#include <unistd.h>

int main(int argc, char** argv) {
    QByteArray program;
    {
        QApplication application(argc, argv);
        const QString problem = enterDesktopDataFolder(chosenDatabase(application.arguments()));
        if (!problem.isEmpty()) {
            dialogs().information(nullptr, problem, QStringLiteral("Сообщение"));
            return 0;
        }
        program = programFromLauncher(QCoreApplication::applicationDirPath()).toLocal8Bit();
    }
    argv[0] = program.data();
    execv(program.constData(), argv);
    QTextStream(stderr) << "zelvora-desktop: cannot start " << program << ": " << std::strerror(errno)
                        << '\n';
    return 1;
}
