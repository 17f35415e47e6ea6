#include "shell/recent_computers.h"

#include <algorithm>

#include "base/handles.h"
#include "base/narrow.h"

namespace {

using UniqueKey = UniqueResource<handle_traits::NullIsEmpty<HKEY, RegCloseKey>>;

constexpr DWORD kMaximumValueBytes = 64 * 1024;

bool SameName(const std::string& left, const std::string& right)
{
    const std::wstring a = ToWide(left);
    const std::wstring b = ToWide(right);
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

}  // namespace

std::vector<std::string> ReadRecentComputers(HKEY root, const std::string& subKey)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, ToWide(subKey).c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return {};
    UniqueKey key(opened);
    const std::wstring value = ToWide(kRecentComputersValue);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.Get(), value.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_MULTI_SZ || size > kMaximumValueBytes)
        return {};
    std::wstring buffer(size / sizeof(wchar_t) + 2, L'\0');
    if (RegQueryValueExW(key.Get(), value.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
        ERROR_SUCCESS)
        return {};
    std::vector<std::string> names;
    for (size_t at = 0; at < buffer.size() && buffer[at] != L'\0' && names.size() < kMaxRecentComputers;) {
        const size_t end = buffer.find(L'\0', at);
        names.push_back(ToNarrow(std::wstring_view(buffer).substr(at, end - at)));
        at = end + 1;
    }
    return names;
}

bool WriteRecentComputers(HKEY root, const std::string& subKey, const std::vector<std::string>& names)
{
    HKEY created = nullptr;
    if (RegCreateKeyExW(root, ToWide(subKey).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &created, nullptr) !=
        ERROR_SUCCESS)
        return false;
    UniqueKey key(created);
    std::wstring list;
    for (const std::string& name : names)
        list += ToWide(name) + L'\0';
    list += L'\0';
    return RegSetValueExW(key.Get(), ToWide(kRecentComputersValue).c_str(), 0, REG_MULTI_SZ,
                          reinterpret_cast<const BYTE*>(list.c_str()),
                          static_cast<DWORD>(list.size() * sizeof(wchar_t))) == ERROR_SUCCESS;
}

std::vector<std::string> WithRecentComputer(std::vector<std::string> names, const std::string& name)
{
    if (name.empty())
        return names;
    std::erase_if(names, [&](const std::string& known) { return SameName(known, name); });
    names.insert(names.begin(), name);
    if (names.size() > kMaxRecentComputers)
        names.resize(kMaxRecentComputers);
    return names;
}
