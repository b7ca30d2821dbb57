#pragma once

#include <QApplication>
#include <exception>
#include <functional>

// The application object of the program and of the window tests. Every handler
// shows its own errors (ui/ShowingErrors.h), since an error must not unwind
// through Qt's frames; notify keeps a catch-all behind them as the last line of
// defence, showing an error that escaped one all the same.
class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Told of an error that reached the catch-all, before it is shown: a handler
    // that does not show its own errors. The test programs fail the test there.
    std::function<void(const std::exception&)> OnUncaughtError;
};
