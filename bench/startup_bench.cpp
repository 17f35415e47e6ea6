// Start-up and results without waiting, measured from outside as a user sees them: the
// window program (mirel.exe) against the smallest window program (empty_window.exe),
// started alternately from here under the same Wine and X server, and a standard check of
// this computer in the window against mirelrep.exe doing the same check.
//   startup_bench.exe <folder of mirel.exe and mirelrep.exe> [rounds]
// Per run: visible = CreateProcess until a top-level window of the process is visible;
// painted = until the process waits for input (WaitForInputIdle) with no window of it (nor
// any child) holding a part still to paint. Run to results: a click on Run until the button reads
// "Run" again, the list shows rows and nothing is left to paint. Prints every run and the
// medians with their ratios.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kRunButtonId = 1002;   // IDC_RUN of the main view

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Search {
    DWORD process;
    HWND found;
};

HWND VisibleWindowOf(DWORD process)
{
    Search search{process, nullptr};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* s = reinterpret_cast<Search*>(parameter);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->process && IsWindowVisible(window) && GetWindow(window, GW_OWNER) == nullptr) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Every window below `window`, children of children included.
std::vector<HWND> Descendants(HWND window)
{
    std::vector<HWND> found;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM parameter) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(parameter)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

bool IsOfClass(HWND window, const wchar_t* className)
{
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    return lstrcmpiW(name, className) == 0;
}

// A part of `window` or of a visible child still waits for its WM_PAINT.
bool NeedsPainting(HWND window)
{
    if (GetUpdateRect(window, nullptr, FALSE))
        return true;
    for (HWND child : Descendants(window))
        if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE))
            return true;
    return false;
}

bool WaitUntil(double limitSeconds, const auto& done)
{
    const double end = Now() + limitSeconds;
    while (Now() < end) {
        if (done())
            return true;
        Sleep(1);
    }
    return false;
}

struct Started {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
    double visible = 0;
    double painted = 0;
};

bool Start(const std::string& commandLine, Started& run)
{
    STARTUPINFOA startup{sizeof startup};
    std::string line = commandLine;
    const double start = Now();
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &run.process))
        return false;
    if (!WaitUntil(30, [&] { return (run.window = VisibleWindowOf(run.process.dwProcessId)) != nullptr; }))
        return false;
    run.visible = Now() - start;
    // A program that shows its frame first and fills it after is painted only once it waits
    // for input with nothing left to paint.
    if (!WaitUntil(30, [&] {
            return WaitForInputIdle(run.process.hProcess, 0) == 0 && !NeedsPainting(run.window);
        }))
        return false;
    run.painted = Now() - start;
    return true;
}

void Stop(Started& run)
{
    if (run.window)
        PostMessageW(run.window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(run.process.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(run.process.hProcess, 1);
    CloseHandle(run.process.hThread);
    CloseHandle(run.process.hProcess);
}

HWND Descendant(HWND window, int id)
{
    for (HWND child : Descendants(window))
        if (GetDlgCtrlID(child) == id)
            return child;
    return nullptr;
}

std::wstring TextOf(HWND window)
{
    wchar_t text[64] = {};
    GetWindowTextW(window, text, 64);
    return text;
}

// The largest item count of the visible list views below `window`.
LRESULT ShownRows(HWND window)
{
    LRESULT rows = 0;
    for (HWND child : Descendants(window))
        if (IsWindowVisible(child) && IsOfClass(child, WC_LISTVIEWW))
            rows = std::max(rows, SendMessageW(child, LVM_GETITEMCOUNT, 0, 0));
    return rows;
}

// The visible control of class `className` below `window`.
HWND VisibleChildOfClass(HWND window, const wchar_t* className)
{
    for (HWND child : Descendants(window))
        if (IsWindowVisible(child) && IsOfClass(child, className))
            return child;
    return nullptr;
}

// Selects the third category of the first group in the tree (Hardware > BIOS, in the order
// of the standard catalog), whose list is empty before a check and holds a row after it on
// any computer. The messages carry no pointers, so they work across processes.
bool SelectFirstCategory(HWND window)
{
    HWND tree = VisibleChildOfClass(window, WC_TREEVIEWW);
    if (!tree)
        return false;
    auto next = [tree](LPARAM item, WPARAM how) { return SendMessageW(tree, TVM_GETNEXTITEM, how, item); };
    const LPARAM group = next(next(0, TVGN_ROOT), TVGN_CHILD);
    LPARAM category = group ? next(group, TVGN_CHILD) : 0;
    for (int skipped = 0; category && skipped < 2; ++skipped)
        category = next(category, TVGN_NEXT);
    return category && SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, category);
}

// Clicks Run in a started mirel.exe; seconds until the results are on the screen.
double RunToResults(const Started& run)
{
    if (!SelectFirstCategory(run.window)) {
        std::fprintf(stderr, "no category to select in the tree\n");
        return -1;
    }
    WaitUntil(5, [&] { return !NeedsPainting(run.window); });
    HWND button = Descendant(run.window, kRunButtonId);
    if (!button) {
        std::fprintf(stderr, "no Run button\n");
        return -1;
    }
    const std::wstring idle = TextOf(button);
    const LRESULT rowsBefore = ShownRows(run.window);
    const double start = Now();
    PostMessageW(button, BM_CLICK, 0, 0);
    if (!WaitUntil(5, [&] { return TextOf(button) != idle; })) {
        std::fprintf(stderr, "Run did not start a check\n");
        return -1;
    }
    if (!WaitUntil(120, [&] {
            return TextOf(button) == idle && ShownRows(run.window) > rowsBefore && !NeedsPainting(run.window);
        })) {
        std::fprintf(stderr, "no results on screen: button \"%ls\", %d rows, %s\n", TextOf(button).c_str(),
                     static_cast<int>(ShownRows(run.window)), NeedsPainting(run.window) ? "still painting" : "painted");
        return -1;
    }
    return Now() - start;
}

double RunToExit(const std::string& commandLine)
{
    STARTUPINFOA startup{sizeof startup};
    startup.dwFlags = STARTF_USESTDHANDLES;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE nul = CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
    startup.hStdOutput = nul;
    startup.hStdError = nul;
    startup.hStdInput = nullptr;
    PROCESS_INFORMATION process{};
    std::string line = commandLine;
    const double start = Now();
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    WaitForSingleObject(process.hProcess, INFINITE);
    const double seconds = Now() - start;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    CloseHandle(nul);
    return seconds;
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: startup_bench <folder of mirel.exe> [rounds]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string benchFolder = self;
    benchFolder.resize(benchFolder.find_last_of("\\/") + 1);
    const std::string empty = "\"" + benchFolder + "empty_window.exe\"";
    const std::string mirel = "\"" + folder + "\\mirel.exe\"";
    const std::string mirelrep = "\"" + folder + "\\mirelrep.exe\" /q";

    std::vector<double> emptyVisible, emptyPainted, mirelVisible, mirelPainted, results, reports;
    // One unmeasured round first: Wine's services and the page cache get ready.
    for (int round = 0; round <= rounds; ++round) {
        Started baseline, program;
        const bool shown = Start(empty, baseline);
        Stop(baseline);
        if (!shown || !Start(mirel, program)) {
            std::fprintf(stderr, "a program did not start or show\n");
            return 1;
        }
        const double toResults = RunToResults(program);
        Stop(program);
        const double report = RunToExit(mirelrep);
        if (toResults < 0 || report < 0) {
            std::fprintf(stderr, "the check did not end with results\n");
            return 1;
        }
        if (round == 0)
            continue;
        std::printf("round %d: empty window visible %.3f s, painted %.3f s; mirel visible %.3f s, painted %.3f s;"
                    " Run to results %.3f s; mirelrep %.3f s\n",
                    round, baseline.visible, baseline.painted, program.visible, program.painted, toResults, report);
        emptyVisible.push_back(baseline.visible);
        emptyPainted.push_back(baseline.painted);
        mirelVisible.push_back(program.visible);
        mirelPainted.push_back(program.painted);
        results.push_back(toResults);
        reports.push_back(report);
    }
    std::printf("median: empty window visible %.3f s, painted %.3f s\n", Median(emptyVisible), Median(emptyPainted));
    std::printf("median: mirel visible %.3f s (%.2f x), painted %.3f s (%.2f x)\n", Median(mirelVisible),
                Median(mirelVisible) / Median(emptyVisible), Median(mirelPainted),
                Median(mirelPainted) / Median(emptyPainted));
    std::printf("median: Run to results %.3f s, mirelrep %.3f s (%.2f x)\n", Median(results), Median(reports),
                Median(results) / Median(reports));
    return 0;
}
