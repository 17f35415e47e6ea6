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

// The text the lists show for the value (DecodePropertyValue with the request's class,
// property and type; the element type is used for an array type).
std::string ExplainValue(const ExplainRequest& request);
