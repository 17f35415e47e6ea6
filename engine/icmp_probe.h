// Making sure a named computer resolves and answers an ICMP echo before a check starts.
#pragma once
#include <string>

#include "engine/check_context.h"

enum class PingResult {
    Replied,
    HostNotFound,
    NoReply,
    NoLibrary,
    OutOfMemory,
    NotResolvedInTime,   // the name servers did not answer within the check's time limit
    Stopped,
};

// Resolves the check's computer (its trimmed name, not empty) and sends up to three echo
// requests of a second each, all within the check's time limit; the check's stop ends the
// probe within a second. Names under the reserved domain "invalid" are not found without
// asking a name server. Sets `message` for HostNotFound, NoLibrary, OutOfMemory and
// NotResolvedInTime.
PingResult PingHost(const CheckContext& check, std::string& message);
