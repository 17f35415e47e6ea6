#include "engine/domain_clause.h"

#include <windows.h>
#include <dsgetdc.h>
#include <lm.h>

#include "base/class_ids.h"
#include "base/narrow.h"
#include "base/text_util.h"

namespace {

bool LookUpDomainController(const std::string& computer, std::string& name, std::string& address)
{
    PDOMAIN_CONTROLLER_INFOW info = nullptr;
    if (DsGetDcNameW(ToWide(computer).c_str(), nullptr, nullptr, nullptr, DS_RETURN_FLAT_NAME, &info) !=
            ERROR_SUCCESS ||
        !info)
        return false;
    name = info->DomainControllerName ? ToNarrow(info->DomainControllerName) : std::string();
    address = info->DomainControllerAddress ? ToNarrow(info->DomainControllerAddress) : std::string();
    NetApiBufferFree(info);
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
