#include <gtest/gtest.h>

#include "base/narrow.h"
#include "base/text_util.h"
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

TEST(Text, CountsTakeTheSingularForOneInBothLanguages)
{
    SetTextLanguage(kEnglishLanguage);
    EXPECT_EQ(CountText(1, IDS_COUNT_COMPUTERS), "1 computer");
    EXPECT_EQ(CountText(0, IDS_COUNT_COMPUTERS), "0 computers");
    EXPECT_EQ(CountText(12, IDS_COUNT_CHECKS), "12 checks");
    EXPECT_EQ(FillIn(LoadText(IDS_STORE_PRUNED), {CountText(1, IDS_COUNT_CHECKS), CountText(1, IDS_COUNT_DAYS),
                                                   CountText(1, IDS_COUNT_CHECKS)}),
              "Removed 1 check older than 1 day; the store now holds 1 check.");
    SetTextLanguage(kJapaneseLanguage);
    EXPECT_EQ(CountText(1, IDS_COUNT_COMPUTERS), ToNarrow(L"1 \u53f0"));   // 台
    EXPECT_EQ(CountText(3, IDS_COUNT_CHECKS), ToNarrow(L"3 \u4ef6"));      // 件
    SetTextLanguage(0);
}

TEST(Text, ANameGoesAfterTheEnglishTextAndInsideTheJapaneseSentence)
{
    SetTextLanguage(kEnglishLanguage);
    EXPECT_EQ(TextNaming(IDS_HOST_NOT_FOUND, "pc01.invalid"), "Could not find the host pc01.invalid");
    EXPECT_EQ(TextNaming(IDS_HOST_NOT_ANSWERING, "pc01", " "), "Can't connect to the remote computer  pc01");
    SetTextLanguage(kJapaneseLanguage);
    EXPECT_EQ(TextNaming(IDS_HOST_NOT_FOUND, "pc01.invalid"), ToNarrow(L"ホスト pc01.invalid が見つかりません。"));
    EXPECT_EQ(TextNaming(IDS_HOST_NOT_ANSWERING, "pc01", " "), ToNarrow(L"リモート コンピューター pc01 に接続できません。"));
    SetTextLanguage(0);
}
