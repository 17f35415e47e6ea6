// Test helpers for reading the program's own resources: which languages a resource
// exists in, its raw bytes in one language, and a reader of DIALOGEX templates.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace resources_test {

inline HMODULE Module()
{
    return GetModuleHandleW(nullptr);
}

// Every language in which resource `id` of `type` exists, in ascending order.
inline std::vector<LANGID> ResourceLanguages(LPCWSTR type, UINT id)
{
    std::vector<LANGID> languages;
    EnumResourceLanguagesW(
        Module(), type, MAKEINTRESOURCEW(id),
        [](HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param) -> BOOL {
            reinterpret_cast<std::vector<LANGID>*>(param)->push_back(language);
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&languages));
    std::sort(languages.begin(), languages.end());
    return languages;
}

// The bytes of resource `id` of `type` in exactly `language` (no fallback to another
// language); null when it does not exist in that language.
inline const void* ResourceData(LPCWSTR type, UINT id, LANGID language, DWORD* size = nullptr)
{
    std::vector<LANGID> languages = ResourceLanguages(type, id);
    if (std::find(languages.begin(), languages.end(), language) == languages.end())
        return nullptr;
    HRSRC found = FindResourceExW(Module(), type, MAKEINTRESOURCEW(id), language);
    HGLOBAL loaded = found ? LoadResource(Module(), found) : nullptr;
    if (size)
        *size = found ? SizeofResource(Module(), found) : 0;
    return loaded ? LockResource(loaded) : nullptr;
}

// ---------------------------------------------------------------- DIALOGEX templates

struct TemplateControl {
    DWORD style = 0;
    DWORD exStyle = 0;
    int id = 0;
    std::wstring className;   // predefined classes by their name ("Button", "Edit", ...)
    std::wstring text;        // empty when the title is an ordinal
    int textOrdinal = -1;     // resource ordinal of an icon or bitmap title, else -1
    int x = 0, y = 0, cx = 0, cy = 0;
};

struct DialogTemplate {
    bool valid = false;
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::wstring caption;
    int pointSize = 0;
    int weight = 0;
    int italic = 0;
    int charset = 0;
    std::wstring typeface;
    std::vector<TemplateControl> controls;
};

class TemplateReader {
public:
    TemplateReader(const void* data, DWORD size)
        : begin_(static_cast<const BYTE*>(data)), at_(begin_), end_(begin_ + size) {}

    bool Failed() const { return failed_; }

    template <typename T>
    T Read()
    {
        T value{};
        if (static_cast<size_t>(end_ - at_) < sizeof(T)) {
            failed_ = true;
            return value;
        }
        std::memcpy(&value, at_, sizeof(T));
        at_ += sizeof(T);
        return value;
    }

    std::wstring ReadString()
    {
        std::wstring text;
        for (WCHAR c = Read<WCHAR>(); c != 0 && !failed_; c = Read<WCHAR>())
            text.push_back(c);
        return text;
    }

    // A string-or-ordinal field: returns the ordinal, or -1 with the string in `text`.
    int ReadNameOrOrdinal(std::wstring& text)
    {
        WORD first = Read<WORD>();
        if (first == 0xFFFF)
            return Read<WORD>();
        text.clear();
        for (WCHAR c = first; c != 0 && !failed_; c = Read<WCHAR>())
            text.push_back(c);
        return -1;
    }

    void AlignToDword()
    {
        size_t offset = static_cast<size_t>(at_ - begin_);
        at_ = begin_ + ((offset + 3) & ~size_t{3});
        if (at_ > end_)
            failed_ = true;
    }

    void Skip(size_t bytes)
    {
        if (static_cast<size_t>(end_ - at_) < bytes)
            failed_ = true;
        else
            at_ += bytes;
    }

private:
    const BYTE* begin_;
    const BYTE* at_;
    const BYTE* end_;
    bool failed_ = false;
};

inline std::wstring PredefinedClassName(int atom)
{
    switch (atom) {
    case 0x80: return L"Button";
    case 0x81: return L"Edit";
    case 0x82: return L"Static";
    case 0x83: return L"ListBox";
    case 0x84: return L"ScrollBar";
    case 0x85: return L"ComboBox";
    default: return L"#" + std::to_wstring(atom);
    }
}

inline TemplateControl ReadTemplateControl(TemplateReader& reader)
{
    TemplateControl control;
    reader.AlignToDword();
    reader.Read<DWORD>();  // help id
    control.exStyle = reader.Read<DWORD>();
    control.style = reader.Read<DWORD>();
    control.x = reader.Read<short>();
    control.y = reader.Read<short>();
    control.cx = reader.Read<short>();
    control.cy = reader.Read<short>();
    control.id = static_cast<int>(reader.Read<DWORD>());
    int classAtom = reader.ReadNameOrOrdinal(control.className);
    if (classAtom >= 0)
        control.className = PredefinedClassName(classAtom);
    control.textOrdinal = reader.ReadNameOrOrdinal(control.text);
    reader.Skip(reader.Read<WORD>());  // creation data
    return control;
}

// Reads an extended dialog template; `valid` is false for anything else or a
// template that ends early.
inline DialogTemplate ReadDialogTemplate(const void* data, DWORD size)
{
    DialogTemplate dialog;
    if (!data)
        return dialog;
    TemplateReader reader(data, size);
    if (reader.Read<WORD>() != 1 || reader.Read<WORD>() != 0xFFFF)
        return dialog;
    reader.Read<DWORD>();  // help id
    dialog.exStyle = reader.Read<DWORD>();
    dialog.style = reader.Read<DWORD>();
    WORD count = reader.Read<WORD>();
    dialog.x = reader.Read<short>();
    dialog.y = reader.Read<short>();
    dialog.cx = reader.Read<short>();
    dialog.cy = reader.Read<short>();
    std::wstring ignored;
    reader.ReadNameOrOrdinal(ignored);  // menu
    reader.ReadNameOrOrdinal(ignored);  // window class
    dialog.caption = reader.ReadString();
    if (dialog.style & DS_SETFONT) {
        dialog.pointSize = reader.Read<WORD>();
        dialog.weight = reader.Read<WORD>();
        dialog.italic = reader.Read<BYTE>();
        dialog.charset = reader.Read<BYTE>();
        dialog.typeface = reader.ReadString();
    }
    for (WORD index = 0; index < count && !reader.Failed(); ++index)
        dialog.controls.push_back(ReadTemplateControl(reader));
    dialog.valid = !reader.Failed();
    return dialog;
}

inline DialogTemplate LoadDialogTemplate(UINT id, LANGID language)
{
    DWORD size = 0;
    const void* data = ResourceData(MAKEINTRESOURCEW(5) /* RT_DIALOG */, id, language, &size);
    return ReadDialogTemplate(data, size);
}

}  // namespace resources_test
