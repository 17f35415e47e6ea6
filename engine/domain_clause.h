// The restriction appended to queries of account classes so that only the accounts of
// the target computer's own domain are listed.
#pragma once
#include <string>

// " where Domain = '<computer>'" for a computer outside a domain or that is not the
// domain controller; empty on a domain controller (all accounts of the domain), or when
// the local computer's name cannot be read. Backslash and single quote in the name are
// escaped so that no name can change the query.
std::string BuildDomainClause(const std::string& host);

// Seam for tests: the domain-controller lookup. Returns false when the computer's
// domain has no reachable controller; otherwise the controller's name and address.
using DomainControllerLookup = bool (*)(const std::string& computer, std::string& name,
                                        std::string& address);
void SetDomainControllerLookup(DomainControllerLookup lookup);   // nullptr: DsGetDcNameA
