// Saving replaces a file whole or not at all: with real files in a folder of the test's
// own (so that a temporary file left behind would show), a target in use when the save
// ends, Linux's /dev/full, and a write that fails part way (the write seam: Wine offers
// no small full disk beside which a temporary file could be created).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/survey_reporter.h"
#include "listtools/csv_export.h"
#include "listtools/text_sink.h"
#include "resources/text.h"
#include "tests/support/recording_reporter.h"
#include "tests/support/temp_files.h"

namespace {

const std::string kPrevious = "\"Name\"\r\n\"a good report, longer than the new one\"\r\n";

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

class FileTextSinkTest : public testing::Test {
protected:
    void SetUp() override
    {
        SetTextLanguage(kEnglishLanguage);
        SetSurveyReporter(&reporter_);
        WriteFileBytes(path_, kPrevious);
    }
    void TearDown() override
    {
        SetSurveyReporter(nullptr);
        SetTextLanguage(0);
    }

    RecordingReporter reporter_;
    TempFolder folder_{"mirel-sink-test"};
    const std::string path_ = folder_.File("list.csv");
};

}  // namespace

TEST_F(FileTextSinkTest, SaveReplacesThePreviousFileWholeAndLeavesNothingElse)
{
    ResultModel model;
    model.AddColumn(ResultColumn{"Name"});
    model.AppendRow(ResultRow{{"x"}, 0});
    ASSERT_EQ(SaveCsv(model, path_), kExportDone);
    EXPECT_EQ(ReadFile(path_), "\"Name\"\r\n\"x\"\r\n") << "nothing of the longer file remains";
    EXPECT_EQ(folder_.Entries(), std::vector<std::string>{"list.csv"});

    const std::string fresh = folder_.File("new.txt");
    FileTextSink sink;
    ASSERT_TRUE(sink.Open(fresh));
    EXPECT_TRUE(sink.Write("one\n"));
    EXPECT_EQ(ReadFile(fresh), "") << "the target appears only when it is complete";
    EXPECT_TRUE(sink.Finish());
    EXPECT_EQ(ReadFile(fresh), "one\r\n");
    EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"list.csv", "new.txt"}));
}

TEST_F(FileTextSinkTest, WriteFailingPartWayLeavesThePreviousFileByteForByte)
{
    {
        FillingFileSink sink(1);
        ASSERT_TRUE(sink.Open(path_));
        EXPECT_TRUE(sink.Write("\"Name\"\n"));
        EXPECT_FALSE(sink.Write("\"x\"\n"));
        EXPECT_FALSE(sink.Write("\"y\"\n")) << "nothing is written after a failure";
        EXPECT_FALSE(sink.Finish());
    }
    EXPECT_EQ(ReadFile(path_), kPrevious);
    {
        FillingFileSink sink(0);   // given up without Finish, as an export that failed does
        ASSERT_TRUE(sink.Open(folder_.File("never.csv")));
        EXPECT_FALSE(sink.Write("\"Name\"\n"));
    }
    EXPECT_EQ(folder_.Entries(), std::vector<std::string>{"list.csv"}) << "no temporary file";
}

TEST_F(FileTextSinkTest, TargetInUseWhenTheSaveEndsStaysAsItWas)
{
    // A reader that does not allow the file to be deleted under it: the file cannot be
    // replaced, and the save fails with the write error at its end.
    ui::UniqueHandle reader(CreateFileA(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(reader);
    ResultModel model;
    model.AddColumn(ResultColumn{"Name"});
    EXPECT_EQ(SaveCsv(model, path_), kExportWriteFailed);
    ASSERT_EQ(reporter_.messages.size(), 1u);
    EXPECT_EQ(reporter_.messages[0].text, "File Write Error.\n\nFile Name : " + path_);
    reader.Reset();
    EXPECT_EQ(ReadFile(path_), kPrevious);
    EXPECT_EQ(folder_.Entries(), std::vector<std::string>{"list.csv"});
}

TEST_F(FileTextSinkTest, TargetThatCannotBeWrittenFailsAtOpenUnchanged)
{
    // (A read-only file would do on Windows; Wine run as root writes it all the same.)
    FileTextSink sink;
    CreateDirectoryA(folder_.File("sub").c_str(), nullptr);
    EXPECT_FALSE(sink.Open(folder_.File("sub"))) << "a folder";
    ui::UniqueHandle writer(CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                                        nullptr));
    ASSERT_TRUE(writer);
    EXPECT_FALSE(sink.Open(path_)) << "a file another program writes and shares with nobody";
    writer.Reset();
    EXPECT_EQ(ReadFile(path_), kPrevious);
    EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"list.csv", "sub"}));
}

TEST_F(FileTextSinkTest, DeviceIsWrittenDirectly)
{
    FileTextSink full;
    ASSERT_TRUE(full.Open("Z:\\dev\\full"));
    EXPECT_FALSE(full.Write("x\n")) << "Linux's /dev/full: the disk is full";
    EXPECT_FALSE(full.Finish());
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA("Z:\\dev\\~mirel*", &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "no temporary file beside a device";
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    FileTextSink null;
    ASSERT_TRUE(null.Open("NUL"));
    EXPECT_TRUE(null.Write("x\n"));
    EXPECT_TRUE(null.Finish());
}
