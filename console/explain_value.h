// What the program shows for one value of one property of one class: the answer to
// "mirelrep /explain:<class>.<property>=<value> [/vt:<type>]", for administrators who
// read raw WMI output elsewhere.
#pragma once
#include <wtypes.h>

#include <string>

struct ExplainRequest {
    int classId = 0;
    const wchar_t* propertyName = nullptr;   // as the class catalog spells it
    std::string value;                       // the raw value text
    VARTYPE type = VT_EMPTY;                 // VARIANT type of the value
    bool typeGiven = false;
};

// Parses "<class>.<property>=<value>" (class by name or identifier; the value may hold
// any text, "=" and "." included). False with a one-line reason otherwise.
bool ParseExplainTarget(const std::string& argument, ExplainRequest& request, std::string& reason);

// Parses a VARIANT type number (decimal, or hexadecimal with 0x). False with a reason.
bool ParseValueType(const std::string& text, VARTYPE& type, std::string& reason);

// The type of a value given without one: VT_I4 for a decimal integer that a 32-bit
// value holds, VT_BSTR for any other text (as WMI delivers 64-bit numbers).
VARTYPE DefaultValueType(const std::string& value);

// False with a one-line reason when the request gives a numeric type (VT_I1 to VT_UINT,
// VT_R4, VT_R8; an array type counts by its element type) and the value is no number
// that this type holds.
bool CheckExplainedType(const ExplainRequest& request, std::string& reason);

// The text the lists show for the value. With a numeric type given, the value becomes a
// VARIANT of that type and is rendered as a value read from WMI (a real64 of 1e300 shows
// all its digits); otherwise the text goes through DecodePropertyValue with the request's
// class, property and type. An array type explains one element of that array.
std::string ExplainValue(const ExplainRequest& request);
