// The standard text report: its exact bytes against a golden text, its file handling
// with real files (a missing folder, Linux's /dev/full as a full disk) and a failure in
// the middle that leaves the previous report in place.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "base/narrow.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "tests/support/temp_files.h"
#include "standard/category_catalog.h"
#include "standard/category_store.h"
#include "standard/text_export.h"
#include "tests/standard/survey_test_support.h"

namespace {

// The report of a check of pc01 in which only the CD-ROM and the hotfix categories found
// objects. Every line ends with CR LF; a quote and a comma inside a cell are written as
// they are.
const char kGoldenReport[] =
    "pc01\r\n"
    "\r\n"
    "\r\n"
    "Hardware\r\n"
    "\tCD-ROM Drive\r\n"
    "\t\t\"Name\",\"Device ID\",\"Drive\",\"Manufacturer\",\"Availability\",\"Description\","
    "\"Media Type\",\"SCSI Target ID\",\"System Name\"\r\n"
    "\t\t\"Optical Drive A\",\"IDE\\OPTICAL\\0001\",\"D:\",\"Maker One\",\"\",\"Optical Drive A\","
    "\"CD-ROM\",\"0\",\"HOST1\"\r\n"
    "\t\t\"Drive \"B\", spare\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"
    "\tIDE Controller\r\n\t\tData is not exist.\r\n\r\n"
    "\tBIOS\r\n\t\tData is not exist.\r\n\r\n"
    "\tSCSI Controller\r\n\t\tData is not exist.\r\n\r\n"
    "\tUSB Controller\r\n\t\tData is not exist.\r\n\r\n"
    "\tKeyboard\r\n\t\tData is not exist.\r\n\r\n"
    "\tComputer System\r\n\t\tData is not exist.\r\n\r\n"
    "\tSystem Enclosure\r\n\t\tData is not exist.\r\n\r\n"
    "\tTape Drive\r\n\t\tData is not exist.\r\n\r\n"
    "\tDisk Drive\r\n\t\tData is not exist.\r\n\r\n"
    "\tDisk Partition\r\n\t\tData is not exist.\r\n\r\n"
    "\tDesktop Monitor\r\n\t\tData is not exist.\r\n\r\n"
    "\tNetwork Adapter\r\n\t\tData is not exist.\r\n\r\n"
    "\tNetwork Adapter Configuration\r\n\t\tData is not exist.\r\n\r\n"
    "\tVideo Controller\r\n\t\tData is not exist.\r\n\r\n"
    "\tProcessor\r\n\t\tData is not exist.\r\n\r\n"
    "\tPointing Device\r\n\t\tData is not exist.\r\n\r\n"
    "\tMotherboard\r\n\t\tData is not exist.\r\n\r\n"
    "\tPhysical Memory\r\n\t\tData is not exist.\r\n\r\n"
    "\r\n"
    "Operating System\r\n"
    "\tSystem\r\n\t\tData is not exist.\r\n\r\n"
    "\tService\r\n\t\tData is not exist.\r\n\r\n"
    "\tNetwork Client\r\n\t\tData is not exist.\r\n\r\n"
    "\tLogical Disk\r\n\t\tData is not exist.\r\n\r\n"
    "\tUser Account\r\n\t\tData is not exist.\r\n\r\n"
    "\tGroup\r\n\t\tData is not exist.\r\n\r\n"
    "\r\n"
    "Software\r\n"
    "\tProduct\r\n\t\tData is not exist.\r\n\r\n"
    "\tSoftware Feature\r\n\t\tData is not exist.\r\n\r\n"
    "\tQuick Fix Engineering\r\n"
    "\t\t\"Hotfix ID\",\"Fix Comments\",\"Description\",\"QFE Caption\","
    "\"Service Pack in Effect\",\"Computer Name\",\"Installed By\",\"Installed On\"\r\n"
    "\t\t\"KB100\",\"\",\"Update\",\"\",\"\",\"PC01\",\"\",\"2024/01/31\"\r\n";

void FillRow(CategoryStore& store, std::initializer_list<const char*> cells)
{
    int row = store.AppendRow();
    int column = 0;
    for (const char* cell : cells)
        store.SetCell(row, column++, cell);
}

// A file whose writes fail from the n-th on, as a disk that fills up would.
class FillingFileSink : public FileTextSink {
public:
    explicit FillingFileSink(int writesThatFit) : left_(writesThatFit) {}

protected:
    bool WriteToFile(std::string_view bytes) override
    {
        return left_-- > 0 && FileTextSink::WriteToFile(bytes);
    }

private:
    int left_;
};

class TextExportTest : public testing::Test {
protected:
    void SetUp() override
    {
        SetTextLanguage(kEnglishLanguage);
        stores_ = std::make_unique<StandardStores>();
    }
    void TearDown() override { SetTextLanguage(0); }
    CategoryStore& Store(int index) { return *stores_->Store(index); }
    void FillTwoCategories()
    {
        FillRow(Store(0), {"Optical Drive A", "IDE\\OPTICAL\\0001", "D:", "Maker One", "",
                                    "Optical Drive A", "CD-ROM", "0", "HOST1"});
        FillRow(Store(0), {"Drive \"B\", spare"});
        FillRow(Store(27), {"KB100", "", "Update", "", "", "PC01", "", "2024/01/31"});
    }

    RecordingReporter reporter_;
    std::unique_ptr<StandardStores> stores_;
};

}  // namespace

TEST_F(TextExportTest, ReportMatchesTheGoldenTextByteForByte)
{
    FillTwoCategories();
    StringTextSink sink;
    EXPECT_EQ(WriteStandardReport(*stores_, "pc01", sink, "x", reporter_), ExportResult::Done);
    EXPECT_EQ(sink.Text(), kGoldenReport);
    EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(TextExportTest, LocalComputerHeaderAndDefaultName)
{
    StringTextSink sink;
    WriteStandardReport(*stores_, "", sink, "x", reporter_);
    EXPECT_TRUE(sink.Text().starts_with("LocalComputer\r\n\r\n\r\nHardware\r\n\tCD-ROM Drive\r\n"))
        << sink.Text().substr(0, 40);
    EXPECT_EQ(DefaultTextReportName(""), "LocalComputer_Resource.txt");
    EXPECT_EQ(DefaultTextReportName("pc01"), "pc01_Resource.txt");
}

TEST_F(TextExportTest, HasDataOnlyWhenAStoreHoldsARow)
{
    EXPECT_FALSE(stores_->HasData());
    FillRow(Store(27), {"KB1"});
    EXPECT_TRUE(stores_->HasData());
}

TEST_F(TextExportTest, SectionOfAnEmptyCategoryEndsWithABlankLine)
{
    StringTextSink sink;
    EXPECT_EQ(WriteCategorySection(Store(8), "Tape Drive", sink, "x", reporter_), ExportResult::Done);
    EXPECT_EQ(sink.Text(), "\tTape Drive\r\n\t\tData is not exist.\r\n\r\n");
}

// A check stopped in its third category: the report says at its top that it is
// incomplete and why, marks the category cut short, and tells the ones never read apart
// from those read and found empty.
TEST_F(TextExportTest, AStoppedCheckSaysSoAtTheTopAndNeverCallsAnUnreadCategoryEmpty)
{
    stores_->MarkAllNotRead();
    FillTwoCategories();
    stores_->MarkRead(0);
    stores_->MarkRead(1);
    stores_->MarkRead(2);
    stores_->MarkIncomplete(2);
    stores_->MarkStopped();
    StringTextSink sink;
    ASSERT_EQ(WriteStandardReport(*stores_, "pc01", sink, "x", reporter_), ExportResult::Done);
    const std::string& text = sink.Text();
    EXPECT_TRUE(text.starts_with("pc01\r\n\r\nThis report is incomplete: the check was stopped")) << text.substr(0, 80);
    EXPECT_NE(text.find("\tIDE Controller\r\n\t\tData is not exist.\r\n"), std::string::npos) << "read, found nothing";
    EXPECT_NE(text.find("\tBIOS (incomplete)\r\n\t\tData is not exist.\r\n"), std::string::npos) << "cut short";
    EXPECT_NE(text.find("\tTape Drive\r\n\t\tNot read.\r\n"), std::string::npos);
    EXPECT_NE(text.find("\"KB100\""), std::string::npos) << "rows of a category count whatever its mark";

    StandardStores failed;
    failed.MarkAllNotRead();
    failed.MarkRead(0);
    StringTextSink second;
    WriteStandardReport(failed, "pc01", second, "x", reporter_);
    EXPECT_NE(second.Text().find("\r\nThis report is incomplete: the check broke off before"), std::string::npos);
    EXPECT_EQ(second.Text().find("Data is not exist."), second.Text().rfind("Data is not exist."))
        << "only the one category read says it found nothing";
}

TEST_F(TextExportTest, LineBreaksInsideACellBecomeOneSpaceSoEveryRowIsOneLine)
{
    // A value that tries to end its row and forge a category of its own.
    FillRow(Store(0), {"Keyboard\nsecond line", "a\r\nb", "c\rd", "\r\n\r\n", "\n\r",
                                "x\"\r\n\tForged\r\n\t\t\"y"});
    StringTextSink sink;
    WriteCategorySection(Store(0), "CD-ROM Drive", sink, "x", reporter_);
    const std::string& text = sink.Text();
    const size_t row = text.find("\t\t\"Keyboard");
    ASSERT_NE(row, std::string::npos) << text;
    EXPECT_EQ(text.substr(row), "\t\t\"Keyboard second line\",\"a b\",\"c d\",\"  \",\"  \","
                                "\"x\" \tForged \t\t\"y\",\"\",\"\",\"\"\r\n");
}

TEST_F(TextExportTest, SavedFileHoldsTheReport)
{
    FillTwoCategories();
    const std::string path = TempPath("mirel_report_test.txt");
    ASSERT_EQ(SaveStandardReport(*stores_, "pc01", path, reporter_), ExportResult::Done);
    EXPECT_EQ(ReadFile(path), kGoldenReport);
    EXPECT_TRUE(reporter_.messages.empty());
    DeleteFileA(path.c_str());
}

TEST_F(TextExportTest, MissingFolderGivesTheOpenErrorWithThePath)
{
    const std::string path = TempPath("mirel-no-such-folder\\report.txt");
    EXPECT_EQ(SaveStandardReport(*stores_, "", path, reporter_), ExportResult::OpenFailed);
    ASSERT_EQ(reporter_.messages.size(), 1u);
    EXPECT_EQ(reporter_.messages[0].text, "File Open Error.\n\nFile Name : " + path);
    EXPECT_EQ(reporter_.messages[0].flags, static_cast<UINT>(MB_ICONEXCLAMATION));
}

TEST_F(TextExportTest, FullDiskGivesTheWriteErrorWithThePath)
{
    FillTwoCategories();
    EXPECT_EQ(SaveStandardReport(*stores_, "", "Z:\\dev\\full", reporter_), ExportResult::WriteFailed);
    ASSERT_EQ(reporter_.messages.size(), 1u) << "one message, the rest is not tried";
    EXPECT_EQ(reporter_.messages[0].text, "File Write Error.\n\nFile Name : Z:\\dev\\full");
    EXPECT_EQ(reporter_.messages[0].flags, static_cast<UINT>(MB_ICONEXCLAMATION));
}

TEST_F(TextExportTest, FailureInTheMiddleLeavesThePreviousReportAsItWas)
{
    FillTwoCategories();
    TempFolder folder("mirel-report-folder");
    const std::string path = folder.File("report.txt");
    const std::string previous = "pc00\r\n\r\n\r\nHardware\r\n\tCD-ROM Drive\r\n";
    WriteFileBytes(path, previous);
    {
        FillingFileSink sink(7);   // header, group, CD-ROM: label, columns, two rows; IDE label
        ASSERT_TRUE(sink.Open(path));
        EXPECT_EQ(WriteStandardReport(*stores_, "pc01", sink, path, reporter_), ExportResult::WriteFailed);
        EXPECT_FALSE(sink.Finish()) << "a report with a gap does not replace the previous one";
    }
    ASSERT_EQ(reporter_.messages.size(), 1u);
    EXPECT_EQ(reporter_.messages[0].text, "File Write Error.\n\nFile Name : " + path);
    EXPECT_EQ(ReadFile(path), previous) << "byte for byte";
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"report.txt"}) << "no temporary file";
}

TEST_F(TextExportTest, FailingCategorySectionReportsAndReturnsNegative)
{
    FillTwoCategories();
    FillingFileSink sink(2);
    const std::string path = TempPath("mirel_section_test.txt");
    ASSERT_TRUE(sink.Open(path));
    EXPECT_EQ(WriteCategorySection(Store(0), "CD-ROM Drive", sink, path, reporter_), ExportResult::WriteFailed);
    EXPECT_EQ(reporter_.messages.size(), 1u);
    sink.Finish();
    DeleteFileA(path.c_str());
}

// Run under the Japanese locale as well (see the japanese filter file): the report is in
// the user interface language and in its ANSI code page.
TEST(JapaneseTexts, TextReportIsInTheUserInterfaceLanguage)
{
    const bool japanese = TextLanguage() == kJapaneseLanguage;
    StandardStores stores;
    RecordingReporter reporter;
    const std::string table = japanese ? "表示" : "Table";
    FillRow(*stores.Store(0), {table.c_str()});
    StringTextSink sink;
    EXPECT_EQ(WriteStandardReport(stores, "", sink, "x", reporter), ExportResult::Done);
    const std::string hardware = japanese ? ToNarrow(L"\u30cf\u30fc\u30c9\u30a6\u30a7\u30a2", 932)
                                          : std::string("Hardware");
    const std::string noData = japanese ? ToNarrow(L"\u30c7\u30fc\u30bf\u304c\u3042\u308a\u307e\u305b\u3093\u3002", 932)
                                        : std::string("Data is not exist.");
    const std::string& text = sink.Text();
    EXPECT_TRUE(text.starts_with("LocalComputer\r\n\r\n\r\n" + hardware + "\r\n"));
    EXPECT_NE(text.find("\t\t\"" + ToAnsi(table).bytes + "\",\"\""), std::string::npos)
        << "the report is in the ANSI code page";
    EXPECT_NE(text.find("\t\t" + noData + "\r\n\r\n"), std::string::npos);
}
