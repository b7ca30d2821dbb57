#include "app/InstalledFiles.h"

#include "resources/ProgramInfo.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString besideOrInstalled(const QString& folder, const char* installedFolder, const QString& name) {
    const QString beside = QDir(folder).filePath(name);
    const QString installed =
        QDir::cleanPath(QDir(folder).filePath(QString::fromLatin1(installedFolder) + u'/' + name));
    if (!QFileInfo::exists(beside) && QFileInfo::exists(installed))
        return installed;
    return beside;
}

} // namespace

QString backgroundFile(const QString& programFolder) {
    return besideOrInstalled(programFolder, SharedDataFromPrograms, QStringLiteral("Data/background.bmp"));
}

QString programFromLauncher(const QString& launcherFolder) {
    return besideOrInstalled(launcherFolder, ProgramsFromLauncher, QStringLiteral("zelvora"));
}
