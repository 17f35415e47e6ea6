#include "base/this_computer.h"

#include <windows.h>

#include <algorithm>

#include "base/narrow.h"
#include "base/text_util.h"

namespace {

std::string ComputerNameOfFormat(COMPUTER_NAME_FORMAT format)
{
    wchar_t name[256] = {};
    DWORD size = sizeof name / sizeof name[0];
    return GetComputerNameExW(format, name, &size) ? ToNarrow(name) : std::string();
}

}  // namespace

std::vector<std::string> NamesOfThisComputer()
{
    std::vector<std::string> names = {".", "localhost"};
    for (COMPUTER_NAME_FORMAT format : {ComputerNameNetBIOS, ComputerNameDnsHostname, ComputerNameDnsFullyQualified}) {
        std::string own = ComputerNameOfFormat(format);
        if (!own.empty())
            names.push_back(std::move(own));
    }
    return names;
}

bool NamesThisComputer(const std::string& name, const std::vector<std::string>& ownNames)
{
    return name.empty() || std::any_of(ownNames.begin(), ownNames.end(),
                                       [&](const std::string& own) { return EqualsNoCase(name, own); });
}

std::string ThisComputerName()
{
    return ComputerNameOfFormat(ComputerNameNetBIOS);
}

std::string RealComputerName(const std::string& target)
{
    if (NamesThisComputer(target, NamesOfThisComputer())) {
        std::string own = ThisComputerName();
        if (!own.empty())
            return own;
    }
    return target.empty() ? "." : target;
}
