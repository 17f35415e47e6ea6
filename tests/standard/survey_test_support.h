// What the standard check tests share: a reporter that records what the check shows, and
// a domain-controller lookup that counts its calls.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "engine/check_context.h"
#include "engine/survey_reporter.h"
#include "tests/support/recording_reporter.h"

// Counts the lookups; the computer counts as outside any domain unless `controller` is set.
struct DomainLookupRecord {
    int calls = 0;
    std::string computer;
    std::string statusAtCall;   // the progress line when the clause was built
    std::string controller;     // "\\\\NAME" makes NAME the domain controller
    const SharedText* progress = nullptr;   // the progress line of the check being watched
};

inline DomainLookupRecord& DomainLookups()
{
    static DomainLookupRecord record;
    return record;
}

inline bool CountingDomainLookup(const std::string& computer, std::string& name, std::string& address)
{
    DomainLookupRecord& record = DomainLookups();
    ++record.calls;
    record.computer = computer;
    record.statusAtCall = record.progress ? record.progress->Get() : std::string();
    if (record.controller.empty())
        return false;
    name = record.controller;
    address = "\\\\192.0.2.10";
    return true;
}
