#include "app/DesktopStart.h"
#include "data/Connection.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

// The path as one word of a shell command the user can copy into a terminal.
QString shellWord(QString path) {
    static const QRegularExpression plain(QStringLiteral("^[\\w./+-]+$"),
                                          QRegularExpression::UseUnicodePropertiesOption);
    if (plain.match(path).hasMatch())
        return path;
    return u'\'' + path.replace(u'\'', QStringLiteral("'\\''")) + u'\'';
}

QString missingDatabaseText(const QString& database) {
    const QString word = shellWord(database);
    return QStringLiteral("База данных не найдена.\n\n"
                          "Программа, запущенная из меню, открывает файл\n%1\n\n"
                          "Создать его можно в терминале. База с примером данных:\n"
                          "zelvora-db demo %2\n\n"
                          "Пустая база:\n"
                          "zelvora-db init %2")
        .arg(QDir::toNativeSeparators(database), word);
}

} // namespace

QString desktopDataFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/zelvora");
}

QString enterDesktopDataFolder(const QString& database) {
    const QString folder = desktopDataFolder();
    if (!QDir().mkpath(folder) || !QDir::setCurrent(folder))
        return QStringLiteral("Не удалось создать папку данных программы:\n%1").arg(folder);
    // A server is not looked for on disk: opening it tells what is wrong.
    if (!TConnection::IsServerUri(database) && !QFileInfo::exists(database))
        return missingDatabaseText(QDir(folder).absoluteFilePath(database));
    return {};
}
