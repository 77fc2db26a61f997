// Test entry point of the windows: without a display they run on Qt's offscreen platform, and a
// decimal-comma locale shows up any text that depends on the locale.

#include <QApplication>

#include <clocale>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (!platform || !*platform)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "cs_CZ.UTF-8"})
        if (std::setlocale(LC_ALL, name))
            break;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
