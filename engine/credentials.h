// An account a check connects as, instead of the caller's own. The password goes only into
// the connection and the proxy's identity: it is never shown, logged or written, and its
// memory is wiped when the object goes.
#pragma once
#include <windows.h>

#include <objidl.h>

#include <string>

// Wide text whose characters are overwritten with zeros before its memory is freed.
class SecretText {
public:
    SecretText() = default;
    explicit SecretText(std::wstring text) : text_(std::move(text)) {}
    SecretText(const SecretText& other) : text_(other.text_) {}
    SecretText& operator=(const SecretText& other)
    {
        if (this != &other) {
            Wipe();
            text_ = other.text_;
        }
        return *this;
    }
    ~SecretText() { Wipe(); }

    bool Empty() const { return text_.empty(); }
    const wchar_t* Get() const { return text_.c_str(); }
    size_t Length() const { return text_.size(); }
    void Wipe()
    {
        SecureZeroMemory(text_.data(), text_.size() * sizeof(wchar_t));
        text_.clear();
    }

private:
    std::wstring text_;
};

struct Credentials {
    std::wstring user;       // "DOMAIN\name", "name@domain" or "name"; empty: the caller
    SecretText password;

    bool Empty() const { return user.empty(); }
    // The domain and account parts of `user` ("DOMAIN\name" gives both, others no domain).
    std::wstring Domain() const
    {
        size_t slash = user.find(L'\\');
        return slash == std::wstring::npos ? std::wstring() : user.substr(0, slash);
    }
    std::wstring Account() const
    {
        size_t slash = user.find(L'\\');
        return slash == std::wstring::npos ? user : user.substr(slash + 1);
    }
};

// The identity of a proxy that connects as another account. It keeps its own copy of the
// texts it points to, so it must live as long as the proxies it was set on.
class ProxyIdentity {
public:
    explicit ProxyIdentity(const Credentials& credentials)
        : domain_(credentials.Domain()), account_(credentials.Account()), password_(credentials.password)
    {
        identity_.User = reinterpret_cast<USHORT*>(account_.data());
        identity_.UserLength = static_cast<ULONG>(account_.size());
        identity_.Domain = reinterpret_cast<USHORT*>(domain_.data());
        identity_.DomainLength = static_cast<ULONG>(domain_.size());
        identity_.Password = reinterpret_cast<USHORT*>(const_cast<wchar_t*>(password_.Get()));
        identity_.PasswordLength = static_cast<ULONG>(password_.Length());
        identity_.Flags = SEC_WINNT_AUTH_IDENTITY_UNICODE;
    }
    ProxyIdentity(const ProxyIdentity&) = delete;
    ProxyIdentity& operator=(const ProxyIdentity&) = delete;

    COAUTHIDENTITY* Get() { return &identity_; }

private:
    std::wstring domain_;
    std::wstring account_;
    SecretText password_;
    COAUTHIDENTITY identity_{};
};
