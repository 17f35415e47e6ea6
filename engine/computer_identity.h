// Which computer a check read: the name the computer itself gives to WMI
// (Win32_ComputerSystem.Name) and its DNS domain, whatever name was typed to reach it
// (a short name, a DNS name, an address). The store files every check under that name.
#pragma once
#include <string>

#include "engine/check_context.h"
#include "engine/raw_value.h"

// The DNS domain of Win32_ComputerSystem's values: Domain names it when DomainRole says the
// computer is a member of a domain (1, 3, 4, 5) or PartOfDomain is true; otherwise it names
// the workgroup, and there is no domain. Null values count as not said.
std::string DnsDomainOf(const std::string& domain, const RawValue& domainRole, const RawValue& partOfDomain);

// One small query on the check's computer after its survey: its own name and DNS domain (empty
// outside a domain: a workgroup's name is no domain), kept in the check's context. False
// when the query failed or found nothing: it then says nothing and leaves the check's
// problem as it was (the survey's own outcome stands). Nothing is asked of a stopped check.
bool ReadComputerIdentity(CheckContext& check);
