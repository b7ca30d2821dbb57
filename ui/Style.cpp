#include "ui/Style.h"

#include "ui/DialogService.h"

#include <QApplication>
#include <QFile>

void applyStyle(QApplication& application, const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        dialogs().showError(
            QStringLiteral("Не удалось применить стиль \"Amethyst Kamri\": %1").arg(file.errorString()));
        return;
    }
    application.setStyleSheet(QString::fromUtf8(file.readAll()));
}
