// Files for tests: a path in the temporary folder, a file's bytes, and a folder of a
// test's own.
#pragma once
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

inline std::string TempPath(const std::string& name)
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

inline std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// A folder of the test's own, so that a file left behind in it shows; removed at the end.
class TempFolder {
public:
    explicit TempFolder(const std::string& name) : path_(TempPath(name) + "\\")
    {
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~TempFolder()
    {
        for (const std::string& name : Entries())
            DeleteFileA(File(name).c_str());
        RemoveDirectoryA(path_.c_str());
    }
    std::string File(const std::string& name) const { return path_ + name; }
    std::vector<std::string> Entries() const   // sorted
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found{};
        HANDLE search = FindFirstFileA(File("?*").c_str(), &found);
        for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
            names.push_back(found.cFileName);
        if (search != INVALID_HANDLE_VALUE)
            FindClose(search);
        std::erase_if(names, [](const std::string& name) { return name[0] == '.'; });
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::string path_;
};
