// File > Save displayed data as CSV and File > Save standard resource as text through
// the frame's commands: their enabling, what they ask the save dialog, the files they
// write, and the failures (cancel, a missing folder, a full device).
#include "tests/shell/app_fixture.h"

#include <fstream>
#include <iterator>

#include "base/class_ids.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "standard/category_catalog.h"
#include "tests/shell/list_support.h"
#include "tests/support/fake_wmi.h"
#include "ui/save_dialog.h"
#include "ui/window.h"

namespace {

constexpr int kCdRomPage = 4;
constexpr char kCsvFilter[] =
    "CSV Files (*.csv)|*.csv|CSV, UTF-8 (*.csv)|*.csv|Text Files (*.txt)|*.txt|All Files (*.*)|*.*||";
constexpr char kTextFilter[] = "Text Files (*.txt)|*.txt|Text, UTF-8 (*.txt)|*.txt|All Files (*.*)|*.*||";
constexpr char kCdRomHeader[] =
    "\"Name\",\"Device ID\",\"Drive\",\"Manufacturer\",\"Availability\",\"Description\","
    "\"Media Type\",\"SCSI Target ID\",\"System Name\"";

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The platform's save dialog, answered by a timer inside its modal loop: the first tick
// reads the file types and the proposed name and types an existing file's name without
// extension; the next one answers the overwrite question with Yes.
constexpr int kFileTypeBox = 0x470;   // cmb1
constexpr int kFileNameBox = 0x47C;   // cmb13
struct RealDialogRun {
    std::string typed;
    std::vector<std::string> fileTypes;
    std::string proposed;
    std::string question;
    bool done = false;
};
RealDialogRun g_real;

std::string ControlText(HWND dialog, int id)
{
    return ui::Window(GetDlgItem(dialog, id)).Text();
}

BOOL CALLBACK AnswerRealDialog(HWND window, LPARAM)
{
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (std::string(className) != "#32770" || !IsWindowVisible(window) || !IsWindowEnabled(window))
        return TRUE;
    if (GetDlgItem(window, kFileNameBox) && g_real.proposed.empty()) {
        HWND types = GetDlgItem(window, kFileTypeBox);
        for (int item = 0; item < SendMessageA(types, CB_GETCOUNT, 0, 0); ++item) {
            wchar_t text[256] = L"";
            SendMessageW(types, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text));
            g_real.fileTypes.push_back(ToNarrow(text));
        }
        g_real.proposed = ControlText(window, kFileNameBox);
        ui::Window(GetDlgItem(window, kFileNameBox)).SetText(g_real.typed);
        PostMessageA(window, WM_COMMAND, IDOK, 0);
        return FALSE;
    }
    if (!GetDlgItem(window, kFileNameBox) && GetDlgItem(window, IDYES)) {
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            char childClass[16] = "";
            GetClassNameA(child, childClass, sizeof childClass);
            if (_stricmp(childClass, "Static") == 0 && GetWindowTextLengthA(child) > 0)
                g_real.question = ui::Window(child).Text();
        }
        PostMessageA(window, WM_COMMAND, IDYES, 0);
        g_real.done = true;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK RealDialogTimer(HWND, UINT, UINT_PTR timer, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), AnswerRealDialog, 0);
    if (g_real.done)
        KillTimer(nullptr, timer);
}

// A provider of slow objects, so that a check is still running when the test acts.
FakeWmiScenario SlowProvider()
{
    FakeWmiScenario scenario;
    for (int number = 1; number <= 40; ++number)
        scenario.objects.push_back({{L"Name", FakeValue::Text(L"Object " + std::to_wstring(number))}});
    scenario.delayPerObjectMs = 100;
    return scenario;
}

class ListSaveTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        listui::GiveFrameARealSize(Frame().Handle());
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "mirel_list_save_" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(folder_.c_str(), nullptr);
        ui::SetSaveFileHandler([this](HWND owner, ui::SaveFileRequest& request, std::string& path) {
            ++asked_;
            owner_ = owner;
            request_ = request;
            request.type = chosenType_;
            if (answer_.empty())
                return false;   // cancelled
            path = answer_;
            return true;
        });
    }
    void TearDown() override
    {
        ui::SetSaveFileHandler(nullptr);
        for (const char* name : {"list.csv", "report.txt"})
            DeleteFileA((folder_ + name).c_str());
        RemoveDirectoryA(folder_.c_str());
        AppFixture::TearDown();
    }

    void ShowCdRomRows()
    {
        listui::FillStorePage(View().Run().Stores, kCdRomPage, {{"Drive B", "IDE\\CD1", "E:"}, {"Drive A", "IDE\\CD0", "D:", "Maker, \"One\""}});
        Standard().SelectPageInTree(kCdRomPage);
        Standard().ShowStandardPage(kCdRomPage);   // the page may be shown already
        ASSERT_EQ(Standard().DisplayList().View().ItemCount(), 2);
    }

    // Runs the command with the dialog answering `path` ("" cancels).
    void Save(int command, const std::string& path)
    {
        answer_ = path;
        Frame().RunCommand(command);
    }

    void RunIndividualCheck()
    {
        FakeWmiScenario scenario;
        scenario.objects.push_back({{L"Name", FakeValue::Text(L"CPU zero")}, {L"Caption", FakeValue::Text(L"x64")}});
        scenario.objects.push_back({{L"Name", FakeValue::Text(L"CPU one")}});
        View().SetWmiConnector(FakeWmiConnector(&scenario));
        Frame().RunCommand(ID_VIEW_INDIVIDUAL);
        ChooseClass(101, 204, ClassId::Win32_Processor);
        RunCheckToCompletion();
        View().SetWmiConnector({});
    }

    std::string folder_;
    std::string answer_;
    int asked_ = 0;
    int chosenType_ = 1;
    HWND owner_ = nullptr;
    ui::SaveFileRequest request_;
};

}  // namespace

TEST_F(ListSaveTest, CsvOfACategoryPageInDisplayOrder)
{
    ShowCdRomRows();
    listui::ClickColumnHeader(Standard().DisplayList(), 2);
    listui::ClickColumnHeader(Standard().DisplayList(), 2);   // descending by Drive: E:, D:
    ASSERT_TRUE(View().QueryCommand(ID_FILE_SAVE_CSV).enabled);
    const std::string path = folder_ + "list.csv";
    Save(ID_FILE_SAVE_CSV, path);
    ASSERT_EQ(asked_, 1);
    EXPECT_EQ(owner_, View().Handle());
    EXPECT_EQ(request_.filter, kCsvFilter);
    EXPECT_EQ(request_.defaultExtension, "csv");
    EXPECT_EQ(request_.fileName, "CD-ROM Drive.csv") << "local check: the label alone, blank included";
    std::string expected = std::string(kCdRomHeader) + "\r\n" +
                           "\"Drive B\",\"IDE\\CD1\",\"E:\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n" +
                           "\"Drive A\",\"IDE\\CD0\",\"D:\",\"Maker, ";
    EXPECT_EQ(ReadWholeFile(path).substr(0, expected.size()), expected);
    EXPECT_TRUE(Messages().empty());

    View().Run().TargetComputer = "pc01";   // as the last check left it
    Save(ID_FILE_SAVE_CSV, "");
    EXPECT_EQ(request_.fileName, "pc01_CD-ROM Drive.csv");
}

TEST_F(ListSaveTest, ThePlatformDialogOffersTheFileTypesAndAsksBeforeReplacingAFile)
{
    ShowCdRomRows();
    ui::SetSaveFileHandler(nullptr);
    const std::string path = folder_ + "list.csv";
    {
        std::ofstream old(path, std::ios::binary);
        old << "old";
    }
    g_real = RealDialogRun{};
    g_real.typed = folder_ + "list";   // the default extension makes it list.csv
    UINT_PTR timer = SetTimer(nullptr, 0, 100, RealDialogTimer);
    Frame().RunCommand(ID_FILE_SAVE_CSV);
    KillTimer(nullptr, timer);
    EXPECT_EQ(g_real.proposed, "CD-ROM Drive.csv");
    EXPECT_EQ(g_real.fileTypes, (std::vector<std::string>{"CSV Files (*.csv)", "CSV, UTF-8 (*.csv)", "Text Files (*.txt)",
                                                          "All Files (*.*)"}));
    EXPECT_TRUE(g_real.done) << "the dialog asked before replacing the file";
    EXPECT_FALSE(g_real.question.empty());
    EXPECT_EQ(ReadWholeFile(path).substr(0, 8), "\"Name\",\"") << "replaced after Yes";
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ListSaveTest, CsvOfTheIndividualList)
{
    RunIndividualCheck();
    ResultList& list = Individual().ResultListControl();
    ASSERT_EQ(list.View().ItemCount(), 3);
    listui::ClickColumnHeader(list, 3);   // by value, ascending: CPU one, CPU zero, x64
    ASSERT_TRUE(View().QueryCommand(ID_FILE_SAVE_CSV).enabled);
    const std::string path = folder_ + "list.csv";
    Save(ID_FILE_SAVE_CSV, path);
    EXPECT_EQ(request_.fileName, "Win32_Processor.csv");
    EXPECT_EQ(request_.defaultExtension, "csv");
    std::string expected = "\"Group\",\"Name\",\"Type\",\"Value\"\r\n";
    for (int row = 0; row < 3; ++row) {
        expected += "\"" + list.View().ItemText(row, 0) + "\",\"" + list.View().ItemText(row, 1) + "\",\"" +
                    list.View().ItemText(row, 2) + "\",\"" + list.View().ItemText(row, 3) + "\"\r\n";
    }
    EXPECT_EQ(list.View().ItemText(0, 3), "CPU one");
    EXPECT_EQ(ReadWholeFile(path), expected);

    View().Run().TargetComputer = "pc01";
    Save(ID_FILE_SAVE_CSV, "");
    EXPECT_EQ(request_.fileName, "pc01_Win32_Processor.csv");
}

TEST_F(ListSaveTest, CsvIsEnabledOnlyForShownRowsOfACategoryOrTheIndividualList)
{
    EXPECT_FALSE(View().QueryCommand(ID_FILE_SAVE_CSV).enabled) << "root page";
    Save(ID_FILE_SAVE_CSV, folder_ + "list.csv");
    EXPECT_EQ(asked_, 0) << "Ctrl+A does nothing while disabled";
    Standard().SelectPageInTree(kHardwarePage);
    EXPECT_FALSE(View().QueryCommand(ID_FILE_SAVE_CSV).enabled) << "group page";
    Standard().SelectPageInTree(kCdRomPage);
    EXPECT_FALSE(View().QueryCommand(ID_FILE_SAVE_CSV).enabled) << "category page without rows";
    Save(ID_FILE_SAVE_CSV, folder_ + "list.csv");
    EXPECT_EQ(asked_, 0);
    ShowCdRomRows();
    EXPECT_TRUE(View().QueryCommand(ID_FILE_SAVE_CSV).enabled);

    Frame().RunCommand(ID_VIEW_INDIVIDUAL);
    EXPECT_FALSE(View().QueryCommand(ID_FILE_SAVE_CSV).enabled) << "no individual rows";
    RunIndividualCheck();
    EXPECT_TRUE(View().QueryCommand(ID_FILE_SAVE_CSV).enabled);
    EXPECT_FALSE(FileExists(folder_ + "list.csv"));
}

TEST_F(ListSaveTest, NeitherSaveRunsDuringACheck)
{
    ShowCdRomRows();
    RunIndividualCheck();
    FakeWmiScenario scenario = SlowProvider();
    View().SetWmiConnector(FakeWmiConnector(&scenario));
    View().OnRunButton();   // an individual check: the stores and the display list keep their rows
    ASSERT_TRUE(CheckRunning());
    EXPECT_FALSE(View().QueryCommand(ID_FILE_SAVE_CSV).enabled);
    EXPECT_FALSE(View().QueryCommand(ID_FILE_SAVE_TEXT).enabled);
    Frame().RunCommand(ID_VIEW_STANDARD);
    ASSERT_EQ(Standard().DisplayList().View().ItemCount(), 2);
    EXPECT_FALSE(View().QueryCommand(ID_FILE_SAVE_CSV).enabled) << "the standard tab too";
    Save(ID_FILE_SAVE_CSV, folder_ + "list.csv");
    Save(ID_FILE_SAVE_TEXT, folder_ + "report.txt");
    EXPECT_EQ(asked_, 0);
    Frame().RunCommand(ID_CHECK_STOP);
    PumpUntil([this] { return !CheckRunning(); });
    View().SetWmiConnector({});
    EXPECT_TRUE(View().QueryCommand(ID_FILE_SAVE_CSV).enabled);
    EXPECT_TRUE(View().QueryCommand(ID_FILE_SAVE_TEXT).enabled);
}

TEST_F(ListSaveTest, CancelWritesNothing)
{
    ShowCdRomRows();
    Save(ID_FILE_SAVE_CSV, "");
    Save(ID_FILE_SAVE_TEXT, "");
    EXPECT_EQ(asked_, 2);
    EXPECT_TRUE(Messages().empty());
    EXPECT_FALSE(FileExists(folder_ + "list.csv"));
    EXPECT_FALSE(FileExists(folder_ + "report.txt"));
}

TEST_F(ListSaveTest, AMissingFolderIsAnOpenError)
{
    ShowCdRomRows();
    const std::string csv = folder_ + "no such folder\\list.csv";
    const std::string text = folder_ + "no such folder\\report.txt";
    Save(ID_FILE_SAVE_CSV, csv);
    Save(ID_FILE_SAVE_TEXT, text);
    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_EQ(Messages()[0].text, "File Open Error.\n\nFile Name : " + csv);
    EXPECT_EQ(Messages()[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(Messages()[1].text, "File Open Error.\n\nFile Name : " + text);
    EXPECT_EQ(Messages()[1].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
}

TEST_F(ListSaveTest, AFullDeviceIsAWriteErrorReportedOnce)
{
    ShowCdRomRows();
    const std::string full = "Z:\\dev\\full";
    Save(ID_FILE_SAVE_CSV, full);
    Save(ID_FILE_SAVE_TEXT, full);
    ASSERT_EQ(Messages().size(), 2u) << "one message each: writing stops at the first failure";
    EXPECT_EQ(Messages()[0].text, "File Write Error.\n\nFile Name : " + full);
    EXPECT_EQ(Messages()[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(Messages()[1].text, "File Write Error.\n\nFile Name : " + full);
}

TEST_F(ListSaveTest, TextReportOfAllStoresFromEitherTab)
{
    EXPECT_FALSE(View().QueryCommand(ID_FILE_SAVE_TEXT).enabled) << "no data in any store";
    Save(ID_FILE_SAVE_TEXT, folder_ + "report.txt");
    EXPECT_EQ(asked_, 0);

    ShowCdRomRows();
    Frame().RunCommand(ID_VIEW_INDIVIDUAL);
    ASSERT_TRUE(View().QueryCommand(ID_FILE_SAVE_TEXT).enabled);
    const std::string path = folder_ + "report.txt";
    Save(ID_FILE_SAVE_TEXT, path);
    ASSERT_EQ(asked_, 1);
    EXPECT_EQ(owner_, View().Handle());
    EXPECT_EQ(request_.filter, kTextFilter);
    EXPECT_EQ(request_.defaultExtension, "txt");
    EXPECT_EQ(request_.fileName, "LocalComputer_Resource.txt");
    const std::string expected = std::string("LocalComputer\r\n\r\n\r\nHardware\r\n\tCD-ROM Drive\r\n\t\t") +
                                 kCdRomHeader + "\r\n" +
                                 "\t\t\"Drive B\",\"IDE\\CD1\",\"E:\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n" +
                                 "\t\t\"Drive A\",\"IDE\\CD0\",\"D:\",\"Maker, \"One\"\",\"\",\"\",\"\",\"\",\"\"\r\n" +
                                 "\tIDE Controller\r\n\t\tData is not exist.\r\n\r\n\tBIOS\r\n";
    const std::string written = ReadWholeFile(path);
    EXPECT_EQ(written.substr(0, expected.size()), expected) << "store order; quotes unchanged";
    EXPECT_NE(written.find("\r\nOperating System\r\n"), std::string::npos);
    EXPECT_TRUE(Messages().empty());

    View().Run().TargetComputer = "pc01";
    Save(ID_FILE_SAVE_TEXT, path);
    EXPECT_EQ(request_.fileName, "pc01_Resource.txt");
    EXPECT_EQ(ReadWholeFile(path).substr(0, 10), "pc01\r\n\r\n\r\n");
}

TEST_F(ListSaveTest, FileTypesAreInTheInterfaceLanguage)
{
    ShowCdRomRows();
    SetTextLanguage(kJapaneseLanguage);
    Save(ID_FILE_SAVE_CSV, "");
    ASSERT_EQ(asked_, 1);
    EXPECT_EQ(request_.filter, "CSV ファイル (*.csv)|*.csv|CSV、UTF-8 (*.csv)|*.csv|テキスト ファイル (*.txt)|*.txt|"
                               "すべてのファイル (*.*)|*.*||");
    EXPECT_NE(request_.filter.find("*.csv"), std::string::npos);
    SetTextLanguage(kEnglishLanguage);
}
