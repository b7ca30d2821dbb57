#include "ui/Application.h"

#include "data/Exception.h"
#include "ui/DialogService.h"

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const Exception& error) {
        dialogs().showError(error.Message());
    } catch (const std::exception& error) {
        dialogs().showError(QString::fromUtf8(error.what()));
    }
    return false;
}
