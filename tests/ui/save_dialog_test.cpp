#include <gtest/gtest.h>

#include <string>

#include "base/narrow.h"
#include "ui/save_dialog.h"

namespace {

using namespace std::string_literals;

TEST(SaveFileFilter, BarsBecomeZeroBytesAndTheListEndsWithTwo)
{
    EXPECT_EQ(ui::ToDialogFilter("CSV Files (*.csv)|*.csv|All Files (*.*)|*.*||"),
              L"CSV Files (*.csv)\0*.csv\0All Files (*.*)\0*.*\0\0"s);
    // Without the closing bars the list still ends properly.
    EXPECT_EQ(ui::ToDialogFilter("Text (*.txt)|*.txt"), L"Text (*.txt)\0*.txt\0\0"s);
    EXPECT_EQ(ui::ToDialogFilter("Text (*.txt)|*.txt|"), L"Text (*.txt)\0*.txt\0\0"s);
    EXPECT_EQ(ui::ToDialogFilter(""), L"\0\0"s);
}

TEST(SaveFileFilter, KeepsEveryCharacter)
{
    EXPECT_EQ(ui::ToDialogFilter("テキスト、UTF-8 (*.txt)|*.txt||"), L"テキスト、UTF-8 (*.txt)\0*.txt\0\0"s);
}

class SaveFileHook : public ::testing::Test {
protected:
    void TearDown() override { ui::SetSaveFileHandler(nullptr); }
};

TEST_F(SaveFileHook, HandlerSeesTheRequestAndChoosesThePath)
{
    ui::SaveFileRequest seen;
    HWND seenOwner = nullptr;
    ui::SetSaveFileHandler([&](HWND owner, const ui::SaveFileRequest& request, std::string& path) {
        seenOwner = owner;
        seen = request;
        path = "Z:\\tmp\\LocalComputer_Resource.txt";
        return true;
    });

    ui::SaveFileRequest request{"Text Files (*.txt)|*.txt||", "txt", "LocalComputer_Resource.txt"};
    HWND owner = GetDesktopWindow();
    std::string path;
    EXPECT_TRUE(ui::AskSaveFileName(owner, request, path));
    EXPECT_EQ(path, "Z:\\tmp\\LocalComputer_Resource.txt");
    EXPECT_EQ(seenOwner, owner);
    EXPECT_EQ(seen.filter, request.filter);
    EXPECT_EQ(seen.defaultExtension, "txt");
    EXPECT_EQ(seen.fileName, "LocalComputer_Resource.txt");
}

TEST_F(SaveFileHook, CancelLeavesThePathAlone)
{
    ui::SetSaveFileHandler([](HWND, const ui::SaveFileRequest&, std::string&) { return false; });
    std::string path = "unchanged";
    ui::SaveFileRequest request{"CSV Files (*.csv)|*.csv||", "csv", "a.csv"};
    EXPECT_FALSE(ui::AskSaveFileName(nullptr, request, path));
    EXPECT_EQ(path, "unchanged");
}

// The real dialog, answered by a timer that runs inside its modal loop: it reads the
// proposed name, types another one and presses Save.
constexpr int kFileNameBox = 0x47C;  // cmb13: the file name of the Explorer-style dialog
std::string g_proposed;
std::string g_typed;

BOOL CALLBACK AnswerSaveDialog(HWND window, LPARAM)
{
    char className[16] = "";
    GetClassNameA(window, className, sizeof(className));
    if (std::string(className) != "#32770" || !IsWindowVisible(window))
        return TRUE;
    wchar_t text[1024] = L"";
    GetDlgItemTextW(window, kFileNameBox, text, static_cast<int>(std::size(text)));
    g_proposed = ToNarrow(text);
    SetDlgItemTextW(window, kFileNameBox, ToWide(g_typed).c_str());
    PostMessageW(window, WM_COMMAND, IDOK, 0);
    return FALSE;
}

void CALLBACK FindSaveDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), AnswerSaveDialog, 0);
    if (!g_proposed.empty())
        KillTimer(nullptr, timer);
}

TEST_F(SaveFileHook, WithoutHookTheRealDialogAnswers)
{
    char folder[MAX_PATH] = "";
    GetTempPathA(sizeof(folder), folder);
    g_proposed.clear();
    g_typed = std::string(folder) + "mirel_サービス_café_𝄞";
    UINT_PTR timer = SetTimer(nullptr, 0, 100, FindSaveDialog);

    std::string path;
    ui::SaveFileRequest request{"CSV Files (*.csv)|*.csv|CSV, UTF-8 (*.csv)|*.csv||", "csv", "テスト_LocalComputer.csv", 2};
    bool saved = ui::AskSaveFileName(nullptr, request, path);
    KillTimer(nullptr, timer);
    EXPECT_TRUE(saved);
    EXPECT_EQ(g_proposed, "テスト_LocalComputer.csv");
    EXPECT_EQ(path, g_typed + ".csv");  // every character, and the default extension added
    EXPECT_EQ(request.type, 2);
}

}  // namespace
