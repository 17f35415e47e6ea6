// Asking for a password on the console without showing what is typed.
#pragma once
#include <string>

#include "engine/credentials.h"

// Writes `prompt` to standard error and reads one line from standard input: with echo off
// on a console, as it comes from a pipe or file otherwise. False when nothing, or an empty
// line, could be read.
// The buffers that held the characters are wiped.
bool ReadPassword(const std::string& prompt, SecretText& password);
