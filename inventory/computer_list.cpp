#include "inventory/computer_list.h"

#include <windows.h>

#include <algorithm>

#include "base/format_text.h"
#include "base/handles.h"
#include "base/narrow.h"
#include "base/text_util.h"
#include "resources/resource.h"
#include "resources/text.h"

namespace {

constexpr size_t kShownNameLength = 40;

// The start of a long name, enough to find it in the list.
std::string Shortened(const std::string& name)
{
    std::wstring wide = ToWide(name);
    if (wide.size() <= kShownNameLength)
        return name;
    return ToNarrow(wide.substr(0, kShownNameLength)) + "...";
}

std::wstring UpperCase(const std::string& name)
{
    std::wstring wide = ToWide(name);
    if (!wide.empty())
        CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
    return wide;
}

// The file's bytes as wide text by its encoding.
std::wstring DecodeListFile(const std::string& bytes)
{
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE)
        return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0)
        return ToWide(std::string_view(bytes).substr(3));
    return ToWideFromUtf8OrAnsi(bytes);
}

// Text has no control characters but tab and the line ends (a zero byte is the sure
// sign of a binary file, or of UTF-16 without its mark).
bool IsText(const std::wstring& text)
{
    for (wchar_t character : text) {
        if (character < 0x20 && character != L'\t' && character != L'\r' && character != L'\n')
            return false;
    }
    return true;
}

// The text with each control character as "\x" and its two hexadecimal digits.
std::string VisibleControls(const std::string& text)
{
    std::string visible;
    for (char character : text) {
        const auto byte = static_cast<unsigned char>(character);
        visible += byte < 0x20 || byte == 0x7F ? FormatText("\\x%02X", byte) : std::string(1, character);
    }
    return visible;
}

}  // namespace

std::string ComputerOfName(std::string_view name)
{
    std::string trimmed = TrimWhiteSpace(name);
    if (trimmed == ".")
        trimmed.clear();   // where a blank line names nothing, "." names this computer
    return trimmed;
}

bool CheckComputerName(const std::string& name, std::string& reason)
{
    const auto control = std::find_if(name.begin(), name.end(), [](char character) {
        return static_cast<unsigned char>(character) < 0x20 || character == 0x7F;
    });
    if (control != name.end()) {
        reason = FillIn(LoadText(IDS_LIST_NAME_CONTROL), Shortened(VisibleControls(name)));
        return false;
    }
    if (ToWide(name).size() > kMaxComputerNameLength) {
        reason = FillIn(LoadText(IDS_LIST_NAME_TOO_LONG), std::to_string(kMaxComputerNameLength), Shortened(name));
        return false;
    }
    // "\\server" or "a/b" names no computer, and would name files elsewhere.
    if (name.find_first_of("/\\") != std::string::npos) {
        reason = FillIn(LoadText(IDS_LIST_NAME_SEPARATOR), Shortened(name));
        return false;
    }
    return true;
}

bool ComputerList::Add(const std::string& name, std::string& reason)
{
    std::string trimmed = ComputerOfName(name);
    if (!CheckComputerName(trimmed, reason))
        return false;
    if (!seen_.insert(UpperCase(trimmed)).second)
        return true;
    if (names_.size() >= limit_) {
        reason = FillIn(LoadText(IDS_LIST_TOO_MANY), std::to_string(limit_));
        return false;
    }
    names_.push_back(std::move(trimmed));
    return true;
}

bool ComputerList::AddLines(const std::string& text, std::string& reason)
{
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = TrimWhiteSpace(std::string_view(text).substr(start, end - start));
        if (!line.empty() && line[0] != '#' && !Add(line, reason))
            return false;
        start = end + 1;
    }
    return true;
}

bool ReadComputerListFile(const std::string& path, std::string& text, std::string& reason)
{
    UniqueHandle file(CreateFileW(ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.Get(), &size)) {
        reason = LoadText(IDS_LIST_CANNOT_READ) + path;
        return false;
    }
    if (static_cast<unsigned long long>(size.QuadPart) > kMaxListFileBytes) {
        reason = FillIn(LoadText(IDS_LIST_FILE_TOO_LARGE), std::to_string(kMaxListFileBytes / (1024 * 1024)), path);
        return false;
    }
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size())) {
        reason = LoadText(IDS_LIST_CANNOT_READ) + path;
        return false;
    }
    const std::wstring wide = DecodeListFile(bytes);
    if (!IsText(wide)) {
        reason = LoadText(IDS_LIST_NOT_TEXT) + path;
        return false;
    }
    text = ToNarrow(wide);
    return true;
}
