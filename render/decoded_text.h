// The string-table texts that decoders show, loaded once per language.
#pragma once
#include <windows.h>

#include <string>

// The narrow text of string `id` in the current text language (see TextLanguage),
// as LoadText gives it; empty when the table has no such entry. Texts are loaded on
// first use and kept for the life of the process, so the reference stays valid.
// Safe to call from several threads at once.
const std::string& DecodedText(UINT id);
