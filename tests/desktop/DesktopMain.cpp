#include "tests/support/UncaughtErrors.h"
#include "tests/support/XServer.h"
#include "ui/Application.h"

#include <gtest/gtest.h>

#include <cstdio>

// These tests run the windows on a real X display of their own that has no window
// manager, the desktop on which the offscreen platform cannot show who holds the
// keyboard.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    TXServer display;
    if (!display.error().isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(display.error()));
        return 1;
    }
    qputenv("DISPLAY", display.display().toLatin1());
    qputenv("QT_QPA_PLATFORM", "xcb");
    qputenv("CUPS_SERVER", "/nonexistent/zelvora-tests/cups.sock");
    // The same locale on every machine, whatever the one running the tests has.
    qputenv("LC_ALL", "C.UTF-8");
    TApplication app(argc, argv);
    failTestsOnUncaughtErrors(app);
    return RUN_ALL_TESTS();
}
