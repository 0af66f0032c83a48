// main() of the test binaries that need Qt's GUI. Flags are parsed before the application
// object exists, because build-time test discovery has no display.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFont>
#include <QLocale>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale::c());
    QApplication::setStyle("Fusion");
    QFont font("Liberation Sans");
    font.setPixelSize(12);
    QApplication::setFont(font);
    return RUN_ALL_TESTS();
}
