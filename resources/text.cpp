#include "resources/text.h"

#include <atomic>

#include "base/narrow.h"
#include "base/text_util.h"

namespace {

std::atomic<LANGID> g_pinnedLanguage{0};

LANGID SystemTextLanguage()
{
    return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE ? kJapaneseLanguage
                                                                      : kEnglishLanguage;
}

// A string table block holds 16 counted UTF-16 strings; block n holds IDs 16(n-1)..16n-1.
std::wstring ReadFromBlock(UINT id, LANGID language)
{
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC block = FindResourceExW(module, MAKEINTRESOURCEW(6) /* RT_STRING */,
                                  MAKEINTRESOURCEW(id / 16 + 1), language);
    if (!block)
        return {};
    HGLOBAL loaded = LoadResource(module, block);
    const WCHAR* cursor = loaded ? static_cast<const WCHAR*>(LockResource(loaded)) : nullptr;
    if (!cursor)
        return {};
    const WCHAR* end = cursor + SizeofResource(module, block) / sizeof(WCHAR);
    for (UINT index = 0; index < (id & 15); ++index) {
        if (cursor >= end)
            return {};
        cursor += *cursor + 1;
    }
    if (cursor >= end || cursor + 1 + *cursor > end)
        return {};
    return std::wstring(cursor + 1, *cursor);
}

}  // namespace

LANGID TextLanguage()
{
    LANGID pinned = g_pinnedLanguage.load(std::memory_order_relaxed);
    return pinned ? pinned : SystemTextLanguage();
}

void SetTextLanguage(LANGID language)
{
    g_pinnedLanguage.store(language, std::memory_order_relaxed);
}

std::wstring LoadTextInLanguage(UINT id, LANGID language)
{
    return ReadFromBlock(id, language);
}

std::wstring LoadTextW(UINT id)
{
    return ReadFromBlock(id, TextLanguage());
}

std::string LoadText(UINT id)
{
    return ToNarrow(LoadTextW(id));
}

std::string CountText(long long count, UINT id)
{
    return count == 1 ? LoadText(id) : FillIn(LoadText(id + 1), std::to_string(count));
}

std::string TextNaming(UINT id, std::string_view name, std::string_view gap)
{
    const std::string text = LoadText(id);
    if (text.find("%1") != std::string::npos)
        return FillIn(text, name);
    return text + std::string(gap) + std::string(name);
}
