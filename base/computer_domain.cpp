#include "base/computer_domain.h"

std::string DnsDomainOf(const std::string& domain, const RawValue& domainRole, const RawValue& partOfDomain)
{
    int64_t role = -1;
    const bool member = (domainRole.AsInteger(role) && (role == 1 || role == 3 || role == 4 || role == 5)) ||
                        (std::holds_alternative<bool>(partOfDomain.value) && std::get<bool>(partOfDomain.value));
    return member ? domain : std::string();
}
