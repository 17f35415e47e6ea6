// The restriction appended to queries of account classes so that only the accounts of
// the target computer's own domain are listed.
#pragma once
#include <string>

#include "engine/check_context.h"

// " where Domain = '<computer>'" for a computer outside a domain or that is not the
// domain controller; empty on a domain controller (all accounts of the domain), or when
// the local computer's name cannot be read. Backslash and single quote in the name are
// escaped so that no name can change the query. The connector's lookup finds the
// domain controller (DsGetDcNameA when it has none).
// True for the account classes (Win32_UserAccount, Win32_Group), whose queries take the
// clause.
bool TakesDomainClause(int classId);

std::string BuildDomainClause(const WmiConnector& connector, const std::string& host);

// The same for a check: the lookup of the domain controller waits no longer than the
// check's time limit and leaves at its stop; a lookup that did not answer in time counts
// as no domain controller (the accounts of the computer's own name).
std::string BuildDomainClause(const CheckContext& check);
