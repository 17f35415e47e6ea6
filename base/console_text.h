// Values shown in a console window rather than kept in a file.
#pragma once
#include <string>
#include <string_view>

// Text for a console window: control characters (C0 but tab, DEL and C1) as visible escapes
// ("\0", "\a", "\e", "\x01", "\u009B"...), so that a value cannot ring the bell, move the
// cursor or change the console's colours. CR and LF are escaped too unless they are the
// text's own line ends (`keepLineEnds`).
std::wstring ShownOnConsole(std::wstring_view text, bool keepLineEnds);
