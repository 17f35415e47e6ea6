#include "appearance/appearance_settings.h"

#include "appearance/appearance_styles.h"
#include "base/registry_values.h"

int ReadApplicationLook(HKEY root, const std::string& subKey)
{
    const UniqueKey key = OpenSettingsKey(root, subKey);
    DWORD value = 0;
    if (!key || !ReadNumberValue(key.Get(), kApplicationLookValue, value))
        return kDefaultLook;
    int lookId = static_cast<int>(value);
    return IsValidLook(lookId) ? lookId : kDefaultLook;
}

bool WriteApplicationLook(HKEY root, const std::string& subKey, int lookId)
{
    if (!IsValidLook(lookId))
        return false;
    const UniqueKey key = CreateSettingsKey(root, subKey);
    return key && WriteNumberValue(key.Get(), kApplicationLookValue, static_cast<DWORD>(lookId));
}

int ReadApplicationLook()
{
    return ReadApplicationLook(HKEY_CURRENT_USER, kMirelSettingsKey);
}

bool WriteApplicationLook(int lookId)
{
    return WriteApplicationLook(HKEY_CURRENT_USER, kMirelSettingsKey, lookId);
}
