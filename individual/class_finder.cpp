#include "individual/class_finder.h"

#include <windows.h>

#include "base/narrow.h"
#include "base/text_util.h"
#include "individual/class_catalog.h"
#include "individual/class_hierarchy.h"
#include "resources/text.h"

std::wstring FoldForClassSearch(const std::wstring& text)
{
    std::wstring folded = text;
    for (wchar_t& character : folded)
        if (character >= 0xFF01 && character <= 0xFF5E)   // full-width ASCII
            character = static_cast<wchar_t>(character - 0xFF01 + 0x21);
        else if (character == 0x3000)                     // ideographic space
            character = L' ';
    if (!folded.empty())
        CharUpperBuffW(folded.data(), static_cast<DWORD>(folded.size()));
    return folded;
}

void ClassFinder::Build()
{
    for (const ClassCatalogEntry& entry : kClassCatalog) {
        const std::wstring name = ToWide(entry.className) + L"\n" + LoadTextW(entry.displayStringId);
        const std::wstring description = LoadTextInLanguage(entry.descriptionStringId, kEnglishLanguage) + L"\n" +
                                         LoadTextInLanguage(entry.descriptionStringId, kJapaneseLanguage);
        entries_.push_back(Entry{entry.classId, FoldForClassSearch(name), FoldForClassSearch(description)});
    }
}

std::vector<int> ClassFinder::Find(const std::string& text)
{
    const std::wstring wanted = FoldForClassSearch(ToWide(TrimWhiteSpace(text)));
    if (wanted.empty())
        return {};
    if (entries_.empty())
        Build();
    std::vector<int> starts, names, descriptions;
    for (const Entry& entry : entries_) {
        const size_t at = entry.name.find(wanted);
        // The WMI name starts after "Win32_"; the shown text after a line break.
        const bool start = at != std::wstring::npos &&
                           (at == 0 || entry.name.compare(0, at, L"WIN32_") == 0 || entry.name[at - 1] == L'\n');
        if (start)
            starts.push_back(entry.classId);
        else if (at != std::wstring::npos)
            names.push_back(entry.classId);
        else if (entry.description.find(wanted) != std::wstring::npos)
            descriptions.push_back(entry.classId);
    }
    starts.insert(starts.end(), names.begin(), names.end());
    starts.insert(starts.end(), descriptions.begin(), descriptions.end());
    return starts;
}

bool LocateClass(int classId, int& groupCode, int& categoryCode)
{
    for (int group : ClassGroupCodes())
        for (int category : CategoryCodesOfGroup(group))
            for (int member : ClassIdsOfCategory(category))
                if (member == classId) {
                    groupCode = group;
                    categoryCode = category;
                    return true;
                }
    return false;
}
