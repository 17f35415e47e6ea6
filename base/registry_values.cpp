#include "base/registry_values.h"

#include <vector>

#include "base/narrow.h"

namespace {

constexpr DWORD kMaximumTextBytes = 8192;

}  // namespace

UniqueKey OpenSettingsKey(HKEY root, const std::string& subKey)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, ToWide(subKey).c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return UniqueKey();
    return UniqueKey(opened);
}

UniqueKey CreateSettingsKey(HKEY root, const std::string& subKey)
{
    HKEY created = nullptr;
    if (RegCreateKeyExW(root, ToWide(subKey).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                        &created, nullptr) != ERROR_SUCCESS)
        return UniqueKey();
    return UniqueKey(created);
}

bool ReadTextValue(HKEY key, const char* name, std::string& text)
{
    const std::wstring wideName = ToWide(name);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, wideName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ ||
        size > kMaximumTextBytes)
        return false;
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key, wideName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
        ERROR_SUCCESS)
        return false;
    text = ToNarrow(buffer.data());
    return true;
}

bool WriteTextValue(HKEY key, const char* name, const std::string& text)
{
    const std::wstring wide = ToWide(text);
    return RegSetValueExW(key, ToWide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                          static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool ReadNumberValue(HKEY key, const char* name, DWORD& value)
{
    DWORD type = 0;
    DWORD read = 0;
    DWORD size = sizeof read;
    if (RegQueryValueExW(key, ToWide(name).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&read), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof read)
        return false;
    value = read;
    return true;
}

bool WriteNumberValue(HKEY key, const char* name, DWORD value)
{
    return RegSetValueExW(key, ToWide(name).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                          sizeof value) == ERROR_SUCCESS;
}
