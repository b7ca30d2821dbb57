#pragma once

#include <QApplication>

// The application object of the program and of the window tests. An error that
// no event handler catches ends that handler only: it is shown as the
// top-level error display and the windows stay as they were.
class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};
