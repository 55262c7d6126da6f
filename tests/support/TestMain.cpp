// Shared entry point of every test program: a QApplication on the offscreen platform
// (so widget, socket and timer tests all have their event loop), then GoogleTest.
// Declared weak so that a test program needing its own main can still provide one.
#include <QApplication>

#include <gtest/gtest.h>

__attribute__((weak)) int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
