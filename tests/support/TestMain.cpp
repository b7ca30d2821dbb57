#include <QApplication>
#include <gtest/gtest.h>

// Every test program runs inside a QApplication on the offscreen platform, so
// windows, fonts and event loops behave as they do in the program.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
