#include "app/EntryPoint.h"
#include "app/StartUp.h"
#include "data/Schema.h"
#include "tests/desktop/XKeyboard.h"
#include "tests/support/TestDialogService.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(StartUpOnAPlainDesktop, TheMainWindowHoldsTheKeyboard) {
    QTemporaryDir folder;
    const QString database = folder.filePath(QStringLiteral("db.sqlite"));
    TSchema::CreateDatabase(database);
    // The missing background picture's error box is answered by the test double.
    TTestDialogService dialogs;
    TStartUp startUp(database);
    ASSERT_TRUE(startUp.start(*qApp));

    EXPECT_TRUE(waitUntil([] { return holdsKeyboard(frmEntry); }))
        << "X gives the keyboard to window " << keyboardWindow() << ", not to the main window";
    qApp->setStyleSheet({});
}
