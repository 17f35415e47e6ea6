#include <gtest/gtest.h>

#include "resources/resource.h"
#include "resources/text.h"

TEST(Text, LoadsEnglishAndJapaneseEntriesOfTheSameId)
{
    EXPECT_EQ(LoadTextInLanguage(IDS_RUN, kEnglishLanguage), L"Run");
    EXPECT_EQ(LoadTextInLanguage(IDS_RUN, kJapaneseLanguage), L"\u5b9f\u884c");
}

TEST(Text, KeepsEscapesOfTheTable)
{
    EXPECT_EQ(LoadTextInLanguage(IDS_CONNECT_FAILED, kEnglishLanguage),
              L"Could not connect to the \\\\root\\cimv2 namespace of %1.");
    EXPECT_EQ(LoadTextInLanguage(IDS_CONFIRM_QUIT, kEnglishLanguage),
              L"A check is running. Quit anyway?");
}

TEST(Text, MissingEntryIsEmpty)
{
    EXPECT_EQ(LoadTextInLanguage(2011, kEnglishLanguage), L"");
    EXPECT_EQ(LoadTextInLanguage(65000, kJapaneseLanguage), L"");
}

TEST(Text, PinnedLanguageChoosesTheTable)
{
    SetTextLanguage(kEnglishLanguage);
    EXPECT_EQ(LoadText(IDS_ARRAY_OPEN), "[ ");
    EXPECT_EQ(LoadTextW(IDS_STOP), L"Stop");
    SetTextLanguage(kJapaneseLanguage);
    EXPECT_EQ(LoadTextW(IDS_STOP), L"\u505c\u6b62");
    SetTextLanguage(0);
}
