// The computer a check is filed under: the name the computer itself gave WMI
// (Win32_ComputerSystem.Name), whatever name was typed to reach it, so that one computer
// has one history whether it was checked as pc01, pc01.corp.example or by its address. A
// check that did not read that name is filed under the computer its typed name last
// reached, else under the name typed.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "db/statement_cache.h"
#include "store/stored_check.h"

inline constexpr char kComputerSystemClass[] = "Win32_ComputerSystem";

struct ReportedComputer {
    std::string name;     // empty: the values do not name the computer
    std::string domain;   // its DNS domain; empty outside a domain
};

// What the values of one Win32_ComputerSystem object (property, cell; case of the names
// ignored) say of the computer: Name, and Domain when the computer is a domain member.
ReportedComputer ReportedComputerOf(const std::vector<std::pair<std::string, const StoredCell*>>& values);

// From the check's Win32_ComputerSystem part, when it was read and names the computer:
// sets the header's computer, domain and identified. False, the header unchanged, otherwise.
bool IdentifyFromParts(StoredCheck& check);

// The key under which a typed name is looked up (case ignored); empty for this computer.
std::string TypedNameKey(const std::string& target);

// The row of the computer the check of `header` is filed under, made when new; a check not
// identified gets the name of the computer its typed name last reached, when there is one
// (header.computer is set to it), unless it is `copied` from another store, which filed it
// already. Inside the recorder's transaction; 0 on failure.
int64_t FileComputer(StatementCache& statements, StoredCheckHeader& header, bool copied = false);
