// The program's settings in the registry: a key opened to read or made to write, and its
// values, texts (UTF-8 here, UTF-16 in the registry, so that any character stays whole)
// and numbers. A value missing, of another type or too long reads as absent.
#pragma once
#include <windows.h>

#include <string>

#include "base/handles.h"

using UniqueKey = UniqueResource<handle_traits::NullIsEmpty<HKEY, RegCloseKey>>;

// Empty when the key is missing or cannot be read.
UniqueKey OpenSettingsKey(HKEY root, const std::string& subKey);
// Made when missing; empty when it cannot be made or written.
UniqueKey CreateSettingsKey(HKEY root, const std::string& subKey);

// False when the value is missing, not REG_SZ or longer than 8 KB.
bool ReadTextValue(HKEY key, const char* name, std::string& text);
bool WriteTextValue(HKEY key, const char* name, const std::string& text);
// False when the value is missing or not REG_DWORD.
bool ReadNumberValue(HKEY key, const char* name, DWORD& value);
bool WriteNumberValue(HKEY key, const char* name, DWORD value);
