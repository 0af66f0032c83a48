// main() of the test binaries that draw text without widgets: fonts need a QGuiApplication.
// Flags are parsed before the application object exists, because build-time test discovery
// has no display.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QLocale>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    QGuiApplication app(argc, argv);
    QLocale::setDefault(QLocale::c());
    return RUN_ALL_TESTS();
}
