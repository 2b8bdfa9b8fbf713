// The main of the widget tests: a QApplication on Qt's offscreen platform, the C locale, and the
// program's settings kept in a temporary folder so that no test reads or writes the user's own.
#include "widgets/settings.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    std::setlocale(LC_ALL, "C");
    QTemporaryDir settingsFolder;
    if (!settingsFolder.isValid())
        return 1;
    settings::UseFolder(settingsFolder.path());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
