// Entry point of the model's test programs: a QCoreApplication (timers and signals need
// an event loop, widgets are not there to need more), then GoogleTest.
#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
