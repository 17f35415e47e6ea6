// The stored appearance: the value "ApplicationLook" (REG_DWORD, the command id 210 to
// 218) under HKEY_CURRENT_USER\Software\Tollbrook\Mirel. The frame reads it when it
// starts and writes it whenever the user picks another appearance.
#pragma once
#include <windows.h>

#include <string>

inline constexpr const char* kMirelSettingsKey = "Software\\Tollbrook\\Mirel";
inline constexpr const char* kApplicationLookValue = "ApplicationLook";

// The stored look; 214 when the value is missing, not a DWORD or not a valid id.
int ReadApplicationLook();
// Stores `lookId`, creating the key if needed; false for an invalid id or when the
// registry refuses.
bool WriteApplicationLook(int lookId);

// The same under another key (tests keep their scratch values away from the program's).
int ReadApplicationLook(HKEY root, const std::string& subKey);
bool WriteApplicationLook(HKEY root, const std::string& subKey, int lookId);
