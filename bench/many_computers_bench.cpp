// Many computers in one mirelrep run, in-process, against simulated computers of the fake
// WMI provider (20 ms per call that would cross the network) and against names that do
// not resolve:
//   1. 64 computers with /parallel:16 take at most 1.3 x (64 / 16) x one computer alone;
//   2. 1,000 computers keep the working set under 150 MB (results written and released):
//      the peak after 1,000 is that after 64;
//   3. 100 .invalid names with /parallel:16 finish within 3 x the time of one (whole runs
//      of mirelrep.exe, as a script meets them).
// Prints every figure, the ratios and PASS or FAIL; exits 1 when a target is missed.
// Run: WINEPREFIX=$PWD/build/wine-test tools/wine-run.sh build/bench/many_computers_bench.exe
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "console/mirelrep.h"
#include "tests/support/fake_wmi.h"
#include "tests/support/simulated_computer.h"

namespace {

constexpr DWORD kCallLatencyMs = 20;

std::string TempFolder(const std::string& name)
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name + "-" + std::to_string(GetCurrentProcessId());
}

void RemoveFolder(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA((folder + "\\" + found.cFileName).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

// Seconds one run of mirelrep takes, with its exit code.
double Run(std::vector<std::string> arguments, const WmiConnector& connector, int& exitCode)
{
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    exitCode = static_cast<int>(RunMirelReport(arguments, connector));
    QueryPerformanceCounter(&end);
    return static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::vector<std::string> Names(const char* prefix, int count, const char* suffix)
{
    std::vector<std::string> names;
    char name[64];
    for (int number = 1; number <= count; ++number) {
        std::snprintf(name, sizeof name, "%s%04d%s", prefix, number, suffix);
        names.push_back(name);
    }
    return names;
}

double PeakWorkingSetMb()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

// mirelrep over `names` into a folder of its own (removed afterwards).
double RunMany(const std::vector<std::string>& names, const std::vector<std::string>& options,
               const WmiConnector& connector, const char* folderName, int& exitCode)
{
    const std::string folder = TempFolder(folderName);
    std::vector<std::string> arguments = names;
    arguments.push_back("/outdir:" + folder);
    arguments.push_back("/q");
    arguments.insert(arguments.end(), options.begin(), options.end());
    const double seconds = Run(arguments, connector, exitCode);
    RemoveFolder(folder);
    return seconds;
}

// Seconds a run of mirelrep.exe (beside the bench folder) takes as a process, as a script
// runs it, with its output discarded.
double RunProcess(const std::string& arguments, const std::string& folderName, DWORD& exitCode)
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string program = self;
    program = program.substr(0, program.find_last_of('\\'));
    program = program.substr(0, program.find_last_of('\\')) + "\\mirelrep.exe";
    const std::string folder = TempFolder(folderName);
    std::string commandLine = "\"" + program + "\" " + arguments + " /q /outdir:" + folder;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE nul = CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = nul;
    PROCESS_INFORMATION process{};
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    exitCode = 0xFFFFFFFF;
    if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    QueryPerformanceCounter(&end);
    CloseHandle(nul);
    RemoveFolder(folder);
    return static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string Joined(const std::vector<std::string>& names)
{
    std::string line;
    for (const std::string& name : names)
        line += name + " ";
    return line;
}

bool Report(const char* what, double value, double limit, const char* unit)
{
    const bool pass = value <= limit;
    std::printf("%-58s %8.3f %s (target <= %.3f) %s\n", what, value, unit, limit, pass ? "PASS" : "FAIL");
    return pass;
}

}  // namespace

int main()
{
    FakeWmiScenario network;
    network.callLatencyMs = kCallLatencyMs;
    network.objectsFor = SimulatedOfficeObjects;
    WmiConnector connector = FakeWmiConnector(&network);
    connector.lookUpDomainController = [](const std::string&, std::string&, std::string&) { return false; };
    bool pass = true;
    int exitCode = 0;

    std::printf("Simulated computers: %lu ms per WMI call (connect, query, each object)\n", kCallLatencyMs);
    const double one = RunMany({"sim0001"}, {"/noping"}, connector, "mirel-one", exitCode);
    std::printf("one computer alone: %.3f s (exit %d)\n", one, exitCode);
    const double many = RunMany(Names("sim", 64, ""), {"/noping", "/parallel:16"}, connector, "mirel-64", exitCode);
    std::printf("64 computers, /parallel:16: %.3f s (exit %d), peak working set %.1f MB\n", many, exitCode,
                PeakWorkingSetMb());
    pass &= Report("ratio to (64 / 16) x one computer", many / (4 * one), 1.3, "");

    // The memory target is about the count of computers, not the wait: a shorter latency
    // keeps the run to a minute.
    network.callLatencyMs = kCallLatencyMs / 4;
    const double thousand = RunMany(Names("sim", 1000, ""), {"/noping", "/parallel:16"}, connector, "mirel-1000", exitCode);
    std::printf("1,000 computers, /parallel:16, %lu ms per call: %.1f s (exit %d)\n", network.callLatencyMs,
                thousand, exitCode);
    pass &= Report("peak working set after 1,000 computers", PeakWorkingSetMb(), 150, "MB");

    // Failed hosts as a script meets them: whole runs of mirelrep.exe, the median of five.
    auto median = [](std::vector<double> times) {
        std::sort(times.begin(), times.end());
        return times[times.size() / 2];
    };
    std::vector<double> ones, hundreds;
    DWORD processExit = 0, hundredExit = 0;
    for (int round = 0; round < 5; ++round) {
        ones.push_back(RunProcess(Joined(Names("nothere", 1, ".invalid")), "mirel-fail1", processExit));
        hundreds.push_back(RunProcess(Joined(Names("nothere", 100, ".invalid")) + "/parallel:16", "mirel-fail100", hundredExit));
    }
    std::printf("mirelrep.exe, one .invalid name: %.3f s (exit %lu)\n", median(ones), processExit);
    std::printf("mirelrep.exe, 100 .invalid names, /parallel:16: %.3f s (exit %lu)\n", median(hundreds), hundredExit);
    pass &= Report("ratio to one .invalid name", median(hundreds) / median(ones), 3, "");
    return pass ? 0 : 1;
}
