// IPv4 address ranges as a source of computers: "a.b.c.d/nn" (every address of the block,
// its network and broadcast addresses left out from /0 to /30) or "a.b.c.d-w.x.y.z" (both
// ends included), at most kMaxRangeAddresses addresses.
#pragma once
#include <cstdint>
#include <string>

inline constexpr uint32_t kMaxRangeAddresses = 65536;

struct AddressRange {
    uint32_t first = 0;   // host order
    uint32_t last = 0;    // host order, first <= last
    uint32_t Count() const { return last - first + 1; }
};

// Reads the value of /range:. False with a one-line reason for a malformed range, one that
// ends before it starts, and one of more than kMaxRangeAddresses addresses.
bool ParseAddressRange(const std::string& text, AddressRange& range, std::string& reason);

// "10.1.2.3" of an address in host order.
std::string AddressText(uint32_t address);
