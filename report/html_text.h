// Text for an HTML page: every value escaped, so that whatever a computer reports (a
// service named "<img src=x onerror=alert(1)>", "</style><script>") reads as text and
// never as markup; control characters shown as their visible pictures instead of lost.
#pragma once
#include <string>
#include <string_view>

// `text` (UTF-8) for element content and quoted attribute values: & < > " ' as character
// references; C0 controls other than tab, line feed and carriage return, and DEL, as the
// symbols of the Control Pictures block (NUL as U+2400); bytes that are not UTF-8 as U+FFFD.
std::string HtmlEscape(std::string_view text);

// `text` as a CSS string literal, quotes included: every character outside letters, digits
// and space as a CSS escape, so that it cannot end the string, the rule or the style element.
std::string CssString(std::string_view text);

// `text` cut to about `width` columns (a wide East Asian character counting two), with an
// ellipsis when it was cut; never inside a character.
std::string CutToWidth(std::string_view text, int width);
