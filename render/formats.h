// Date and account formats of WMI values. Each has the decoder contract: the class of
// the object, the VARIANT type and the trimmed text in; true with the text to show, or
// false when the text cannot be read. (GroupDigits is declared in render/decode.h.)
#pragma once
#include <wtypes.h>

#include <string>
#include <string_view>

// A CIM datetime "20100802153045.500000+540" -> "2010/08/02 15:30:45" (the zone offset
// is dropped); a stem of 8 to 13 characters gives the date alone. VT_BSTR only.
bool FormatCimDateTime(int classId, VARTYPE type, std::string_view text, std::string& decoded);

// A hotfix installation date: 16 hexadecimal digits (a FILETIME in UTC) -> local
// "yyyy/mm/dd hh:mm:ss"; "yyyymmdd", "m/d/y" and, where the first part cannot be a month,
// "d/m/y" -> "yyyy/mm/dd"; other texts, and dates that cannot be, unchanged.
bool FormatInstalledOn(int classId, VARTYPE type, std::string_view text, std::string& decoded);

// A SID text -> "DOMAIN\account", looked up on `host`, the computer the value was read
// from (empty: the local computer); the text unchanged when that fails.
bool FormatAccountFromSid(std::string_view host, std::string_view text, std::string& decoded);
