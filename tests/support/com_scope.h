// COM for the calling test thread, for the length of a scope.
#pragma once
#include <objbase.h>

class ComScope {
public:
    explicit ComScope(DWORD model = COINIT_MULTITHREADED) : result_(CoInitializeEx(nullptr, model)) {}
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope()
    {
        if (SUCCEEDED(result_))
            CoUninitialize();
    }
    HRESULT Result() const { return result_; }

private:
    HRESULT result_;
};
