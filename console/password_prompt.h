// Asking for a password on the console without showing what is typed.
#pragma once
#include <string>

#include "engine/credentials.h"

// Writes `prompt` to standard error (redirected: in UTF-8 with `utf8`, else the ANSI code
// page) and reads one line from standard input: from a console as UTF-16 with echo off,
// so that any character can be typed; from a pipe or file as UTF-8 when its bytes are
// valid UTF-8, else in the ANSI code page. False when nothing, or an empty line, could be
// read. The buffers that held the characters are wiped.
bool ReadPassword(const std::string& prompt, bool utf8, SecretText& password);
