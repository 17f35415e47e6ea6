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
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << bytes;
}

// A folder in the temporary folder that only this test uses, so that what else lies in
// it can be told; emptied and removed at the end.
class TempFolder {
public:
    explicit TempFolder(const std::string& name) : path_(TempPath(name))
    {
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder()
    {
        for (const std::string& entry : Entries()) {
            SetFileAttributesA(File(entry).c_str(), FILE_ATTRIBUTE_NORMAL);
            if (!DeleteFileA(File(entry).c_str()))
                RemoveDirectoryA(File(entry).c_str());
        }
        RemoveDirectoryA(path_.c_str());
    }

    std::string File(const std::string& name) const { return path_ + "\\" + name; }

    // The names in the folder, sorted.
    std::vector<std::string> Entries() const
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found{};
        HANDLE search = FindFirstFileA(File("*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return names;
        do {
            std::string name = found.cFileName;
            if (name != "." && name != "..")
                names.push_back(name);
        } while (FindNextFileA(search, &found));
        FindClose(search);
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::string path_;
};
