// The DNS domain a computer names of itself in Win32_ComputerSystem, read the same way
// from a live check and from a check kept in a store.
#pragma once
#include <string>

#include "base/raw_value.h"

// The DNS domain of Win32_ComputerSystem's values: Domain names it when DomainRole says the
// computer is a member of a domain (1, 3, 4, 5) or PartOfDomain is true; otherwise it names
// the workgroup, and there is no domain. Null values count as not said.
std::string DnsDomainOf(const std::string& domain, const RawValue& domainRole, const RawValue& partOfDomain);
