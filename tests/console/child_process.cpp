#include "tests/console/child_process.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "base/narrow.h"

namespace {

constexpr DWORD kChildTimeoutMs = 180000;

std::string ProgramFolder()
{
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::string folder = ToNarrow(std::wstring_view(path, length));
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

std::string TempFile(const char* prefix)
{
    char folder[MAX_PATH], name[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, prefix, 0, name);
    return name;
}

HANDLE InheritableFile(const std::string& path)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::string ReadAndDelete(const std::string& path)
{
    std::string text;
    {
        std::ifstream file(path, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    DeleteFileA(path.c_str());
    return text;
}

// Wine writes notes of its own ("wine: Read access denied for device ...") to the
// process's standard error; they are not the program's.
std::string WithoutWineNotes(const std::string& text)
{
    std::string kept;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        if (text.compare(start, 5, "wine:") != 0)
            kept.append(text, start, end - start);
        start = end;
    }
    return kept;
}

}  // namespace

ChildRun RunMirelrep(const std::string& arguments, const std::string& input)
{
    const std::string outPath = TempFile("mro"), errPath = TempFile("mre"), inPath = TempFile("mri");
    HANDLE out = InheritableFile(outPath), err = InheritableFile(errPath);
    HANDLE in = nullptr;
    if (!input.empty()) {
        std::ofstream(inPath, std::ios::binary) << input;
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        in = CreateFileA(inPath.c_str(), GENERIC_READ, FILE_SHARE_READ, &inherit, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in;
    startup.hStdOutput = out;
    startup.hStdError = err;
    const std::string program = ProgramFolder() + "mirelrep.exe";
    std::string commandLine = "\"" + program + "\" " + arguments;
    PROCESS_INFORMATION process{};
    ChildRun run;
    std::wstring wideCommandLine = ToWide(commandLine);
    if (CreateProcessW(ToWide(program).c_str(), wideCommandLine.data(), nullptr, nullptr, TRUE,
                       CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process)) {
        EXPECT_EQ(WaitForSingleObject(process.hProcess, kChildTimeoutMs), WAIT_OBJECT_0);
        GetExitCodeProcess(process.hProcess, &run.exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    } else {
        ADD_FAILURE() << "cannot start " << program << ": " << GetLastError();
    }
    CloseHandle(out);
    CloseHandle(err);
    if (in)
        CloseHandle(in);
    DeleteFileA(inPath.c_str());
    run.out = ReadAndDelete(outPath);
    run.err = WithoutWineNotes(ReadAndDelete(errPath));
    return run;
}

std::vector<std::string> CrLfLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "text does not end with CR LF";
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}
