// Test entry point of the modules without Qt. The C locale is switched to one with a decimal
// comma (where the machine has it) so that a formatter or parser that depends on the locale
// shows up as a failing test instead of a wrong file on a user's machine.

#include <clocale>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "cs_CZ.UTF-8"})
        if (std::setlocale(LC_ALL, name))
            break;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
