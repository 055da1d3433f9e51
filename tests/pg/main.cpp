#include <QCoreApplication>

#include <gtest/gtest.h>

// The SQL drivers are plugins: they need the application object.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
