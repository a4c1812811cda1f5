#include <QApplication>
#include <gtest/gtest.h>

// The view tests need a QApplication for their widgets. They run on the offscreen platform unless
// told otherwise, also when the test runner only lists them.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
