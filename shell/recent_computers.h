// The computers checked last, offered by the drop-down of the "Computer Name" field: most
// recent first, kept beside the layout and the appearance as the multi-string value
// "RecentComputers".
#pragma once
#include <windows.h>

#include <string>
#include <vector>

inline constexpr size_t kMaxRecentComputers = 10;
inline constexpr const char* kRecentComputersValue = "RecentComputers";

// The names stored under `subKey` of `root` (UTF-8), at most kMaxRecentComputers; empty
// when there are none or the value is unreadable.
std::vector<std::string> ReadRecentComputers(HKEY root, const std::string& subKey);
// False when the key cannot be created or the value not written.
bool WriteRecentComputers(HKEY root, const std::string& subKey, const std::vector<std::string>& names);
// `names` with `name` first: an earlier entry of it (case ignored) goes, and so does
// what lies beyond kMaxRecentComputers. An empty name (this computer) changes nothing.
std::vector<std::string> WithRecentComputer(std::vector<std::string> names, const std::string& name);
