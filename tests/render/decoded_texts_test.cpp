// Every text a decoder can show exists in English and in Japanese, and the cache of
// loaded texts follows the chosen language.
#include "tests/render/decode_test_support.h"

#include <set>
#include <thread>
#include <vector>

#include "render/code_tables.h"
#include "render/decoded_text.h"
#include "render/flag_tables.h"
#include "render/pattern_tables.h"

namespace {

std::set<UINT> EveryDecodedTextId()
{
    std::set<UINT> ids;
    for (auto ranges : {CodeRanges(), PatternCodeRanges()})
        for (const CodeRange& row : ranges)
            for (long long code = row.first; code <= row.last; ++code)
                ids.insert(row.firstId + static_cast<UINT>(code - row.first));
    for (const CodeList& list : CodeLists())
        for (size_t index = 0; index < list.codes.size(); ++index)
            ids.insert(list.firstId + static_cast<UINT>(index));
    for (const CodeFallback& fallback : CodeFallbacks())
        ids.insert(fallback.id);
    for (const FlagRun& run : FlagRuns()) {
        UINT id = run.firstId;
        for (unsigned mask = run.firstMask; mask != 0; mask <<= 1, ++id) {
            ids.insert(id);
            if (mask == run.lastMask)
                break;
        }
    }
    for (const FlagSpecialValue& special : FlagSpecialValues())
        ids.insert(special.id);
    for (const WordText& word : WordTexts())
        ids.insert(word.id);
    for (const UnitSuffix& unit : UnitSuffixes())
        ids.insert(unit.id);
    return ids;
}

bool FitsCodePage932(const std::wstring& text)
{
    BOOL lossy = FALSE;
    int length = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, text.c_str(), static_cast<int>(text.size()),
                                     nullptr, 0, nullptr, &lossy);
    return length > 0 && !lossy;
}

}  // namespace

TEST(DecodedTexts, EveryIdOfTheTablesExistsInBothLanguages)
{
    std::set<UINT> ids = EveryDecodedTextId();
    EXPECT_GT(ids.size(), 2500u);
    for (UINT id : ids) {
        ASSERT_TRUE((id >= 5001 && id <= 5004) || (id >= 10001 && id <= 27120)) << id;
        std::wstring english = LoadTextInLanguage(id, kEnglishLanguage);
        std::wstring japanese = LoadTextInLanguage(id, kJapaneseLanguage);
        EXPECT_FALSE(english.empty()) << id;
        EXPECT_FALSE(japanese.empty()) << id;
        EXPECT_TRUE(FitsCodePage932(japanese)) << id;
    }
}

TEST(DecodedTexts, CacheFollowsThePinnedLanguage)
{
    SetTextLanguage(kEnglishLanguage);
    EXPECT_EQ(DecodedText(10003), "3 : Running or Full Power");
    EXPECT_EQ(DecodedText(5001), " Day(s)");
    SetTextLanguage(kJapaneseLanguage);
    EXPECT_EQ(DecodedText(10003), ToNarrow(LoadTextInLanguage(10003, kJapaneseLanguage)));
    SetTextLanguage(kEnglishLanguage);
    EXPECT_EQ(DecodedText(10003), "3 : Running or Full Power");
    SetTextLanguage(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN));
    EXPECT_EQ(DecodedText(10003), "");
    SetTextLanguage(0);
}

TEST(DecodedTexts, MissingEntriesAreEmpty)
{
    SetTextLanguage(kEnglishLanguage);
    EXPECT_EQ(DecodedText(10000), "");
    EXPECT_EQ(DecodedText(65000), "");
    SetTextLanguage(0);
}

TEST(DecodedTexts, ThreadsDecodingAtOnceAgree)
{
    SetTextLanguage(kEnglishLanguage);
    const std::string expected[] = {"3 : Running or Full Power", "65 : Monday|Sunday", "1,234,567",
                                    "2010/08/02 15:30:45"};
    std::vector<std::thread> threads;
    std::vector<int> failures(4, 0);
    for (int thread = 0; thread < 4; ++thread) {
        threads.emplace_back([&, thread] {
            for (int round = 0; round < 2000; ++round) {
                failures[thread] += DecodePropertyValue(0, VT_I4, L"Availability", "3") != expected[0];
                failures[thread] += DecodePropertyValue(0, VT_I4, L"DaysOfWeek", "65") != expected[1];
                failures[thread] += DecodePropertyValue(0, VT_BSTR, L"Size", "1234567") != expected[2];
                failures[thread] += DecodePropertyValue(0, VT_BSTR, L"InstallDate",
                                                        "20100802153045.000000+000") != expected[3];
                // Texts loaded for the first time by several threads together.
                UINT id = 14928 + static_cast<UINT>(round % 60);
                failures[thread] += DecodedText(id) != EnglishText(id);
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    for (int count : failures)
        EXPECT_EQ(count, 0);
    SetTextLanguage(0);
}
