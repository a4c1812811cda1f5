#include <QApplication>
#include <gtest/gtest.h>

// The view tests need a QApplication for their widgets; they run on the offscreen platform.
int main(int argc, char** argv) {
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
