// The functions of the Windows LDAP client (wldap32.dll), taken at run time from the
// system folder only: wldap32 is not one of the system's known DLLs, so a DLL of that name
// beside the program would otherwise be loaded first. Wide functions only.
#pragma once
#include <windows.h>
#include <winldap.h>

#include <memory>

#include "base/system_library.h"

struct LdapLibrary {
    std::shared_ptr<const SystemLibrary> module;   // keeps the DLL loaded while the entries serve
    decltype(&::ldap_initW) Init = nullptr;
    decltype(&::ldap_sslinitW) SslInit = nullptr;
    decltype(&::ldap_set_optionW) SetOption = nullptr;
    decltype(&::ldap_start_tls_sW) StartTls = nullptr;
    decltype(&::ldap_simple_bind_sW) SimpleBind = nullptr;
    decltype(&::ldap_bind_sW) Bind = nullptr;
    decltype(&::ldap_unbind) Unbind = nullptr;
    decltype(&::ldap_search_extW) SearchExt = nullptr;
    decltype(&::ldap_result) Result = nullptr;
    decltype(&::ldap_abandon) Abandon = nullptr;
    decltype(&::ldap_msgfree) MessageFree = nullptr;
    decltype(&::ldap_parse_resultW) ParseResult = nullptr;
    decltype(&::ldap_controls_freeW) ControlsFree = nullptr;
    decltype(&::ldap_control_freeW) ControlFree = nullptr;
    decltype(&::ldap_create_page_controlW) CreatePageControl = nullptr;
    decltype(&::ldap_parse_page_controlW) ParsePageControl = nullptr;
    decltype(&::ber_bvfree) BerValueFree = nullptr;
    decltype(&::ldap_first_entry) FirstEntry = nullptr;
    decltype(&::ldap_next_entry) NextEntry = nullptr;
    decltype(&::ldap_get_valuesW) GetValues = nullptr;
    decltype(&::ldap_value_freeW) ValueFree = nullptr;
    decltype(&::ldap_get_dnW) GetDn = nullptr;
    decltype(&::ldap_memfreeW) MemFree = nullptr;
    decltype(&::ldap_err2stringW) ErrorText = nullptr;

    bool IsComplete() const { return module != nullptr; }
};

// wldap32.dll from the system folder with every entry above; incomplete (no module) when
// the DLL cannot be loaded or lacks one of them.
LdapLibrary LoadLdapLibrary();

// The owners of what the LDAP client hands out.
class LdapConnection {
public:
    LdapConnection(const LdapLibrary& library, LDAP* connection) : library_(library), connection_(connection) {}
    LdapConnection(const LdapConnection&) = delete;
    LdapConnection& operator=(const LdapConnection&) = delete;
    ~LdapConnection()
    {
        if (connection_)
            library_.Unbind(connection_);
    }
    LDAP* Get() const { return connection_; }
    explicit operator bool() const { return connection_ != nullptr; }

private:
    const LdapLibrary& library_;
    LDAP* connection_;
};

class LdapMessage {
public:
    explicit LdapMessage(const LdapLibrary& library) : library_(library) {}
    LdapMessage(const LdapMessage&) = delete;
    LdapMessage& operator=(const LdapMessage&) = delete;
    ~LdapMessage() { Reset(); }
    LDAPMessage* Get() const { return message_; }
    LDAPMessage** Receive()
    {
        Reset();
        return &message_;
    }
    void Reset()
    {
        if (message_)
            library_.MessageFree(message_);
        message_ = nullptr;
    }

private:
    const LdapLibrary& library_;
    LDAPMessage* message_ = nullptr;
};
