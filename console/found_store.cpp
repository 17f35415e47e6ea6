#include "console/found_store.h"

#include <unordered_set>

#include "base/narrow.h"
#include "base/text_util.h"
#include "console/store_recording.h"
#include "individual/class_catalog.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "store/inventory_store.h"
#include "store/object_identity.h"
#include "storetools/found_coverage.h"

namespace {

std::unique_ptr<InventoryStore> OpenStore(const ReportOptions& options, MessageSink& messages)
{
    std::string message;
    StoreOpenFailure failure = StoreOpenFailure::None;
    std::unique_ptr<InventoryStore> store =
        InventoryStore::Open(StoreLocationOf(options), StoreAccess::Record, options.timeoutSeconds, message, failure);
    if (!store)
        messages.ShowMessage(message, MB_ICONEXCLAMATION);
    return store;
}

}  // namespace

std::string FoundSourceText(const ReportOptions& options)
{
    std::string text;
    if (options.directory) {
        const DirectorySource& source = options.directorySource;
        text = source.server.empty() ? std::string("LDAP://") : source.Text();
        if (source.activeDays > 0)
            text += " /active:" + std::to_string(source.activeDays);
        if (!source.osPattern.empty())
            text += " /os:" + ToNarrow(source.osPattern);
    }
    if (options.range) {
        if (!text.empty())
            text += " ";
        text += "/range:" + AddressText(options.addressRange.first) + "-" + AddressText(options.addressRange.last);
    }
    return text;
}

ExitCode RecordFound(const ReportOptions& options, const std::vector<FoundComputer>& found, MessageSink& messages)
{
    if (!options.store || found.empty())
        return ExitCode::Success;
    std::unique_ptr<InventoryStore> store = OpenStore(options, messages);
    if (!store)
        return ExitCode::FileError;
    if (RecordFoundComputers(store->Db(), FoundSourceText(options), found, CheckTime::Now()))
        return ExitCode::Success;
    messages.ShowMessage(store->FailureMessage(), MB_ICONEXCLAMATION);
    return ExitCode::FileError;
}

ExitCode LeaveOutFresh(ReportOptions& options, MessageSink& messages, bool quiet)
{
    if (options.freshHours <= 0 || options.computers.empty())
        return ExitCode::Success;
    std::unique_ptr<InventoryStore> store = OpenStore(options, messages);
    if (!store)
        return ExitCode::FileError;
    const ClassCatalogEntry* entry = FindClass(options.classId);
    const std::string kind = options.command == ReportCommand::ClassCheck && entry ? entry->className : kStandardKind;
    std::unordered_set<std::string> fresh;
    if (!RecentlyCheckedKeys(store->Db(), kind, CheckTime::Now().epoch - options.freshHours * 3600LL, fresh)) {
        messages.ShowMessage(store->FailureMessage(), MB_ICONEXCLAMATION);
        return ExitCode::FileError;
    }
    std::vector<std::string> left;
    for (std::string& computer : options.computers)
        if (!fresh.count(IdentityMatchKey(computer)))
            left.push_back(std::move(computer));
    const size_t skipped = options.computers.size() - left.size();
    options.computers = std::move(left);
    if (!quiet && skipped > 0)
        messages.ShowMessage(FillIn(LoadText(IDS_REPORT_FRESH_SKIPPED), std::to_string(skipped),
                                    std::to_string(options.freshHours)),
                             MB_ICONINFORMATION);
    return ExitCode::Success;
}
