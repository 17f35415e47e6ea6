// Under the Japanese locale the summary's headers and results are Japanese; its JSON keys
// stay English.
#include <gtest/gtest.h>

#include "base/narrow.h"
#include "inventory/summary_table.h"
#include "listtools/csv_export.h"
#include "resources/text.h"
#include "tests/support/japanese_run.h"

TEST(JapaneseSummary, HeadersAndResultsInTheUserInterfaceLanguage)
{
    REQUIRE_JAPANESE_LOCALE();
    const ResultModel model = SummaryModel();
    EXPECT_EQ(model.Column(0).header, ToNarrow(L"\u30b3\u30f3\u30d4\u30e5\u30fc\u30bf\u30fc"));   // コンピューター
    EXPECT_EQ(model.Column(4).header, ToNarrow(L"\u8abf\u67fb\u65e5\u6642"));                 // 調査日時
    ComputerSummary summary;
    summary.computer = "pc01";
    summary.result = ComputerResult::HostNotFound;
    EXPECT_EQ(SummaryRow(summary, 0).cells[1],
              ToNarrow(L"\u30db\u30b9\u30c8\u304c\u898b\u3064\u304b\u3089\u306a\u3044"));     // ホストが見つからない
    const std::string json = SummaryJson({summary});
    EXPECT_NE(json.find("\"result\": \"hostNotFound\""), std::string::npos) << json;
}
