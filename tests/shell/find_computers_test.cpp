// "From the directory..." and "Address range..." of Check several computers...: the search
// runs off the window's thread and fills the preview, Select all and none work, the checked
// names are added after the typed ones, bad fields are told before anything starts. The
// directory case reads the server of MIREL_TEST_DIRECTORY (directory_test.sh starts one).
#include <gtest/gtest.h>

#include <cstdlib>

#include "base/narrow.h"
#include "resources/resource.h"
#include "shell/find_computers_dialog.h"
#include "shell/multi_check_window.h"
#include "tests/shell/app_fixture.h"
#include "ui/list_view.h"
#include "ui/message_box.h"

namespace {

class FindComputersTest : public AppFixture {
protected:
    void Type(FindComputersDialog& dialog, int id, const std::string& text)
    {
        SetDlgItemTextW(dialog.Handle(), id, ToWide(text).c_str());
    }
    int Checked(FindComputersDialog& dialog)
    {
        const HWND list = GetDlgItem(dialog.Handle(), IDC_FIND_LIST);
        int checked = 0;
        for (int item = 0; item < ListView_GetItemCount(list); ++item)
            checked += ListView_GetCheckState(list, item) ? 1 : 0;
        return checked;
    }
};

}  // namespace

TEST_F(FindComputersTest, ARangeSweptOffTheWindowThreadFillsThePreviewAndTheNames)
{
    Frame().RunCommand(ID_FILE_CHECK_SEVERAL);
    MultiCheckWindow* several = View().MultiCheck();
    ASSERT_NE(several, nullptr);
    several->SetNames("pc-typed\r\n");
    FindComputersDialog dialog(FindComputersDialog::Source::Range);
    ASSERT_TRUE(dialog.CreateModeless(several->Handle()));
    Type(dialog, IDC_FIND_SOURCE, "127.0.0.1-127.0.0.6");
    ASSERT_TRUE(dialog.StartFind());
    EXPECT_TRUE(dialog.IsFinding());
    EXPECT_FALSE(dialog.StartFind()) << "one search at a time";
    PumpUntil([&] { return !dialog.IsFinding(); });
    EXPECT_EQ(dialog.FoundCount(), 6);
    EXPECT_EQ(dialog.StatusText(), "6 of 6 addresses answered.");
    EXPECT_EQ(Checked(dialog), 6) << "everything found starts checked";
    dialog.CheckAll(false);
    EXPECT_EQ(Checked(dialog), 0);
    dialog.CheckAll(true);
    ListView_SetCheckState(GetDlgItem(dialog.Handle(), IDC_FIND_LIST), 1, FALSE);
    SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(dialog.Chosen(), (std::vector<std::string>{"127.0.0.1", "127.0.0.3", "127.0.0.4", "127.0.0.5",
                                                         "127.0.0.6"}));
    several->AddNames(dialog.Chosen());
    EXPECT_EQ(several->NamesText(), "pc-typed\r\n127.0.0.1\r\n127.0.0.3\r\n127.0.0.4\r\n127.0.0.5\r\n127.0.0.6\r\n");
}

TEST_F(FindComputersTest, BadFieldsAreToldAndNothingStarts)
{
    std::vector<std::string> shown;
    ui::SetMessageBoxHandler([&](HWND, const std::string& text, UINT) {
        shown.push_back(text);
        return IDOK;
    });
    FindComputersDialog range(FindComputersDialog::Source::Range);
    ASSERT_TRUE(range.CreateModeless(Frame().Handle()));
    Type(range, IDC_FIND_SOURCE, "10.1.0.0/8");
    EXPECT_FALSE(range.StartFind());
    FindComputersDialog directory(FindComputersDialog::Source::Directory);
    ASSERT_TRUE(directory.CreateModeless(Frame().Handle()));
    Type(directory, IDC_FIND_SOURCE, "dc1.example.com");
    EXPECT_FALSE(directory.StartFind());
    Type(directory, IDC_FIND_SOURCE, "LDAP://127.0.0.1:1/dc=x");
    Type(directory, IDC_FIND_ACTIVE, "99999");
    EXPECT_FALSE(directory.StartFind());
    ui::SetMessageBoxHandler({});
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0], "An address range holds at most 65536 addresses: 10.1.0.0/8");
    EXPECT_EQ(shown[1], "A directory is named LDAP://server[:port][/base-DN] or LDAPS://...: dc1.example.com");
    EXPECT_EQ(shown[2], "/active: takes a number of days from 1 to 36500: 99999");
    // No server on the port: the failure is the status, nothing is found.
    Type(directory, IDC_FIND_ACTIVE, "");
    ASSERT_TRUE(directory.StartFind());
    PumpUntil([&] { return !directory.IsFinding(); });
    EXPECT_EQ(directory.FoundCount(), 0);
    EXPECT_NE(directory.StatusText().find("cannot be reached"), std::string::npos) << directory.StatusText();
}

TEST_F(FindComputersTest, TheDirectoryPreviewHoldsTheEnabledAccountsOfTheOu)
{
    const char* url = std::getenv("MIREL_TEST_DIRECTORY");
    if (!url)
        GTEST_SKIP() << "no directory server (directory_test.sh starts one)";
    FindComputersDialog dialog(FindComputersDialog::Source::Directory);
    ASSERT_TRUE(dialog.CreateModeless(Frame().Handle()));
    Type(dialog, IDC_FIND_SOURCE, std::string(url) + "/OU=Servers,dc=mirel,dc=test");
    Type(dialog, IDC_FIND_USER, "cn=admin,dc=mirel,dc=test");
    Type(dialog, IDC_FIND_PASSWORD, "secret");
    Type(dialog, IDC_FIND_OS, "*server*");
    Type(dialog, IDC_FIND_ACTIVE, "30");
    const DWORD start = GetTickCount();
    ASSERT_TRUE(dialog.StartFind());
    EXPECT_LT(GetTickCount() - start, 200u) << "the read is not the window's";
    PumpUntil([&] { return !dialog.IsFinding(); });
    EXPECT_EQ(dialog.FoundCount(), 772) << dialog.StatusText();   // 1,000 less the disabled, less the old
    EXPECT_EQ(Checked(dialog), 772);
    ui::ListView list;
    list.Attach(GetDlgItem(dialog.Handle(), IDC_FIND_LIST));
    EXPECT_EQ(list.ItemText(0, 2), "Windows Server 2022 Standard");
    EXPECT_EQ(list.ItemText(0, 5).substr(0, 14), "cn=SRV00001,ou");
    // Each column shows its header and the first row's text whole.
    for (int column = 0; column < 5; ++column) {
        const std::wstring header = ToWide(list.ColumnText(column)), cell = ToWide(list.ItemText(0, column));
        for (const std::wstring& text : {header, cell})
            EXPECT_GT(list.ColumnWidth(column), static_cast<int>(SendMessageW(list.Handle(), LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.c_str()))))
                << "column " << column << " cuts " << ToNarrow(text);
    }
}
