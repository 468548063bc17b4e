// Runs a test program in a process whose C locale writes and reads a decimal
// comma: a Turkish (or German) locale adopted by a QCoreApplication, as the
// program's QApplication adopts the user's. Number texts must not follow it.

#include "MissingTool.h"
#include <QCoreApplication>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool g_commaLocale = false;

const char* pickCommaLocale()
{
    for (const char* name : {"tr_TR.UTF-8", "de_DE.UTF-8"}) {
        if (std::setlocale(LC_ALL, name)) {
            std::setlocale(LC_ALL, "C");
            return name;
        }
    }
    return nullptr;
}

}  // namespace

TEST(DecimalCommaLocale, TheCLibraryUsesADecimalComma)
{
    if (!g_commaLocale)
        SKERRA_SKIP_UNLESS_CI("neither tr_TR.UTF-8 nor de_DE.UTF-8 is installed");
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.1f", 1.5);
    EXPECT_EQ(std::string(buf), "1,5");
}

int main(int argc, char** argv)
{
    if (const char* name = pickCommaLocale()) {
        setenv("LC_ALL", name, 1);
        g_commaLocale = true;
    }
    QCoreApplication app(argc, argv);  // takes the locale from the environment
    std::setlocale(LC_ALL, "");        // and make sure of it, whatever Qt did
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
