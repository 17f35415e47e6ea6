// Turning the rendered text of a WMI property into what the user sees: trimming,
// decoding coded values by property name (and class), and digit grouping.
#pragma once
#include <wtypes.h>

#include <string>
#include <string_view>

// The text to show for `text`, the rendered value of property `propertyName` of an
// object of class `classId`, whose VARIANT type (the element type for array elements)
// is `type`, read from `host` (empty: the local computer; account names are looked up
// there). Never fails: at worst it returns the trimmed text.
std::string DecodePropertyValue(int classId, VARTYPE type, const wchar_t* propertyName,
                                std::string text, std::string_view host = {});

// True when the property's values are shown with digit grouping whatever their type.
bool IsNumericPropertyName(std::string_view name);

// True for the VARIANT integer types VT_I1..VT_UINT (not VT_BOOL, VT_BSTR, VT_R4...).
bool IsIntegerVarType(VARTYPE type);

// "1234567" -> "1,234,567"; "-1234567.891" -> "-1,234,567.891"; other texts unchanged.
std::string GroupDigits(std::string_view text);
