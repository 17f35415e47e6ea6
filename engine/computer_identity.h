// Which computer a check read: the name the computer itself gives to WMI
// (Win32_ComputerSystem.Name) and its DNS domain, whatever name was typed to reach it
// (a short name, a DNS name, an address). The store files every check under that name.
#pragma once
#include <string>

#include "engine/check_context.h"

// One small query on the check's computer after its survey: its own name and DNS domain (empty
// outside a domain: a workgroup's name is no domain), kept in the check's context. False
// when the query failed or found nothing: it then says nothing and leaves the check's
// problem as it was (the survey's own outcome stands). Nothing is asked of a stopped check.
bool ReadComputerIdentity(CheckContext& check);
