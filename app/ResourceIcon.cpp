#include "app/ResourceIcon.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QHash>

TfrmResourceIcon* frmResourceIcon = nullptr;

namespace {

const char* const ImageFiles[] = {"add", "edit", "delete", "report", "close", "spare"};

int imageIndex(const QString& buttonName) {
    static const QHash<QString, int> indexes{
        {QStringLiteral("tbtnAdd"), 0},    {QStringLiteral("tbtnEdit"), 1},
        {QStringLiteral("tbtnDel"), 2},    {QStringLiteral("tbtnPrint"), 3},
        {QStringLiteral("tbtnReport"), 3}, {QStringLiteral("tbtnClose"), 4}};
    return indexes.value(buttonName, -1);
}

} // namespace

TfrmResourceIcon::TfrmResourceIcon(QWidget* owner) : TForm(owner), ImgList64(64, 64) {
    setObjectName(QStringLiteral("frmResourceIcon"));
    setWindowTitle(QStringLiteral("Контейнер иконок"));
    for (const char* file : ImageFiles)
        ImgList64.add(QImage(QStringLiteral(":/icons/%1.png").arg(QLatin1String(file))));
}

void TfrmResourceIcon::bindImages(QWidget& window) const {
    // A tool button may be a button of its own or an action of a tool bar.
    for (QObject* item : window.findChildren<QObject*>()) {
        const int index = imageIndex(item->objectName());
        if (index < 0)
            continue;
        if (auto* button = qobject_cast<QAbstractButton*>(item))
            button->setIcon(ImgList64.icon(index));
        else if (auto* action = qobject_cast<QAction*>(item))
            action->setIcon(ImgList64.icon(index));
    }
}

void TfrmResourceIcon::FormCreate() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != this)
            bindImages(*window);
}
