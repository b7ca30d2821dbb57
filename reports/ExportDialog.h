#pragma once

#include <QDialog>

class QBoxLayout;

// What the engine's option dialogs share: a fixed size, centred, "OK" (the
// default button) and "Cancel"; OK first stores the choices.
class TfrxExportDialog : public QDialog {
protected:
    TfrxExportDialog(const QString& name, const QString& caption);
    // Adds the buttons below the dialog's own controls and fixes its size.
    void addButtons(QBoxLayout& layout);
    virtual void store() = 0;
    // What OK does: store the choices and close.
    virtual void confirm();

    template <class T> static T* named(T* widget, const char* name) {
        widget->setObjectName(QLatin1String(name));
        return widget;
    }
};
