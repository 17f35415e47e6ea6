#include "base/run_folder.h"

#include <windows.h>

#include <string_view>

#include "base/narrow.h"

namespace {

bool IsSeparator(wchar_t character)
{
    return character == L'\\' || character == L'/';
}

// The end of the position after `count` separators from `start`, or the end of the path.
size_t AfterSeparators(const std::wstring& path, size_t start, int count)
{
    size_t at = start;
    for (int found = 0; found < count; ++found) {
        at = path.find_first_of(L"\\/", at);
        if (at == std::wstring::npos)
            return path.size();
        ++at;
    }
    return at;
}

// The length of the part of `path` that no folder can be created in: "C:\", "C:",
// "\\server\share\", "\\?\C:\", "\\?\UNC\server\share\", "\".
size_t RootLength(const std::wstring& path)
{
    std::wstring_view rest(path);
    size_t prefix = 0;
    if (rest.starts_with(L"\\\\?\\") || rest.starts_with(L"\\\\.\\")) {
        prefix = 4;
        rest.remove_prefix(4);
        if (rest.size() >= 4 && _wcsnicmp(rest.data(), L"UNC", 3) == 0 && IsSeparator(rest[3]))
            return AfterSeparators(path, prefix + 4, 2);   // server and share
    } else if (rest.size() >= 2 && IsSeparator(rest[0]) && IsSeparator(rest[1])) {
        return AfterSeparators(path, 2, 2);   // \\server\share\ .
    }
    if (rest.size() >= 2 && rest[1] == L':')
        return prefix + (rest.size() >= 3 && IsSeparator(rest[2]) ? 3 : 2);
    return prefix + (!rest.empty() && IsSeparator(rest[0]) ? 1 : 0);
}

bool IsFolder(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

RunFolder::~RunFolder()
{
    for (auto folder = created_.rbegin(); folder != created_.rend(); ++folder)
        RemoveDirectoryW(folder->c_str());   // only an empty folder goes
}

bool RunFolder::Create(const std::string& folder)
{
    const std::wstring path = ToWide(folder);
    if (path.empty() || IsFolder(path))
        return !path.empty();
    // Each folder below the root from the top down; those that exist are passed over.
    for (size_t at = path.find_first_of(L"\\/", RootLength(path)); ; at = path.find_first_of(L"\\/", at + 1)) {
        const std::wstring part = path.substr(0, at);
        if (!part.empty() && !IsSeparator(part.back()) && !IsFolder(part)) {
            if (CreateDirectoryW(part.c_str(), nullptr))
                created_.push_back(part);
            else if (GetLastError() != ERROR_ALREADY_EXISTS)
                return false;
        }
        if (at == std::wstring::npos)
            break;
    }
    return IsFolder(path);
}
