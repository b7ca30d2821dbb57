#include "ui/ApplicationTitle.h"

#include <QCoreApplication>

QString titleFromExecutable(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    QString name = path.mid(slash + 1);
    const qsizetype stop = name.indexOf(QLatin1Char('.'));
    if (stop >= 0)
        name.truncate(stop);
    if (name.isEmpty())
        return name;
    return name.left(1).toUpper() + name.mid(1).toLower();
}

QString applicationTitle() {
    return titleFromExecutable(QCoreApplication::applicationFilePath());
}
