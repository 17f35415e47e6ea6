// Characters of every script, from WMI to the list, the clipboard and both file types:
// nothing is lost, and an ANSI save that would lose characters asks first. Runs in the
// English and the Japanese pass.
#include <gtest/gtest.h>

#include "tests/shell/app_fixture.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/class_ids.h"
#include "base/narrow.h"
#include "base/text_util.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "listtools/save_encoding.h"
#include "standard/category_catalog.h"
#include "tests/support/clipboard_text.h"
#include "tests/shell/list_support.h"
#include "tests/support/fake_wmi.h"
#include "ui/save_dialog.h"

namespace {

constexpr int kCdRomPage = 4;
const std::wstring kName = L"サービス café ✓ ® ™ 𝄞";
// A lone surrogate and an embedded NUL, as a provider may send them.
const std::wstring kBroken = std::wstring(L"left\xD800right") + L'\0' + L"end";
constexpr char kBrokenShown[] = "left\xEF\xBF\xBDright\xEF\xBF\xBD" "end";   // U+FFFD for both

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream file(std::filesystem::path(ToWide(path)), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

class UnicodeTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        listui::GiveFrameARealSize(Frame().Handle());
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder_ = ToNarrow(temp) + "mirel_ユニコード_" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryW(ToWide(folder_).c_str(), nullptr);
        ui::SetSaveFileHandler([this](HWND, ui::SaveFileRequest& request, std::string& path) {
            request.type = type_;
            path = folder_ + file_;
            return true;
        });
    }
    void TearDown() override
    {
        ui::SetSaveFileHandler(nullptr);
        for (const char* name : {"サービス.csv", "サービス.txt"})
            DeleteFileW(ToWide(folder_ + name).c_str());
        RemoveDirectoryW(ToWide(folder_).c_str());
        AppFixture::TearDown();
    }

    void Save(int command, int type, const char* file)
    {
        type_ = type;
        file_ = file;
        Frame().RunCommand(command);
    }

    std::string folder_;
    std::string file_;
    int type_ = 1;
};

TEST_F(UnicodeTest, EveryCharacterReachesTheListTheClipboardAndTheUtf8Files)
{
    FakeWmiScenario scenario;
    scenario.objects.push_back({{L"Name", FakeValue::Text(kName)}, {L"Caption", FakeValue::Text(kBroken)}});
    View().SetWmiConnector(FakeWmiConnector(&scenario));
    Frame().RunCommand(ID_VIEW_INDIVIDUAL);
    ChooseClass(101, 204, ClassId::Win32_Processor);
    RunCheckToCompletion();
    View().SetWmiConnector({});

    const std::string name = ToNarrow(kName);
    ResultList& list = Individual().ResultListControl();
    ASSERT_EQ(list.View().ItemCount(), 2);
    int nameRow = list.View().ItemText(0, 1) == "Name" ? 0 : 1;
    EXPECT_EQ(list.View().ItemText(nameRow, 3), name) << "read back with LVM_GETITEMTEXTW";
    EXPECT_EQ(list.View().ItemText(1 - nameRow, 3), kBrokenShown) << "the row stays whole";

    {
        // The English and the Japanese pass share the clipboard.
        UniqueHandle mutex(CreateMutexW(nullptr, FALSE, L"MirelShellUnicodeClipboard"));
        WaitForSingleObject(mutex.Get(), 30000);
        list.SelectRow(nameRow);
        Frame().RunCommand(ID_EDIT_COPY);
        EXPECT_NE(ClipboardText().find(name), std::string::npos);
        ReleaseMutex(mutex.Get());
    }

    Save(ID_FILE_SAVE_CSV, kUtf8FileType, "サービス.csv");
    const std::string csv = ReadWholeFile(folder_ + "サービス.csv");
    EXPECT_TRUE(csv.starts_with("\xEF\xBB\xBF\"Group\",")) << "UTF-8 with its byte-order mark";
    EXPECT_NE(csv.find("\"" + name + "\""), std::string::npos);
    EXPECT_NE(csv.find(kBrokenShown), std::string::npos);
    EXPECT_TRUE(Messages().empty()) << (Messages().empty() ? "" : Messages()[0].text);
}

TEST_F(UnicodeTest, AComputerNameOfAnyScriptIsKeptWhole)
{
    ui::Window(View().NameField()).SetText("テスト-café.invalid");
    View().OnRunButton();
    PumpUntil([&] { return !CheckRunning(); }, 10000);   // the name is looked up on the worker
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].text, TextNaming(IDS_HOST_NOT_FOUND, "テスト-café.invalid"));
}

TEST_F(UnicodeTest, AnAnsiSaveThatWouldLoseCharactersAsksFirst)
{
    const std::string name = ToNarrow(kName);
    listui::FillStorePage(View().Run().Stores, kCdRomPage, {{"Drive A", name}});
    Standard().SelectPageInTree(kCdRomPage);
    Standard().ShowStandardPage(kCdRomPage);

    // Cancel: nothing is written.
    AnswerMessagesWith(IDCANCEL);
    Save(ID_FILE_SAVE_TEXT, 1, "サービス.txt");
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].text, FillIn(LoadText(IDS_ANSI_LOSES_CHARACTERS), name));
    EXPECT_TRUE(ReadWholeFile(folder_ + "サービス.txt").empty());

    // Yes: the UTF-8 type instead, every character kept.
    AnswerMessagesWith(IDYES);
    Save(ID_FILE_SAVE_TEXT, 1, "サービス.txt");
    std::string text = ReadWholeFile(folder_ + "サービス.txt");
    EXPECT_TRUE(text.starts_with("\xEF\xBB\xBFLocalComputer\r\n"));
    EXPECT_NE(text.find("\"" + name + "\""), std::string::npos);

    // No: ANSI all the same, "?" where the code page has no character.
    AnswerMessagesWith(IDNO);
    Save(ID_FILE_SAVE_CSV, 1, "サービス.csv");
    EXPECT_EQ(Messages().size(), 3u);
    const std::string csv = ReadWholeFile(folder_ + "サービス.csv");
    EXPECT_NE(csv.find("\"" + ToAnsi(name).bytes + "\""), std::string::npos);
    EXPECT_NE(csv.find('?'), std::string::npos);

    // A text the code page holds raises no question.
    listui::FillStorePage(View().Run().Stores, kCdRomPage, {{"Drive A", "plain"}});
    Standard().ShowStandardPage(kCdRomPage);
    Save(ID_FILE_SAVE_CSV, 1, "サービス.csv");
    EXPECT_EQ(Messages().size(), 3u);
}

}  // namespace
