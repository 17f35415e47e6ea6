// A computer a source found (the directory or an address range), with what the source
// said of it: the name a run checks and, from the directory, its account's facts.
#pragma once
#include <string>
#include <vector>

#include "listtools/result_model.h"

enum class FoundBy { Directory, Range };

struct FoundComputer {
    std::string name;               // the name to check: the DNS name, else the account's cn; or the address
    std::string dnsName;            // dNSHostName
    std::string operatingSystem;
    std::string osVersion;
    std::string lastLogon;          // ISO 8601 local time of lastLogonTimestamp (else pwdLastSet); empty: never
    std::string distinguishedName;  // the account's; empty for an address
};

// The list /names writes (as CSV) and the window previews: one row per computer with the
// columns computer, DNS name, operating system, version, last logon and distinguished name.
ResultModel FoundComputersModel(const std::vector<FoundComputer>& computers);
