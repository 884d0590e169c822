// main() of every widget test: a QApplication with Qt's German translations, as the program has.
#include <gtest/gtest.h>

#include <QApplication>

#include "qt/qt_platform.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    zw::InstallGermanQtTranslations(app);
    return RUN_ALL_TESTS();
}
