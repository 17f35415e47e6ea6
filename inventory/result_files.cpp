#include "inventory/result_files.h"

#include <windows.h>

#include <unordered_set>

#include "base/narrow.h"
#include "standard/text_export.h"

namespace {

std::wstring SafeFileStem(const std::string& computer)
{
    std::wstring stem = ToWide(computer.empty() ? std::string(kLocalComputerName) : computer);
    for (wchar_t& character : stem) {
        if (character < 0x20 || std::wstring_view(L"\\/:*?\"<>|").find(character) != std::wstring_view::npos)
            character = L'_';
    }
    if (stem.size() > kMaxFileStemLength)
        stem.resize(kMaxFileStemLength);
    return stem;
}

std::wstring UpperCase(std::wstring text)
{
    if (!text.empty())
        CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

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

std::vector<std::string> ComputerFileStems(const std::vector<std::string>& computers)
{
    std::unordered_set<std::wstring> taken;   // upper-case forms of the stems given out
    std::vector<std::string> stems;
    for (const std::string& computer : computers) {
        const std::wstring stem = SafeFileStem(computer);
        std::wstring unique = stem;
        for (int number = 2; !taken.insert(UpperCase(unique)).second; ++number)
            unique = stem + L"~" + std::to_wstring(number);
        stems.push_back(ToNarrow(unique));
    }
    return stems;
}

std::string PathIn(const std::string& folder, const std::string& name)
{
    if (folder.empty() || folder.back() == '\\' || folder.back() == '/' || folder.back() == ':')
        return folder + name;
    return folder + "\\" + name;
}

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
