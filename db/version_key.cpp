#include "db/version_key.h"

#include <cctype>

std::string VersionKey(std::string_view version)
{
    constexpr size_t kDigits = 20;
    std::string key;
    for (size_t at = 0; at < version.size();) {
        size_t end = at;
        const bool digits = std::isdigit(static_cast<unsigned char>(version[at])) != 0;
        while (end < version.size() && (std::isdigit(static_cast<unsigned char>(version[end])) != 0) == digits)
            ++end;
        std::string_view run = version.substr(at, end - at);
        if (digits) {
            // As PostgreSQL's lpad: shorter runs padded with zeros, longer ones cut.
            key.append(run.size() < kDigits ? kDigits - run.size() : 0, '0');
            key.append(run.substr(0, kDigits));
        } else {
            for (char character : run)
                key += static_cast<char>(std::tolower(static_cast<unsigned char>(character)));
        }
        at = end;
    }
    return key;
}
