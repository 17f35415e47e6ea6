// Opens Mirel in a chosen state for screenshots: an appearance, a tab, and the results of
// a check of the local computer. Writes the file named by MIREL_READY_FILE when the window
// is ready, then keeps running until it is closed (or for a minute).
//   mirel_screens.exe <look 210..218> standard [page] [options]
//   mirel_screens.exe <look 210..218> individual <group> <category> <class id> [options]
//   mirel_screens.exe <look 210..218> failed [options]   (a computer not found, opened from the store)
// Options, applied after the check in this order:
//   --default-size   keep the size the program chose (otherwise 980 x 640 at 0,0)
//   --drag <dx>      drag the standard form's splitter bar by dx pixels
//   --toggle         hide the toolbar and show it again
//   --name <text>    type the text into the computer-name field (after the check)
//   --find <text>    open Find, search the text and take the picture with the dialog open
//   --select <first> <count>   select these rows of the shown list (several with Shift)
//   --context-menu   open the shown list's context menu from the keyboard (Menu key)
//   --file-menu      open the File menu of the menu bar
//   --help           open Help > Help Topics
//   --status-tip     narrow the window and rest the pointer on the status bar's message pane
//   mirel_screens.exe <look 210..218> several <computer>...   (the window of many computers)
//   mirel_screens.exe <look 210..218> several-open <computer>...   (then the first one opened)
//   mirel_screens.exe <look 210..218> stored [page]   (a standard check, recorded into the
//                    default store, then shown again from the store)
//   mirel_screens.exe <look 210..218> open <file.json>   (File > Open... of a check saved as
//                    JSON, the picture taken with the question whether to add it)
//   mirel_screens.exe <look 210..218> open-again <file.json>   (the same of a check already
//                    in the store, the question answered Yes: the picture of the answer)
//   --options        open File > Options... and take the picture with it open
//   mirel_screens.exe <look 210..218> several-max <computer>...   (maximised, sorted by result)
//   mirel_screens.exe <look 210..218> find <text>      (the individual tab's class finder after
//                    typing the text, the class found checked)
//   mirel_screens.exe <look 210..218> history          (File > History..., of the store in use;
//                    with --context-menu, the checks' context menu open)
//   mirel_screens.exe <look 210..218> compare          (History, then the latest check compared)
//   mirel_screens.exe <look 210..218> question <name> [parameter]...   (a question answered)
//   mirel_screens.exe <look 210..218> damaged [--move]   (the default store damaged: the
//                    window's check of the day tells it; with --move, Yes moves it aside)
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <shellapi.h>

#include "base/narrow.h"
#include "individual/form_individual.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "shell/application.h"
#include "shell/main_frame.h"
#include "shell/compare_window.h"
#include "shell/history_window.h"
#include "shell/multi_check_window.h"
#include "store/store_history.h"
#include "shell/questions_window.h"
#include "ui/dpi.h"
#include "ui/message_box.h"
#include "ui/message_loop.h"

namespace {

std::string g_findText;

void RunCheck(MainView& view)
{
    view.OnRunButton();
    ui::PumpMessagesUntil([&] { return view.Run().RunningCheck == CheckKind::None; }, 300000);
}

void SignalReady()
{
    if (const char* ready = std::getenv("MIREL_READY_FILE")) {
        if (FILE* file = std::fopen(ready, "w"))
            std::fclose(file);
    }
}

// A real mouse drag of the bar between tree and list, as the splitter receives it.
void DragSplitter(MainView& view, int dx)
{
    HWND splitter = GetParent(view.StandardForm().Tree().Handle());
    const int bar = view.StandardForm().TreeWidth() + 2;
    SendMessageW(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(bar, 60));
    for (int step = 1; step <= 10; ++step) {
        SendMessageW(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(bar + dx * step / 10, 60));
        ui::PumpMessagesUntil([] { return false; }, 30);
    }
    SendMessageW(splitter, WM_LBUTTONUP, 0, MAKELPARAM(bar + dx, 60));
}

// A narrow window with the pointer resting on a status pane whose text it cuts, so that
// the pane's tooltip shows the whole text.
void HoverStatusPane(MainFrame& frame, int pane)
{
    frame.Move(0, 0, ui::ScalePixels(frame.Handle(), 620), ui::ScalePixels(frame.Handle(), 460));
    ui::PumpMessagesUntil([] { return false; }, 300);
    HWND bar = FindWindowExW(frame.Handle(), nullptr, STATUSCLASSNAMEW, nullptr);
    RECT part{};
    SendMessageW(bar, SB_GETRECT, pane, reinterpret_cast<LPARAM>(&part));
    POINT middle{(part.left + part.right) / 2, (part.top + part.bottom) / 2};
    ClientToScreen(bar, &middle);
    SetCursorPos(middle.x - 4, middle.y);
    ui::PumpMessagesUntil([] { return false; }, 100);
    SetCursorPos(middle.x, middle.y);
}

// Runs while the Find dialog's own loop does: types the text, finds it once, and says
// the picture may be taken.
void CALLBACK FindOnce(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    HWND dialog = nullptr;
    while ((dialog = FindWindowExA(nullptr, dialog, "#32770", nullptr)) != nullptr)
        if (GetDlgItem(dialog, IDC_FIND_TEXT))
            break;
    if (dialog) {
        SetDlgItemTextW(dialog, IDC_FIND_TEXT, ToWide(g_findText).c_str());
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_FIND_NEXT, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_FIND_NEXT)));
        SetFocus(GetDlgItem(dialog, IDC_FIND_TEXT));
    }
    ui::PumpMessagesUntil([] { return false; }, 800);
    SignalReady();
}

// The windows over the inventory store, on top of the main window, filled from the store.
void OpenStoreWindow(MainFrame& frame, const std::vector<std::string>& positional)
{
    MainView& view = frame.View();
    auto place = [&frame](ui::Window& window, int offset) {
        const int at = ui::ScalePixels(frame.Handle(), offset);
        window.Move(at, at, ui::ScalePixels(frame.Handle(), 960 - 2 * offset), ui::ScalePixels(frame.Handle(), 620 - 2 * offset));
    };
    const std::string& mode = positional[1];
    if (mode == "question") {
        frame.RunCommand(ID_FILE_QUESTIONS);
        QuestionsWindow& window = *view.Questions();
        place(window, 10);
        window.ChooseQuestion(positional.size() > 2 ? positional[2] : "");
        for (size_t index = 3; index < positional.size(); ++index)
            window.SetParameter(static_cast<int>(index - 3), positional[index]);
        window.Run();
        ui::PumpMessagesUntil([&] { return !window.IsBusy(); }, 60000);
        return;
    }
    frame.RunCommand(ID_FILE_HISTORY);
    HistoryWindow& history = *view.History();
    place(history, 10);
    ui::PumpMessagesUntil([&] { return !history.IsReading(); }, 60000);
    history.Checks().List().View().SetFocus();
    if (mode != "compare")
        return;
    history.CompareWithPrevious();
    if (CompareWindow* compare = history.LastComparison()) {
        place(*compare, 30);
        ui::PumpMessagesUntil([&] { return !compare->IsReading(); }, 60000);
    }
}

void CALLBACK SignalReadyLater(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    SignalReady();
}

// Answers Yes in the message box the program shows, as a click would.
void CALLBACK AnswerYes(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    if (HWND box = FindWindowW(L"#32770", nullptr))
        PostMessageW(box, WM_COMMAND, IDYES, 0);
    SetTimer(nullptr, 0, 2500, SignalReadyLater);
}

// Selects `count` rows from `first` as Shift+Down does, the focus on the last.
void SelectRows(MainView& view, int first, int count)
{
    ResultList& list = view.SelectedTab() == kStandardTab ? view.StandardForm().DisplayList()
                                                          : view.IndividualForm().ResultListControl();
    list.SelectRow(first);
    for (int row = first + 1; row < first + count && row < list.Model().RowCount(); ++row)
        list.View().SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    list.View().SetFocus();
}

// Waits until the standard check just run is in the default store, and shows it from there.
void ShowLatestStoredCheck(MainView& view)
{
    ui::PumpMessagesUntil([&] { return view.Keeper().Pending() == 0; }, 60000);
    StoreLocation location;
    ParseStoreLocation("", location);
    std::string message;
    StoreOpenFailure failure;
    auto store = InventoryStore::Open(location, StoreAccess::Read, 10, message, failure);
    std::vector<StoredCheckHeader> checks;
    if (!store || ListChecks(store->Statements(), "", checks) != Lookup::Found || checks.empty()) {
        std::fprintf(stderr, "no stored check: %s\n", message.c_str());
        return;
    }
    store.reset();
    view.OpenStoredCheck(checks.back().id);
    ui::PumpMessagesUntil([&] { return !view.StoredLabel(kStandardTab).empty(); }, 60000);
}

}  // namespace

int main()
{
    // The arguments as UTF-16, so that a text to find keeps every character.
    int argc = 0;
    LPWSTR* wideArguments = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<std::string> arguments;
    for (int index = 0; index < argc; ++index)
        arguments.push_back(ToNarrow(wideArguments[index]));
    LocalFree(wideArguments);
    auto argv = [&arguments](int index) { return arguments[static_cast<size_t>(index)].c_str(); };
    if (argc < 3) {
        std::fprintf(stderr, "usage: mirel_screens <look> standard [page] | individual <group> <category> <class>"
                             " | several <computer>...\n");
        return 2;
    }
    std::vector<std::string> positional;
    bool defaultSize = false;
    bool toggle = false;
    int drag = 0;
    std::string name;
    bool options = false;
    int selectFirst = -1;
    int selectCount = 0;
    bool contextMenu = false;
    bool fileMenu = false;
    bool help = false;
    bool statusTip = false;
    for (int index = 1; index < argc; ++index) {
        std::string argument = argv(index);
        if (argument == "--default-size")
            defaultSize = true;
        else if (argument == "--toggle")
            toggle = true;
        else if (argument == "--drag" && index + 1 < argc)
            drag = std::atoi(argv(++index));
        else if (argument == "--name" && index + 1 < argc)
            name = argv(++index);
        else if (argument == "--find" && index + 1 < argc)
            g_findText = argv(++index);
        else if (argument == "--select" && index + 2 < argc) {
            selectFirst = std::atoi(argv(++index));
            selectCount = std::atoi(argv(++index));
        } else if (argument == "--context-menu")
            contextMenu = true;
        else if (argument == "--file-menu")
            fileMenu = true;
        else if (argument == "--help")
            help = true;
        else if (argument == "--options")
            options = true;
        else if (argument == "--status-tip")
            statusTip = true;
        else
            positional.push_back(argument);
    }
    // Every picture starts from the default layout: nothing one run stored reaches the next.
    const char* const settingsKey = "Software\\Tollbrook\\MirelScreens";
    RegDeleteTreeA(HKEY_CURRENT_USER, settingsKey);
    MirelApplication application(settingsKey);
    if (!application.Start(SW_SHOWNORMAL))
        return 1;
    MainFrame& frame = application.Frame();
    if (!defaultSize)
        frame.Move(0, 0, 980, 640);
    frame.OnApplicationLook(std::atoi(positional[0].c_str()));
    MainView& view = frame.View();
    const std::string& mode = positional[1];
    if (mode == "several" || mode == "several-open" || mode == "several-max") {
        frame.RunCommand(ID_FILE_CHECK_SEVERAL);
        MultiCheckWindow& window = *view.MultiCheck();
        std::string names;
        for (size_t index = 2; index < positional.size(); ++index)
            names += positional[index] + "\r\n";
        window.SetNames(names);
        if (mode == "several-max")
            ShowWindow(window.Handle(), SW_MAXIMIZE);
        else
            window.Move(10, 10, 960, 600);
        window.OnRunButton();
        ui::PumpMessagesUntil([&] { return !window.IsRunning(); }, 300000);
        if (mode == "several-max")
            window.SummaryList().onColumnClick(1);
        const ResultModel& rows = window.SummaryList().Model();
        for (int row = 0; mode == "several-open" && positional.size() > 2 && row < rows.RowCount(); ++row)
            if (rows.Cell(row, 0) == positional[2])
                window.OpenRow(row);
    } else if (mode == "damaged") {
        // The message box of the day's check is modal: timers take it from there.
        bool move = false;
        for (int index = 1; index < argc; ++index)
            move = move || argv(index) == std::string("--move");
        SetTimer(nullptr, 0, 3000, move ? AnswerYes : SignalReadyLater);
        ui::PumpMessagesUntil([&] { return !IsWindow(frame.Handle()); }, 60000);
        return 0;
    } else if ((mode == "open" || mode == "open-again") && positional.size() >= 3) {
        if (mode == "open-again") {
            // The check is in the store already: the question is answered Yes, and the
            // picture is of what the program says then (shown here, the hook being in place).
            ui::SetMessageBoxHandler([](HWND owner, const std::string& text, UINT flags) {
                if ((flags & MB_YESNO) == MB_YESNO)
                    return IDYES;
                SetTimer(nullptr, 0, 1500, SignalReadyLater);
                return MessageBoxW(owner, ToWide(text).c_str(), LoadTextW(IDS_APP_TITLE).c_str(), flags);
            });
        } else {
            SetTimer(nullptr, 0, 2500, SignalReadyLater);   // the question is modal
        }
        view.OpenCheckFile(positional[2]);
        ui::PumpMessagesUntil([&] { return !IsWindow(frame.Handle()); }, 60000);
        return 0;
    } else if (mode == "history" || mode == "compare" || mode == "question") {
        OpenStoreWindow(frame, positional);
    } else if (mode == "find" && positional.size() >= 3) {
        frame.RunCommand(ID_VIEW_INDIVIDUAL);
        FormIndividual& form = view.IndividualForm();
        SetWindowTextW(form.FindField(), ToWide(positional[2]).c_str());
        RunCheck(view);
        SetFocus(form.FindField());
        SendMessageW(form.FindField(), EM_SETSEL, positional[2].size(), positional[2].size());
    } else if (mode == "individual" && positional.size() >= 5) {
        frame.RunCommand(ID_VIEW_INDIVIDUAL);
        FormIndividual& form = view.IndividualForm();
        form.ChooseEntry(IDC_LEVEL1, std::atoi(positional[2].c_str()));
        form.ChooseEntry(IDC_LEVEL2, std::atoi(positional[3].c_str()));
        form.ChooseEntry(IDC_LEVEL3, std::atoi(positional[4].c_str()));
        RunCheck(view);
    } else if (mode == "failed") {
        // A computer that is not found, recorded so and opened again from the store.
        ui::SetMessageBoxHandler([](HWND, const std::string&, UINT) { return IDOK; });
        SetWindowTextA(view.NameField(), "nothere.invalid");
        RunCheck(view);
        ui::SetMessageBoxHandler(nullptr);
        ShowLatestStoredCheck(view);
    } else {
        RunCheck(view);
        if (mode == "stored")
            ShowLatestStoredCheck(view);
        if (positional.size() >= 3) {
            view.StandardForm().SelectPageInTree(std::atoi(positional[2].c_str()));
            view.StandardForm().Tree().SetFocus();
        }
        if (drag != 0)
            DragSplitter(view, drag);
    }
    if (!name.empty())
        SetWindowTextA(view.NameField(), name.c_str());
    if (toggle) {
        frame.RunCommand(ID_VIEW_TOOLBAR);
        ui::PumpMessagesUntil([] { return false; }, 300);
        frame.RunCommand(ID_VIEW_TOOLBAR);
    }
    if (selectFirst >= 0)
        SelectRows(view, selectFirst, selectCount);
    ui::PumpMessagesUntil([] { return false; }, 1500);
    frame.UpdateIdleState();   // the status bar's panes, as the program's idle time sets them
    if (options) {
        SetTimer(nullptr, 0, 700, SignalReadyLater);
        frame.RunCommand(ID_FILE_OPTIONS);   // modal
    } else if (help) {
        frame.RunCommand(ID_HELP_FINDER);
        SetTimer(nullptr, 0, 700, SignalReadyLater);
    } else if (contextMenu || fileMenu) {
        // Both menus are modal: the timer says when the picture may be taken.
        SetTimer(nullptr, 0, 1200, SignalReadyLater);
        if (fileMenu) {
            PostMessageW(frame.Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'f');
        } else {
            HWND list = GetFocus();
            PostMessageW(list, WM_KEYDOWN, VK_APPS, 1);
        }
    } else if (statusTip) {
        HoverStatusPane(frame, 0);
        SetTimer(nullptr, 0, 2000, SignalReadyLater);
    } else if (!g_findText.empty()) {
        SetTimer(nullptr, 0, 700, FindOnce);
        frame.RunCommand(ID_EDIT_FIND);   // modal: the timer finishes the picture's set-up
    } else {
        SignalReady();
    }
    ui::PumpMessagesUntil([&] { return !IsWindow(frame.Handle()); }, 60000);
    return 0;
}
