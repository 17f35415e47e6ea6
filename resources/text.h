// Loading string-table texts in the user interface language.
#pragma once
#include <windows.h>
#include <string>
#include <string_view>

// The text (UTF-8) of string `id` in the current text language; empty when the table
// has no such entry. The program carries the same IDs in English and in Japanese.
std::string LoadText(UINT id);

// The same entry as UTF-16.
std::wstring LoadTextW(UINT id);

// A number with what it counts, singular or plural as the language wants it: string `id`
// holds the form for one ("1 computer"), `id + 1` the form for any other count, its %1 the
// number ("%1 computers").
std::string CountText(long long count, UINT id);

// A message about a computer: string `id` with the name at its %1, or, when the text has
// none (the English texts end where the name begins), with `gap` and the name after it.
// Languages that put the name inside the sentence say where with %1.
std::string TextNaming(UINT id, std::string_view name, std::string_view gap = {});

// The UTF-16 text of `id` in the given language, without fallback; empty when absent.
std::wstring LoadTextInLanguage(UINT id, LANGID language);

// The language the texts are loaded in: Japanese when the user interface language is
// Japanese, English otherwise. Tests may pin it; 0 returns to the system's choice.
LANGID TextLanguage();
void SetTextLanguage(LANGID language);

inline constexpr LANGID kEnglishLanguage = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
inline constexpr LANGID kJapaneseLanguage = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
