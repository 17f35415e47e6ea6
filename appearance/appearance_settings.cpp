#include "appearance/appearance_settings.h"

#include "appearance/appearance_styles.h"
#include "base/handles.h"

namespace {

using UniqueKey = UniqueResource<handle_traits::NullIsEmpty<HKEY, RegCloseKey>>;

}  // namespace

int ReadApplicationLook(HKEY root, const std::string& subKey)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, subKey.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return kDefaultLook;
    UniqueKey key(opened);
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof(value);
    LONG status = RegQueryValueExA(key.Get(), kApplicationLookValue, nullptr, &type,
                                   reinterpret_cast<BYTE*>(&value), &size);
    if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof(value))
        return kDefaultLook;
    int lookId = static_cast<int>(value);
    return IsValidLook(lookId) ? lookId : kDefaultLook;
}

bool WriteApplicationLook(HKEY root, const std::string& subKey, int lookId)
{
    if (!IsValidLook(lookId))
        return false;
    HKEY created = nullptr;
    if (RegCreateKeyExA(root, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                        nullptr, &created, nullptr) != ERROR_SUCCESS)
        return false;
    UniqueKey key(created);
    DWORD value = static_cast<DWORD>(lookId);
    return RegSetValueExA(key.Get(), kApplicationLookValue, 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&value), sizeof(value)) == ERROR_SUCCESS;
}

int ReadApplicationLook()
{
    return ReadApplicationLook(HKEY_CURRENT_USER, kMirelSettingsKey);
}

bool WriteApplicationLook(int lookId)
{
    return WriteApplicationLook(HKEY_CURRENT_USER, kMirelSettingsKey, lookId);
}
