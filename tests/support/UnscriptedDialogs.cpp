#include "tests/support/UnscriptedDialogs.h"

#include <QDialog>
#include <gtest/gtest.h>

TMsgButton TUnscriptedDialogs::messageBox(const TMessageBox& box) {
    ADD_FAILURE() << "A message box came with no test's dialogs to answer it: \"" << box.Title.toStdString()
                  << "\": \"" << box.Text.toStdString() << "\"";
    return TMsgButton::None;
}

QString TUnscriptedDialogs::fileDialog(const TFileDialog& dialog) {
    ADD_FAILURE() << "A file dialog came with no test's dialogs to answer it: \""
                  << dialog.Title.toStdString() << "\"";
    return {};
}

int TUnscriptedDialogs::showModal(QDialog& window) {
    ADD_FAILURE() << "A window was shown modally with no test's dialogs to close it: "
                  << window.objectName().toStdString();
    return QDialog::Rejected;
}
