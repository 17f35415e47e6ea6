// The Japanese run of a test program. A test folder with a `japanese` filter file runs a
// second time with that filter and LANG=ja_JP.UTF-8; the build gives each test program
// its folder's filter. A run with exactly that filter, also one started by hand, is the
// Japanese run: it fails as a whole when the Japanese locale does not apply, rather than
// passing on English texts or skipping what it was meant to check.
#pragma once
#include <gtest/gtest.h>

#include <string>

// The user interface language is Japanese and the ANSI code page is 932.
bool JapaneseLocaleApplies();
// The code page and user interface language in force, for messages.
std::string LocaleDescription();
// This run's test filter is exactly the folder's Japanese filter.
bool IsJapaneseRun();
// In the Japanese run: checks the locale as each test starts (test_main).
void InstallJapaneseRunCheck();

// For a test that means something only under the Japanese locale: elsewhere it is
// skipped, except in the Japanese run, where it fails.
#define REQUIRE_JAPANESE_LOCALE()                                                                \
    do {                                                                                         \
        if (!JapaneseLocaleApplies()) {                                                          \
            ASSERT_FALSE(IsJapaneseRun()) << "the Japanese run without the Japanese locale: "    \
                                          << LocaleDescription();                                \
            GTEST_SKIP() << "needs the Japanese locale: " << LocaleDescription();                \
        }                                                                                        \
    } while (false)
