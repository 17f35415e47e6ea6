// Files for tests: a path in the temporary folder, and a file's bytes.
#pragma once
#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

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
