#include "tests/support/PgServer.h"
#include "tests/support/UncaughtErrors.h"
#include "tests/support/UnscriptedDialogs.h"
#include "ui/Application.h"

#include <gtest/gtest.h>

// Every test program runs inside the program's own application object on the
// offscreen platform, so windows, fonts and event loops behave as they do in
// the program; an error that reaches its catch-all fails the test, and so does
// a message box or modal window that a test did not script.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // No test reaches the system's print server: one that prints starts its own.
    qputenv("CUPS_SERVER", "/nonexistent/zelvora-tests/cups.sock");
    // The same locale on every machine, whatever the one running the tests has.
    qputenv("LC_ALL", "C.UTF-8");
    TApplication app(argc, argv);
    failTestsOnUncaughtErrors(app);
    TUnscriptedDialogs unscripted;
    installDialogs(&unscripted);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    TPgServer::Shutdown();
    installDialogs(nullptr);
    return result;
}
