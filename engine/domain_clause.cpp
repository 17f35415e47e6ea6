#include "engine/domain_clause.h"

#include <windows.h>
#include <dsgetdc.h>
#include <lm.h>

#include "base/class_ids.h"
#include "base/narrow.h"
#include "base/system_library.h"
#include "base/text_util.h"
#include "engine/bounded_call.h"

namespace {

// netapi32.dll is no known DLL of the system: it comes from the system folder only.
bool LookUpDomainController(const std::string& computer, std::string& name, std::string& address)
{
    const SystemLibrary netapi(L"netapi32.dll");
    decltype(&DsGetDcNameW) getDcName = nullptr;
    decltype(&NetApiBufferFree) freeBuffer = nullptr;
    if (!netapi.Find("DsGetDcNameW", getDcName) || !netapi.Find("NetApiBufferFree", freeBuffer))
        return false;
    PDOMAIN_CONTROLLER_INFOW info = nullptr;
    if (getDcName(ToWide(computer).c_str(), nullptr, nullptr, nullptr, DS_RETURN_FLAT_NAME, &info) !=
            ERROR_SUCCESS ||
        !info)
        return false;
    name = info->DomainControllerName ? ToNarrow(info->DomainControllerName) : std::string();
    address = info->DomainControllerAddress ? ToNarrow(info->DomainControllerAddress) : std::string();
    freeBuffer(info);
    return true;
}

std::string LocalComputerName()
{
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    return GetComputerNameW(name, &size) ? ToNarrow(std::wstring_view(name, size)) : std::string();
}

std::string WithoutLeadingBackslashes(const std::string& text)
{
    return text.compare(0, 2, "\\\\") == 0 ? text.substr(2) : text;
}

// A WQL string literal: backslash and single quote are escaped with a backslash.
std::string QuotedForWql(const std::string& text)
{
    std::string quoted;
    for (char character : text) {
        if (character == '\\' || character == '\'')
            quoted += '\\';
        quoted += character;
    }
    return quoted;
}

}  // namespace

bool TakesDomainClause(int classId)
{
    return classId == ClassId::Win32_UserAccount || classId == ClassId::Win32_Group;
}

std::string BuildDomainClause(const WmiConnector& connector, const std::string& host)
{
    std::string computer = host.empty() ? LocalComputerName() : host;
    if (computer.empty())
        return {};
    std::string controllerName, controllerAddress;
    bool found = connector.lookUpDomainController
                     ? connector.lookUpDomainController(computer, controllerName, controllerAddress)
                     : LookUpDomainController(computer, controllerName, controllerAddress);
    if (found && (EqualsNoCase(computer, WithoutLeadingBackslashes(controllerName)) ||
                  EqualsNoCase(computer, WithoutLeadingBackslashes(controllerAddress))))
        return {};
    return " where Domain = '" + QuotedForWql(computer) + "'";
}

std::string BuildDomainClause(const CheckContext& check)
{
    const WmiConnector connector = check.Connector();
    const std::string host = check.Host();
    const ULONGLONG deadline = GetTickCount64() + check.Limits().queryTimeLimitMs;
    std::string clause;
    if (CallBounded(check, deadline, [connector, host] { return BuildDomainClause(connector, host); }, clause) ==
        CallWait::Done)
        return clause;
    WmiConnector unanswered = connector;
    unanswered.lookUpDomainController = [](const std::string&, std::string&, std::string&) { return false; };
    return BuildDomainClause(unanswered, host);
}
