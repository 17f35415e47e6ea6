// A ping sweep of an address range: kSweepAtATime addresses are pinged at a time, each with
// echo requests of at most half a second until it answers or its time limit passes; the
// addresses that answered are kept, in address order. A stop ends the sweep within a
// second; memory does not grow with the range, only with the addresses that answer.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include <optional>

#include "discovery/address_range.h"
#include "engine/icmp_library.h"
#include "engine/check_context.h"

inline constexpr unsigned kSweepAtATime = 128;
inline constexpr DWORD kDefaultSweepLimitMs = 3000;

enum class SweepOutcome { Swept, NoLibrary, Stopped };

struct SweepSettings {
    unsigned atATime = kSweepAtATime;
    DWORD perAddressMs = kDefaultSweepLimitMs;   // each address's time limit
    std::optional<IcmpLibrary> icmp;              // empty: ICMP.DLL from the system folder
};

// Pings every address of `range`; `control` is looked at for a stop. `onProgress`
// (optional) is told of the number of addresses done so far and of those that answered,
// from the sweep's threads, one call at a time.
SweepOutcome SweepRange(const CheckContext& control, const AddressRange& range, const SweepSettings& settings,
                        std::vector<std::string>& answered,
                        const std::function<void(uint32_t done, size_t answered)>& onProgress = {});
