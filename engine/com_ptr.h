// Owning wrappers for COM interface pointers, BSTRs and VARIANTs, and a thread's stay in
// COM's multithreaded apartment.
#pragma once
#include <objbase.h>
#include <oleauto.h>
#include <unknwn.h>

#include <string_view>
#include <utility>

// Holds one reference to a COM interface and releases it when it goes.
template <class Interface>
class ComPtr {
public:
    ComPtr() = default;
    explicit ComPtr(Interface* adopted) : pointer_(adopted) {}
    ComPtr(const ComPtr& other) : pointer_(other.pointer_)
    {
        if (pointer_)
            pointer_->AddRef();
    }
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept
    {
        std::swap(pointer_, other.pointer_);
        return *this;
    }
    ~ComPtr() { Reset(); }

    void Reset()
    {
        if (Interface* old = std::exchange(pointer_, nullptr))
            old->Release();
    }
    // Address for an out-parameter; releases what was held before.
    Interface** Receive()
    {
        Reset();
        return &pointer_;
    }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }

    Interface* Get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

private:
    Interface* pointer_ = nullptr;
};

// A BSTR freed with SysFreeString.
class Bstr {
public:
    explicit Bstr(std::wstring_view text)
        : value_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size())))
    {
    }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { SysFreeString(value_); }

    BSTR Get() const { return value_; }
    explicit operator bool() const { return value_ != nullptr; }

private:
    BSTR value_;
};

// The calling thread in COM's multithreaded apartment for the life of the object. The
// apartment is left only when it was entered: a failed CoInitializeEx is not balanced.
class ComApartment {
public:
    ComApartment() : result_(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment()
    {
        if (SUCCEEDED(result_))
            CoUninitialize();
    }
    HRESULT Result() const { return result_; }

private:
    HRESULT result_;
};

// A VARIANT initialised on construction and cleared on destruction.
class Variant {
public:
    Variant() { VariantInit(&value_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    ~Variant() { VariantClear(&value_); }

    VARIANT* Receive()
    {
        VariantClear(&value_);
        return &value_;
    }
    const VARIANT& Get() const { return value_; }
    VARIANT& Get() { return value_; }

private:
    VARIANT value_;
};
