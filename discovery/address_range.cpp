#include "discovery/address_range.h"

#include "base/text_util.h"
#include "resources/resource.h"
#include "resources/text.h"

namespace {

// Four decimal numbers of 0..255 with dots between, nothing else (no leading "+", no
// octal or hexadecimal forms inet_addr would take).
bool ReadAddress(const std::string& text, uint32_t& address)
{
    address = 0;
    size_t position = 0;
    for (int part = 0; part < 4; ++part) {
        if (part > 0) {
            if (position >= text.size() || text[position] != '.')
                return false;
            ++position;
        }
        size_t digits = 0;
        unsigned value = 0;
        while (position < text.size() && text[position] >= '0' && text[position] <= '9' && digits < 3) {
            value = value * 10 + static_cast<unsigned>(text[position] - '0');
            ++position;
            ++digits;
        }
        if (digits == 0 || value > 255)
            return false;
        address = (address << 8) | value;
    }
    return position == text.size();
}

bool ReadPrefix(const std::string& text, unsigned& prefix)
{
    if (text.empty() || text.size() > 2)
        return false;
    prefix = 0;
    for (char digit : text) {
        if (digit < '0' || digit > '9')
            return false;
        prefix = prefix * 10 + static_cast<unsigned>(digit - '0');
    }
    return prefix <= 32;
}

}  // namespace

std::string AddressText(uint32_t address)
{
    return std::to_string(address >> 24) + "." + std::to_string((address >> 16) & 0xFF) + "." +
           std::to_string((address >> 8) & 0xFF) + "." + std::to_string(address & 0xFF);
}

bool ParseAddressRange(const std::string& given, AddressRange& range, std::string& reason)
{
    const std::string text = TrimWhiteSpace(given);
    const size_t slash = text.find('/');
    const size_t dash = text.find('-');
    uint64_t count = 0;
    if (slash != std::string::npos && dash == std::string::npos) {
        unsigned prefix = 0;
        uint32_t address = 0;
        if (!ReadAddress(text.substr(0, slash), address) || !ReadPrefix(text.substr(slash + 1), prefix)) {
            reason = LoadText(IDS_RANGE_BAD) + given;
            return false;
        }
        const uint32_t mask = prefix == 0 ? 0 : 0xFFFFFFFFu << (32 - prefix);
        range.first = address & mask;
        range.last = range.first | ~mask;
        if (prefix <= 30) {   // the block's network and broadcast addresses name no computer
            ++range.first;
            --range.last;
        }
        count = static_cast<uint64_t>(range.last) - range.first + 1;
    } else if (dash != std::string::npos && slash == std::string::npos) {
        if (!ReadAddress(TrimWhiteSpace(text.substr(0, dash)), range.first) ||
            !ReadAddress(TrimWhiteSpace(text.substr(dash + 1)), range.last)) {
            reason = LoadText(IDS_RANGE_BAD) + given;
            return false;
        }
        if (range.last < range.first) {
            reason = LoadText(IDS_RANGE_REVERSED) + given;
            return false;
        }
        count = static_cast<uint64_t>(range.last) - range.first + 1;
    } else {
        reason = LoadText(IDS_RANGE_BAD) + given;
        return false;
    }
    if (count > kMaxRangeAddresses) {
        reason = FillIn(LoadText(IDS_RANGE_TOO_LARGE), std::to_string(kMaxRangeAddresses), given);
        return false;
    }
    return true;
}
