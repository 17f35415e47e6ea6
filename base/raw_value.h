// A WMI property value as WMI delivered it, kept beside the text the lists show, for the
// machine-readable exports and the summary of many computers: no rendering, no decoding,
// no digit grouping. Texts are UTF-8, whatever the ANSI code page.
#pragma once
#include <wtypes.h>
#include <wbemcli.h>

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

struct RawValue;
using RawArray = std::vector<RawValue>;

struct RawValue {
    // Null (also VT_EMPTY and types without a meaning here), boolean, signed and unsigned
    // integer, real number, text, array.
    std::variant<std::monostate, bool, int64_t, uint64_t, double, std::string, RawArray> value;
    // The VARIANT type WMI delivered it as (VT_BSTR, VT_I4 | VT_ARRAY...); 0 when the
    // property could not be read. Only the value as a whole has one, not array elements.
    unsigned short vartype = 0;

    bool IsNull() const { return std::holds_alternative<std::monostate>(value); }
    // The value as a whole number: integers as they are, a text of decimal digits (WMI
    // delivers 64-bit numbers as texts) read as one. False for anything else.
    bool AsInteger(int64_t& number) const;
    // The text of a text value; empty for any other.
    const std::string& Text() const;
};

// `value` as a raw value. `cimType` is the property's CIM type as WMI named it (0 when
// unknown): a 64-bit integer that arrives as text becomes a number, a uint32 that arrives
// as VT_I4 an unsigned one.
RawValue RawValueOf(const VARIANT& value, CIMTYPE cimType = 0);
