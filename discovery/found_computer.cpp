#include "discovery/found_computer.h"

#include "resources/resource.h"
#include "resources/text.h"

ResultModel FoundComputersModel(const std::vector<FoundComputer>& computers)
{
    ResultModel model;
    for (UINT header : {IDS_FOUND_COMPUTER, IDS_FOUND_DNS_NAME, IDS_FOUND_OS, IDS_FOUND_OS_VERSION,
                        IDS_FOUND_LAST_LOGON, IDS_FOUND_DN})
        model.AddColumn(ResultColumn{LoadText(header)});
    LPARAM index = 0;
    for (const FoundComputer& computer : computers)
        model.AppendRow(ResultRow{{computer.name, computer.dnsName, computer.operatingSystem, computer.osVersion,
                                   computer.lastLogon, computer.distinguishedName},
                                  index++});
    return model;
}
