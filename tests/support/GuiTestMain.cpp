// main() of the window and widget tests: GoogleTest with a QApplication around the run.
// CTest discovers the tests by running the binary with --gtest_list_tests, possibly without
// any display, so no QApplication is created when the tests are only listed. Without
// QT_QPA_PLATFORM the tests run on the offscreen platform.

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) {
        return RUN_ALL_TESTS();
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
