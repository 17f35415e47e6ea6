// A raw value as the store keeps it in a text column beside its kind, so that SQLite and
// PostgreSQL hold it alike and it comes back as the same value: numbers in decimal (a real
// number in the shortest text that reads back the same), texts as they are, arrays as JSON.
#pragma once
#include <string>

#include "base/raw_value.h"

enum class RawKind { Null = 0, Boolean = 1, Signed = 2, Unsigned = 3, Real = 4, Text = 5, Array = 6 };

struct RawCellText {
    RawKind kind = RawKind::Null;
    std::string text;   // empty for null
};

RawCellText EncodeRaw(const RawValue& value);
// The value of a stored kind and text (the VARIANT type is kept apart); null for a kind
// this program does not know or a text that does not read as its kind.
RawValue DecodeRaw(int kind, std::string text, unsigned short vartype);
