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
