// A check read back from the JSON mirelrep writes, and refusals of anything else.
#include <gtest/gtest.h>

#include "inventory/json_export.h"
#include "resources/text.h"
#include "standard/category_catalog.h"
#include "storetools/check_capture.h"
#include "storetools/check_import.h"
#include "storetools/check_rebuild.h"
#include "tests/store/store_fixture.h"

namespace {

// The standard check's stores with one service and the computer's name, as a live check
// would leave them.
StandardStores StoresWithAService()
{
    StandardStores stores;
    stores.KeepRawValues(true);
    for (const StandardCategory& category : kStandardCategories) {
        CategoryStore& store = *stores.Store(category.storeIndex);
        if (std::string(category.className) != "Win32_Service" && std::string(category.className) != "Win32_ComputerSystem")
            continue;
        const int row = store.AppendRow();
        for (int column = 0; column < store.ColumnCount(); ++column) {
            const std::string text = column == 0 ? "PC-MAIL" : "v" + std::to_string(column);
            store.SetCell(row, column, text);
            RawValue raw{text};
            raw.vartype = VT_BSTR;
            store.SetRawCell(row, column, raw);
        }
    }
    return stores;
}

TEST(Import, AJsonCheckComesBackAsTheCheckItWas)
{
    const StandardStores stores = StoresWithAService();
    const std::string json = StandardJson({"", "2026-12-10T09:00:00+09:00", true, "PC-MAIL"}, stores);
    StoredCheck check;
    std::string message;
    ASSERT_TRUE(ParseCheckJson(json, "mail.json", check, message)) << message;
    EXPECT_EQ(check.header.computer, "PC-MAIL");
    EXPECT_EQ(check.header.checkedAt.utc, "2026-12-10T00:00:00Z");
    EXPECT_EQ(check.header.source, "import");
    ASSERT_EQ(check.parts.size(), 28u);
    StandardStores back;
    RebuildStandardStores(check, back);
    EXPECT_EQ(StandardJson({"", "2026-12-10T09:00:00+09:00", true, "PC-MAIL"}, back), json);

    // Without its own name, the computer-system category names it.
    std::string unnamed = json;
    unnamed.replace(unnamed.find("\"computerName\": \"PC-MAIL\""), 25, "\"computerName\": \"\"");
    ASSERT_TRUE(ParseCheckJson(unnamed, "mail.json", check, message)) << message;
    EXPECT_EQ(check.header.computer, "PC-MAIL");
}

TEST(Import, RefusesWhatIsNotACheck)
{
    SetTextLanguage(kEnglishLanguage);
    const std::string json = StandardJson({"pc01", "2026-12-10T09:00:00+09:00", true}, StoresWithAService());
    const std::pair<std::string, std::string> bad[] = {
        {json.substr(0, json.size() / 2), "is not JSON"},
        {"{\"computers\": [], \"tally\": {}}", "is not a check"},
        {"[1, 2, 3]", "is not a check"},
        {std::string(json).replace(json.find("Win32_BIOS"), 10, "Win32_Nope"), "is not a check"},
        {std::string(json).replace(json.find("2026-12-10T09"), 13, "yesterday 9am"), "is not a check"},
        {std::string(json).replace(json.find("\"raw\""), 5, "\"rav\""), "is not a check"},
    };
    for (const auto& [text, words] : bad) {
        StoredCheck check;
        std::string message;
        EXPECT_FALSE(ParseCheckJson(text, "x.json", check, message));
        EXPECT_NE(message.find(words), std::string::npos) << message;
    }
    TempFolder folder("mirel-import");
    StoredCheck check;
    std::string message;
    EXPECT_FALSE(ReadCheckFile(folder.File("none.json"), check, message));
    EXPECT_NE(message.find("cannot be read"), std::string::npos) << message;
    SetTextLanguage(0);
}

TEST(Import, RefusesComputerNamesNoComputerCanHave)
{
    SetTextLanguage(kEnglishLanguage);
    const std::string json = StandardJson({"pc01", "2026-12-10T09:00:00+09:00", true, "PC01"}, StoresWithAService());
    // The file with `typed` as the name typed and `own` as the computer's own name (JSON text).
    const auto named = [&json](const std::string& typed, const std::string& own) {
        std::string text = json;
        text.replace(text.find("\"computer\": \"pc01\""), 18, "\"computer\": \"" + typed + "\"");
        text.replace(text.find("\"computerName\": \"PC01\""), 22, "\"computerName\": \"" + own + "\"");
        return text;
    };
    const std::string refused[] = {".", "..\\\\..\\\\evil/x:y", "pc\\r\\nevil", "\\u001b[31mred", "bell\\u0007",
                                   "nul\\u0000x", std::string(254, 'a'), " . "};
    for (const std::string& name : refused) {
        for (const auto& [typed, own] : {std::pair{name, std::string("PC01")}, std::pair{std::string("pc01"), name}}) {
            if (typed == "." || typed == " . ")
                continue;   // typed, "." is this computer where it was checked
            StoredCheck check;
            std::string message;
            EXPECT_FALSE(ParseCheckJson(named(typed, own), "x.json", check, message)) << typed << " / " << own;
            EXPECT_NE(message.find("not a name a computer can have"), std::string::npos) << message;
            EXPECT_EQ(message.find('\x1b'), std::string::npos) << "shown without its control characters";
        }
    }
    // No name of its own and none typed: the computer-system category names it, never the
    // importing computer. An empty typed name is this computer where it was checked.
    StoredCheck check;
    std::string message;
    ASSERT_TRUE(ParseCheckJson(named("", ""), "x.json", check, message)) << message;
    EXPECT_EQ(check.header.computer, "PC-MAIL");
    ASSERT_TRUE(ParseCheckJson(named("", std::string(253, 'b')), "x.json", check, message)) << message;
    SetTextLanguage(0);
}

}  // namespace
