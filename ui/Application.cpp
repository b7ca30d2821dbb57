#include "ui/Application.h"

#include "ui/ShowingErrors.h"

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        if (OnUncaughtError)
            OnUncaughtError(error);
        showException(error);
    }
    return false;
}
