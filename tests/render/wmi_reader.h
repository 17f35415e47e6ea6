// Reads property values of the local computer's real WMI objects (root\cimv2) for the
// decoder tests: each value with its VARIANT type and its text.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct WmiValue {
    VARTYPE type = VT_EMPTY;
    std::string text;  // scalar integers, strings and booleans; empty for other types
};

class WmiReader {
public:
    WmiReader();
    ~WmiReader();
    WmiReader(const WmiReader&) = delete;
    WmiReader& operator=(const WmiReader&) = delete;

    // The failure of setting up COM or connecting, 0 (S_OK) when connected.
    HRESULT Status() const { return status_; }

    // The values of `property` of every object of `className`; empty values are left out.
    std::vector<WmiValue> Read(const wchar_t* className, const wchar_t* property);

private:
    HRESULT status_ = E_FAIL;
    bool comInitialised_ = false;
    struct IWbemServices* services_ = nullptr;
};
