// Recording checks and reading them back: whole or not at all, every value as it went in,
// each object version kept once, volatile values per check, changes counted on the way.
#include <gtest/gtest.h>

#include "store/check_reader.h"
#include "store/raw_cell.h"
#include "store/store_history.h"
#include "tests/store/store_fixture.h"

namespace {

const std::vector<TestService> kServices = {{"BITS", "Manual", "Stopped"}, {"Spooler", "Auto", "Running"},
                                            {"W32Time", "Manual", "Stopped"}};

TEST(Record, EveryValueComesBackAsItWent)
{
    TestStore test("mirel-store-values");
    std::unique_ptr<InventoryStore> store = test.Open();
    ASSERT_TRUE(store) << test.LastMessage();
    RawArray array = {RawValue{std::string("a")}, RawValue{int64_t{-1}}};
    std::vector<StoredCell> cells = {
        {RawValue{}, ""},
        {RawValue{true}, "True"},
        {RawValue{int64_t{-2147483648LL}}, "-2,147,483,648"},
        {RawValue{uint64_t{18446744073709551615ULL}}, "18,446,744,073,709,551,615"},
        {RawValue{1e300}, "1e300"},
        {RawValue{0.1}, "0.1"},
        {RawValue{std::string("サービス café ✓ 𝄞 \"q\" \r\n; DROP TABLE store_checks")}, "shown"},
        {RawValue{array}, "a, -1"},
    };
    for (size_t i = 0; i < cells.size(); ++i)
        cells[i].raw.vartype = static_cast<unsigned short>(i == 0 ? size_t{VT_NULL} : 8 + i);
    StoredCheck check;
    check.header.computer = "PC-Ünicode";
    check.header.target = "pc-ünicode";
    check.header.checkedAt.local = "2026-12-10T09:00:00+09:00";
    CheckTime::FromLocalText(check.header.checkedAt.local, check.header.checkedAt);
    check.header.kind = "Win32_Environment";
    check.header.result = "incomplete";
    check.header.errorCode = 0x80041032;
    check.header.complete = false;
    check.parts.push_back(MakePart("Win32_Environment", {"Name", "B", "C", "D", "E", "F", "G", "H"}, {cells, cells},
                                   PartState::Incomplete));
    ASSERT_TRUE(store->Record(check)) << store->FailureMessage();

    StoredCheck read;
    ASSERT_EQ(LoadCheck(store->Statements(), check.header.id, read), LoadResult::Loaded);
    EXPECT_EQ(read.header.computer, "PC-Ünicode");
    EXPECT_EQ(read.header.target, "pc-ünicode");
    EXPECT_EQ(read.header.checkedAt.utc, "2026-12-10T00:00:00Z");
    EXPECT_EQ(read.header.checkedAt.offsetMinutes, 540);
    EXPECT_EQ(read.header.errorCode, 0x80041032);
    EXPECT_FALSE(read.header.complete);
    ASSERT_EQ(read.parts.size(), 1u);
    const StoredPart& part = read.parts[0];
    EXPECT_EQ(part.state, PartState::Incomplete);
    ASSERT_EQ(part.objects.size(), 2u);
    EXPECT_EQ(part.objects[0].identity, check.parts[0].objects[0].identity);
    EXPECT_EQ(part.objects[1].identity, check.parts[0].objects[0].identity + "#2");
    for (size_t i = 0; i < cells.size(); ++i) {
        const StoredCell& cell = part.objects[1].cells[i];
        EXPECT_EQ(cell.text, cells[i].text) << i;
        EXPECT_EQ(cell.raw.vartype, cells[i].raw.vartype) << i;
        const RawCellText was = EncodeRaw(cells[i].raw), is = EncodeRaw(cell.raw);
        EXPECT_EQ(static_cast<int>(is.kind), static_cast<int>(was.kind)) << i;
        EXPECT_EQ(is.text, was.text) << i;
    }
    EXPECT_EQ(std::get<double>(part.objects[0].cells[5].raw.value), 0.1);
}

TEST(Record, AnUnchangedComputerAddsLittleMoreThanTheCheck)
{
    TestStore test("mirel-store-shared");
    std::unique_ptr<InventoryStore> store = test.Open();
    ASSERT_TRUE(store) << test.LastMessage();
    StoredCheck first = MakeCheck("PC01", kServices, 1000, 5000, 1760000000);
    ASSERT_TRUE(store->Record(first));
    const int64_t objects = RowsOf(*store, "store_objects"), sets = RowsOf(*store, "store_sets");
    const int64_t cells = RowsOf(*store, "store_cells");

    // Free memory and free space change by themselves: no new object, no new set.
    StoredCheck again = MakeCheck("PC01", kServices, 1200, 4000, 1760000100);
    ASSERT_TRUE(store->Record(again));
    EXPECT_EQ(RowsOf(*store, "store_objects"), objects);
    EXPECT_EQ(RowsOf(*store, "store_sets"), sets);
    EXPECT_EQ(RowsOf(*store, "store_cells"), cells);
    EXPECT_EQ(again.header.changes, 0);

    // Another computer with the same services shares their objects and their set.
    StoredCheck other = MakeCheck("PC02", kServices, 7, 8, 1760000200);
    ASSERT_TRUE(store->Record(other));
    EXPECT_EQ(RowsOf(*store, "store_objects"), objects);
    EXPECT_EQ(other.header.changes, -1);   // its first check

    // One service installed: one new object and one new set of services.
    std::vector<TestService> more = kServices;
    more.push_back({"NewSvc", "Auto", "Running"});
    StoredCheck changed = MakeCheck("pc01", more, 1200, 4000, 1760000300);
    ASSERT_TRUE(store->Record(changed));
    EXPECT_EQ(RowsOf(*store, "store_objects"), objects + 1);
    EXPECT_EQ(RowsOf(*store, "store_sets"), sets + 1);
    EXPECT_EQ(changed.header.changes, 1);
    std::vector<StoredComputer> computers;
    ASSERT_TRUE(ListComputers(store->Statements(), computers));
    ASSERT_EQ(computers.size(), 2u);   // "pc01" is PC01
    EXPECT_EQ(computers[0].checks, 3);

    StoredCheck read;
    ASSERT_EQ(LoadCheck(store->Statements(), again.header.id, read), LoadResult::Loaded);
    EXPECT_EQ(read.FindPart("Win32_OperatingSystem")->objects[0].cells[1].text, "1200");
    EXPECT_EQ(read.FindPart("Win32_LogicalDisk")->objects[0].cells[2].raw.vartype, VT_I4);
}

TEST(Record, ACheckThatFailsHalfWayLeavesNothing)
{
    TestStore test("mirel-store-atomic");
    if (test.OnServer())
        GTEST_SKIP() << "a trigger of SQLite's own makes the failure";
    std::unique_ptr<InventoryStore> store = test.Open();
    ASSERT_TRUE(store);
    StoredCheck first = MakeCheck("PC01", kServices);
    ASSERT_TRUE(store->Record(first));
    ASSERT_TRUE(store->Db().Execute(
        "CREATE TRIGGER fail_volatile BEFORE INSERT ON store_volatile_cells BEGIN SELECT RAISE(ABORT, 'disk on fire'); END"));
    std::vector<TestService> more = kServices;
    more.push_back({"NewSvc", "Auto", "Running"});
    StoredCheck second = MakeCheck("PC01", more, 1, 2, 1760000500);
    EXPECT_FALSE(store->Record(second));
    EXPECT_EQ(second.header.id, 0);
    EXPECT_NE(store->FailureMessage().find("disk on fire"), std::string::npos) << store->FailureMessage();
    EXPECT_EQ(RowsOf(*store, "store_checks"), 1);
    EXPECT_EQ(RowsOf(*store, "store_objects"), static_cast<int64_t>(kServices.size()) + 2);
    EXPECT_EQ(RowsOf(*store, "store_part_list_members"), 3);
}

TEST(Record, ACheckImportedBetweenTwoMovesTheLaterOnesChanges)
{
    TestStore test("mirel-store-between");
    std::unique_ptr<InventoryStore> store = test.Open();
    ASSERT_TRUE(store);
    std::vector<TestService> two = {kServices[0], kServices[1]};
    StoredCheck early = MakeCheck("PC01", two, 1, 1, 1000), late = MakeCheck("PC01", kServices, 1, 1, 3000);
    ASSERT_TRUE(store->Record(early));
    ASSERT_TRUE(store->Record(late));
    EXPECT_EQ(late.header.changes, 1);
    StoredCheck between = MakeCheck("PC01", kServices, 1, 1, 2000);
    ASSERT_TRUE(store->Record(between));
    EXPECT_EQ(between.header.changes, 1);
    StoredCheckHeader header;
    ASSERT_EQ(LoadCheckHeader(store->Statements(), late.header.id, header), LoadResult::Loaded);
    EXPECT_EQ(header.changes, 0);
    int64_t older = 0, newer = 0;
    StoredComputer computer;
    ASSERT_EQ(FindComputer(store->Statements(), "pc01", computer), Lookup::Found);
    ASSERT_EQ(LatestTwoChecks(store->Statements(), computer.id, older, newer), Lookup::Found);
    EXPECT_EQ(older, between.header.id);
    EXPECT_EQ(newer, late.header.id);
}

// The keys of objects, sets, columns and lists are digests of their content: a store made by
// any earlier version finds the same keys for the same content, so none needs migrating.
TEST(Record, TheKeysAreTheDigestsEveryStoreAlreadyHolds)
{
    TestStore test("mirel-store-digests");
    std::unique_ptr<InventoryStore> store = test.Open();
    ASSERT_TRUE(store) << test.LastMessage();
    StoredCheck check = MakeCheck("PC01", kServices);
    std::vector<StoredCell> cells = {TextCell("サービス café ✓ 𝄞"), NumberCell(-7, "-7"), {RawValue{}, ""},
                                     TextCell(std::string(200, 'x'))};
    check.parts.push_back(MakePart("NoSuchClass", {"A", "B", "C", "D"}, {cells}));
    ASSERT_TRUE(store->Record(check)) << store->FailureMessage();
    std::vector<std::string> keys = {check.parts.back().objects[0].identity};
    for (const char* table : {"store_columns", "store_objects", "store_sets", "store_part_lists"}) {
        std::unique_ptr<DbStatement> rows = store->Db().Prepare(std::string("SELECT digest FROM ") + table + " ORDER BY id");
        ASSERT_TRUE(rows);
        while (rows->Step() == DbStep::Row)
            keys.push_back(table + std::string(": ") + rows->Text(0));
    }
    // What the program's own SHA-256 gave, and every store made so far holds.
    const std::vector<std::string> expected = {
        "*51be67715884dda1",
        "store_columns: 4f428ff89b4a48c6ddf94b40c9a138b3",
        "store_columns: 6fb58022c634d0dd5525a370d99db535",
        "store_columns: c2cbf9a16605a239a86c4cd10f42dd34",
        "store_columns: ca3ba53a4a1427bb8ffc93e248103cd0",
        "store_objects: 38f956bb7895e739d900f33d68619097",
        "store_objects: 4660cb220c9e6d42e089be828910d6a0",
        "store_objects: 8b56d64f576767ea52abbbe3dd88806c",
        "store_objects: 95730a6a4a748d2cec8ae52641443647",
        "store_objects: ea4c627ea2801a6f051b2f61f4aad339",
        "store_objects: ee7e9552bd9703dacf26884d759745e8",
        "store_sets: 1bf2555bc5717bc28912084c6ec45a5c",
        "store_sets: 731b0ea740567e0a4c573fb017e9b9d0",
        "store_sets: a06abdbfc76888d59bc6cffe14f89ed0",
        "store_sets: a591ecb7a6498b9ddc963ea69a8bd720",
        "store_part_lists: 693868242f17239ab47c5505c3edd08d",
    };
    EXPECT_EQ(keys, expected);
}

}  // namespace

namespace {

// Every part, object and cell of two loaded checks, as texts.
std::vector<std::string> Contents(const StoredCheck& check)
{
    std::vector<std::string> lines;
    for (const StoredPart& part : check.parts)
        for (const StoredObject& object : part.objects) {
            std::string line = part.className + "|" + object.identity;
            for (const StoredCell& cell : object.cells) {
                const RawCellText raw = EncodeRaw(cell.raw);
                line += "|" + std::to_string(cell.raw.vartype) + ":" + std::to_string(static_cast<int>(raw.kind)) + ":" +
                        raw.text + ":" + cell.text;
            }
            lines.push_back(line);
        }
    return lines;
}

}  // namespace

TEST(Record, TwoChecksLoadedTogetherAreEachAsLoadedAlone)
{
    TestStore test("mirel-store-pair");
    std::unique_ptr<InventoryStore> store = test.Open();
    ASSERT_TRUE(store) << test.LastMessage();
    // The services and the disk's set stay the same; the free memory (a volatile value)
    // changes, and in the third check it is missing altogether.
    StoredCheck first = MakeCheck("PC01", kServices, 1000, 5000, 1760000000);
    StoredCheck second = MakeCheck("PC01", kServices, 2000, 5000, 1760000100);
    StoredCheck third = MakeCheck("PC01", {kServices[0], {"Spooler", "Auto", "Stopped"}}, 1000, 7000, 1760000200);
    third.parts[1].objects[0].cells[1] = {RawValue{}, ""};
    third.parts[1].objects[0].cells[1].raw.vartype = VT_NULL;
    // A disk added: the set of disks differs, and the disk C: beside it is the same object
    // with no free space read this time.
    StoredCheck fourth = MakeCheck("PC01", kServices, 1000, 6000, 1760000300);
    StoredCell noSpace{RawValue{}, ""};
    noSpace.raw.vartype = VT_NULL;
    fourth.parts[2] = MakePart("Win32_LogicalDisk", {"DeviceID", "Size", "FreeSpace"},
                               {{TextCell("C:"), NumberCell(90000, "90,000"), noSpace},
                                {TextCell("D:"), NumberCell(10, "10"), NumberCell(6000, "y")}});
    for (StoredCheck* check : {&first, &second, &third, &fourth})
        ASSERT_TRUE(store->Record(*check)) << store->FailureMessage();

    const int64_t ids[] = {first.header.id, second.header.id, third.header.id, fourth.header.id};
    for (int64_t a : ids)
        for (int64_t b : ids) {
            StoredCheck aAlone, bAlone, aPaired, bPaired;
            ASSERT_EQ(LoadCheck(store->Statements(), a, aAlone), LoadResult::Loaded);
            ASSERT_EQ(LoadCheck(store->Statements(), b, bAlone), LoadResult::Loaded);
            ASSERT_EQ(LoadCheckPair(store->Statements(), a, b, aPaired, bPaired), LoadResult::Loaded);
            EXPECT_EQ(Contents(aPaired), Contents(aAlone)) << a << " beside " << b;
            EXPECT_EQ(Contents(bPaired), Contents(bAlone)) << b << " beside " << a;
            EXPECT_EQ(bPaired.header.id, b);
        }
    StoredCheck one, other;
    EXPECT_EQ(LoadCheckPair(store->Statements(), first.header.id, 999999, one, other), LoadResult::NotFound);
}
