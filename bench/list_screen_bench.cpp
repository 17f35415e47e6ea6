// Measures the individual result list on screen, through the real windows (headless):
// an individual check whose provider delivers 100,000 property values of one class
// (10,000 objects x 10 properties), from Run until the rows are in the list and the
// completion is handled; a click on a text column header; a click on the object number
// column header; one Find Next of a text that only the last row holds.
//
//   WINEPREFIX=$PWD/build/wine-test WINEDEBUG=-all tools/wine-run.sh build/bench/list_screen_bench.exe
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "base/class_ids.h"
#include "individual/form_individual.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "shell/app_windows.h"
#include "shell/application.h"
#include "shell/main_frame.h"
#include "tests/support/fake_wmi.h"
#include "ui/message_box.h"
#include "ui/message_loop.h"

namespace {

constexpr int kObjects = 10000;
constexpr int kInstalledApplicationsCode = 103;   // group and category of Win32_ApplicationService
constexpr double kCompletionPauseMs = 500;        // the worker's pause before it reports the end
const wchar_t* const kProperties[] = {L"Caption", L"CreationClassName", L"Description", L"InstallDate",
                                      L"Name", L"Started", L"StartMode", L"Status",
                                      L"SystemCreationClassName", L"SystemName"};
constexpr char kLastRowText[] = "HOST-LAST-OF-ALL";

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

FakeWmiScenario ManyApplicationServices()
{
    FakeWmiScenario scenario;
    scenario.objects.reserve(kObjects);
    for (int number = 1; number <= kObjects; ++number) {
        FakeObject object;
        const std::wstring suffix = std::to_wstring((number * 7919) % kObjects);
        for (const wchar_t* name : kProperties) {
            std::wstring value = std::wstring(name) + L" value " + suffix;
            if (number == kObjects && std::wstring(name) == L"SystemName")
                value = L"HOST-LAST-OF-ALL";
            object.push_back({name, FakeValue::Text(value)});
        }
        scenario.objects.push_back(std::move(object));
    }
    return scenario;
}

void ProcessPendingMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        ui::ProcessMessage(message);
}

// A click on a column header, as the mouse posts it, processed and painted.
double ClickHeader(const ResultList& list, int column)
{
    HWND header = list.View().Header();
    RECT rect{};
    Header_GetItemRect(header, column, &rect);
    LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    Clock::time_point start = Clock::now();
    PostMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(header, WM_LBUTTONUP, 0, point);
    ProcessPendingMessages();
    UpdateWindow(list.Handle());
    return MillisecondsSince(start);
}

// The Find dialog, driven from a timer while it runs modally.
std::function<void(HWND)> g_findScript;

void CALLBACK FindTimer(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM found) -> BOOL {
            if (!IsWindowVisible(window) || !GetDlgItem(window, IDC_FIND_NEXT))
                return TRUE;
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&dialog));
    if (!dialog)
        return;
    KillTimer(nullptr, timer);
    g_findScript(dialog);
    SendMessageW(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
}

// When the worker's rows reached the form, and when the form had taken them.
Clock::time_point g_rowsArrived;
Clock::time_point g_rowsTaken;

LRESULT CALLBACK WatchRows(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && reinterpret_cast<CWPSTRUCT*>(lParam)->message == WM_CLASS_ROWS_READY)
        g_rowsArrived = Clock::now();
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK WatchRowsTaken(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && reinterpret_cast<CWPRETSTRUCT*>(lParam)->message == WM_CLASS_ROWS_READY)
        g_rowsTaken = Clock::now();
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

double Between(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

std::string SortedCheck(const ResultModel& model, int column, bool numeric)
{
    for (int row = 1; row < model.RowCount(); ++row) {
        const std::string& before = model.Cell(row - 1, column);
        const std::string& after = model.Cell(row, column);
        bool ordered = numeric ? std::stoul(before) <= std::stoul(after) : _stricmp(before.c_str(), after.c_str()) <= 0;
        if (!ordered)
            return "NOT SORTED at row " + std::to_string(row);
    }
    return "sorted";
}

}  // namespace

int main()
{
    SetTextLanguage(kEnglishLanguage);
    int messages = 0;
    ui::SetMessageBoxHandler([&messages](HWND, const std::string& text, UINT) {
        ++messages;
        std::printf("message: %s\n", text.c_str());
        return IDOK;
    });
    MirelApplication application;
    if (!application.Start(SW_SHOWNORMAL)) {
        std::printf("the program did not start\n");
        return 1;
    }
    MainFrame& frame = application.Frame();
    SetWindowPos(frame.Handle(), nullptr, 0, 0, 1024, 740, SWP_NOZORDER | SWP_NOACTIVATE);
    MainView& view = frame.View();
    FormIndividual& form = view.IndividualForm();
    ResultList& list = form.ResultListControl();
    frame.RunCommand(ID_VIEW_INDIVIDUAL);
    if (!form.ChooseEntry(IDC_LEVEL1, kInstalledApplicationsCode) ||
        !form.ChooseEntry(IDC_LEVEL2, kInstalledApplicationsCode) ||
        !form.ChooseEntry(IDC_LEVEL3, ClassId::Win32_ApplicationService)) {
        std::printf("Win32_ApplicationService is not in the lists\n");
        return 1;
    }
    FakeWmiScenario scenario = ManyApplicationServices();
    view.SetWmiConnector(FakeWmiConnector(&scenario));

    // Run until the rows are on screen and the completion is handled.
    HHOOK before = SetWindowsHookExA(WH_CALLWNDPROC, WatchRows, nullptr, GetCurrentThreadId());
    HHOOK after = SetWindowsHookExA(WH_CALLWNDPROCRET, WatchRowsTaken, nullptr, GetCurrentThreadId());
    Clock::time_point start = Clock::now();
    view.OnRunButton();
    ui::PumpMessagesUntil([&] { return view.Run().RunningCheck == CheckKind::None; }, 600000);
    UpdateWindow(list.Handle());
    Clock::time_point end = Clock::now();
    double run = Between(start, end);
    UnhookWindowsHookEx(before);
    UnhookWindowsHookEx(after);
    view.SetWmiConnector({});
    const int rows = list.View().ItemCount();
    std::printf("rows in the list: %d (model %d), status \"%s\"\n", rows, list.Model().RowCount(),
                StatusText().c_str());
    std::printf("run to rows on screen:     %8.1f ms (%.1f ms without the %.0f ms completion pause)\n", run,
                run - kCompletionPauseMs, kCompletionPauseMs);
    std::printf("  worker reads and renders %8.1f ms\n", Between(start, g_rowsArrived));
    std::printf("  list takes the rows      %8.1f ms\n", Between(g_rowsArrived, g_rowsTaken));
    std::printf("  pause and completion     %8.1f ms\n", Between(g_rowsTaken, end));

    double byValue = ClickHeader(list, 3);
    std::printf("click on Value (text):     %8.1f ms, %s\n", byValue, SortedCheck(list.Model(), 3, false).c_str());
    double byName = ClickHeader(list, 1);
    std::printf("click on Name (text):      %8.1f ms, %s\n", byName, SortedCheck(list.Model(), 1, false).c_str());
    double byNumber = ClickHeader(list, 0);
    std::printf("click on Group (number):   %8.1f ms, %s\n", byNumber, SortedCheck(list.Model(), 0, true).c_str());

    list.SelectRow(0);
    double find = -1;
    int found = -1;
    g_findScript = [&](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_FIND_TEXT, kLastRowText);
        Clock::time_point findStart = Clock::now();
        SendMessageW(GetDlgItem(dialog, IDC_FIND_NEXT), BM_CLICK, 0, 0);
        UpdateWindow(list.Handle());
        find = MillisecondsSince(findStart);
        found = list.SelectedRow();
    };
    UINT_PTR timer = SetTimer(nullptr, 0, 10, FindTimer);
    frame.RunCommand(ID_EDIT_FIND);
    KillTimer(nullptr, timer);
    std::printf("Find Next to the last row: %8.1f ms, found row %d of %d\n", find, found, rows);
    std::printf("message boxes: %d\n", messages);
    ui::SetMessageBoxHandler(nullptr);
    return rows == kObjects * 10 && found == rows - 1 && messages == 0 ? 0 : 1;
}
