// Reads property values of the local computer's real WMI objects (root\cimv2) for the
// decoder tests: each value with its VARIANT type and its text.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/com_scope.h"

struct WmiValue {
    VARTYPE type = VT_EMPTY;
    std::string text;  // scalar integers, strings and booleans; empty for other types
};

class WmiReader {
public:
    // The failure of setting up COM, 0 (S_OK) when it is ready.
    HRESULT Status() const { return FAILED(com_.Result()) ? com_.Result() : S_OK; }

    // The values of `property` of every object of `className`; empty values are left out.
    std::vector<WmiValue> Read(const wchar_t* className, const wchar_t* property);

private:
    ComScope com_;
};
