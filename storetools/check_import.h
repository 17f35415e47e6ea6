// A check saved as JSON by mirelrep /format:json (on another computer, sent by mail) read
// back as a stored check, to be shown and added to the store. Anything that is not such a
// check (other JSON, a cut-off file, a file too large, hostile texts) is refused with a
// message; nothing of it is kept.
#pragma once
#include <string>

#include "store/stored_check.h"

// The largest file read, in bytes.
inline constexpr unsigned long long kMaxImportBytes = 256ull * 1024 * 1024;

// Reads the file (UTF-8 path). False with `message` (user interface language) set.
bool ReadCheckFile(const std::string& path, StoredCheck& check, std::string& message);

// The same from the file's text; `path` names it in messages.
bool ParseCheckJson(const std::string& text, const std::string& path, StoredCheck& check, std::string& message);
