#include "discovery/ldap_library.h"

LdapLibrary LoadLdapLibrary()
{
    LdapLibrary library;
    auto module = std::make_shared<const SystemLibrary>(L"wldap32.dll");
    if (!module->IsLoaded())
        return library;
    const bool complete =
        module->Find("ldap_initW", library.Init) && module->Find("ldap_sslinitW", library.SslInit) &&
        module->Find("ldap_set_optionW", library.SetOption) && module->Find("ldap_start_tls_sW", library.StartTls) &&
        module->Find("ldap_simple_bind_sW", library.SimpleBind) && module->Find("ldap_bind_sW", library.Bind) &&
        module->Find("ldap_unbind", library.Unbind) && module->Find("ldap_search_extW", library.SearchExt) &&
        module->Find("ldap_result", library.Result) && module->Find("ldap_abandon", library.Abandon) &&
        module->Find("ldap_msgfree", library.MessageFree) && module->Find("ldap_parse_resultW", library.ParseResult) &&
        module->Find("ldap_controls_freeW", library.ControlsFree) &&
        module->Find("ldap_control_freeW", library.ControlFree) &&
        module->Find("ldap_create_page_controlW", library.CreatePageControl) &&
        module->Find("ldap_parse_page_controlW", library.ParsePageControl) &&
        module->Find("ber_bvfree", library.BerValueFree) && module->Find("ldap_first_entry", library.FirstEntry) &&
        module->Find("ldap_next_entry", library.NextEntry) && module->Find("ldap_get_valuesW", library.GetValues) &&
        module->Find("ldap_value_freeW", library.ValueFree) && module->Find("ldap_get_dnW", library.GetDn) &&
        module->Find("ldap_memfreeW", library.MemFree) && module->Find("ldap_err2stringW", library.ErrorText);
    if (complete)
        library.module = std::move(module);
    return library;
}
