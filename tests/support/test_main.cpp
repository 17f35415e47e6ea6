// Entry point of every test program.
#include <gtest/gtest.h>

#include "tests/support/japanese_run.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    InstallJapaneseRunCheck();
    return RUN_ALL_TESTS();
}
