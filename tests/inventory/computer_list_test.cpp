// The list of computers of a run: names from text and files, duplicates, limits, encodings.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "inventory/computer_list.h"
#include "inventory/result_files.h"
#include "resources/text.h"
#include "tests/support/temp_files.h"

namespace {

class ComputerListTest : public testing::Test {
protected:
    void SetUp() override { SetTextLanguage(kEnglishLanguage); }
    void TearDown() override { SetTextLanguage(0); }
    std::string reason_;
};

}  // namespace

TEST_F(ComputerListTest, NamesAreTrimmedCommentsSkippedAndEachCheckedOnce)
{
    ComputerList list;
    // A spreadsheet column pasted (CR LF), Unix and old Mac line ends, blanks and comments.
    ASSERT_TRUE(list.AddLines("pc01\r\n  PC02\t\r\n\r\n# all of floor 2\n   #pc09\rpc03\nPc02\n\t \npc01", reason_));
    ASSERT_TRUE(list.Add("", reason_));
    ASSERT_TRUE(list.Add("   ", reason_)) << "blank: the local computer again";
    ASSERT_TRUE(list.AddLines(" .\n", reason_)) << "\".\" too";
    ASSERT_TRUE(list.Add("PC03 ", reason_));
    EXPECT_EQ(list.Names(), (std::vector<std::string>{"pc01", "PC02", "pc03", ""}));
    ComputerList none;
    EXPECT_TRUE(none.AddLines("\r\n# nothing but a comment\r\n", reason_));
    EXPECT_TRUE(none.Empty());
}

TEST_F(ComputerListTest, LongNamesAndLongListsAreRefusedWithAReason)
{
    ComputerList list;
    EXPECT_TRUE(list.Add(std::string(253, 'a'), reason_));
    EXPECT_FALSE(list.Add(std::string(1000, 'b'), reason_));
    EXPECT_EQ(reason_, "A computer name is longer than 253 characters: " + std::string(40, 'b') + "...");
    std::string text;
    for (size_t number = 1; number < kMaxComputers; ++number)
        text += "pc" + std::to_string(number) + "\n";
    EXPECT_TRUE(list.AddLines(text + text, reason_)) << "duplicates do not count";
    EXPECT_EQ(list.Names().size(), kMaxComputers);
    EXPECT_FALSE(list.AddLines("one-more\n", reason_));
    EXPECT_EQ(reason_, "The list names more than 10000 computers; split it into several runs.");
}

TEST_F(ComputerListTest, FilesInEveryEncodingAndFilesThatAreNoLists)
{
    TempFolder folder("mirel-list-files");
    struct Case {
        std::string bytes;
        std::string text;
    };
    const Case cases[] = {
        {"\xEF\xBB\xBFpc01\r\npc02", "pc01\r\npc02"},                      // UTF-8 with mark
        {std::string("\xFF\xFEp\0c\0\n\0", 8), "pc\n"},                      // UTF-16 with mark
        {"pc01\r\n# caf\xC3\xA9\r\n", "pc01\r\n# caf\xC3\xA9\r\n"},        // UTF-8 without mark
        {"# caf\xE9\r\n", "# caf\xC3\xA9\r\n"},                             // the ANSI code page
    };
    for (const Case& file : cases) {
        WriteFileBytes(folder.File("list.txt"), file.bytes);
        std::string text;
        ASSERT_TRUE(ReadComputerListFile(folder.File("list.txt"), text, reason_)) << reason_;
        EXPECT_EQ(text, file.text);
    }
    std::string text;
    EXPECT_FALSE(ReadComputerListFile(folder.File("missing.txt"), text, reason_));
    EXPECT_EQ(reason_, "The list file cannot be read: " + folder.File("missing.txt"));
    WriteFileBytes(folder.File("list.txt"), std::string("MZ\x90\0\x03\0\0\0", 8));
    EXPECT_FALSE(ReadComputerListFile(folder.File("list.txt"), text, reason_));
    EXPECT_EQ(reason_, "The list file is not a text file: " + folder.File("list.txt"));
    WriteFileBytes(folder.File("list.txt"), std::string(kMaxListFileBytes + 1, 'a'));
    EXPECT_FALSE(ReadComputerListFile(folder.File("list.txt"), text, reason_));
    EXPECT_EQ(reason_, "The list file is larger than 16 MB: " + folder.File("list.txt"));
}

TEST_F(ComputerListTest, FileNamesOfComputersNeverCollide)
{
    const std::vector<std::string> stems =
        ComputerFileStems({"", "pc:01", "pc_01", "PC_01~2", "a/b\\c*d?\"e<f>g|h", std::string(300, 'x')});
    EXPECT_EQ(stems, (std::vector<std::string>{"LocalComputer", "pc_01", "pc_01~2", "PC_01~2~2", "a_b_c_d__e_f_g_h",
                                               std::string(kMaxFileStemLength, 'x')}));
}
