// Reading the enabled computer accounts of a directory: the server and subtree of a
// DirectorySource (or this computer's domain), in pages of at most kDirectoryPageSize
// entries so that Active Directory's per-page limit never cuts the list short, over TLS
// where the server offers it, in two halves on two connections at once. The read runs on
// threads of its own: the caller's check stops it within a second and its time limit
// bounds it whole.
#pragma once
#include <string>
#include <vector>

#include "discovery/directory_source.h"
#include "discovery/found_computer.h"
#include "engine/check_context.h"

inline constexpr unsigned kDirectoryPageSize = 1000;

enum class DirectoryOutcome { Read, Failed, Stopped, TimedOut };

struct DirectoryRead {
    std::string serverText;                // "LDAP://server:port/base" as read
    std::vector<FoundComputer> computers;  // in the order of their names
    std::vector<std::string> notices;      // things to tell: no TLS, accounts left out for their names
    size_t refused = 0;                    // accounts left out because their name cannot be a computer's
    std::string message;                   // Failed, TimedOut: why
    bool unreachable = false;              // Failed: no server found or reached (rather than refused)
};

// Reads the computers of `source` within `check`'s time limit; Stopped when the check is
// stopped first. The password of the source's credentials goes only into the bind.
DirectoryOutcome ReadDirectory(const CheckContext& check, const DirectorySource& source, DirectoryRead& read);
