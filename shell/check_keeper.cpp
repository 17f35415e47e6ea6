#include "shell/check_keeper.h"

#include "base/text_util.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "ui/background_task.h"
#include "ui/message_box.h"

namespace {

constexpr unsigned kWindowStoreTimeoutSeconds = 30;

}  // namespace

std::unique_ptr<InventoryStore> OpenWindowStore(const StoreLocation& location, StoreAccess access, std::string& message)
{
    StoreOpenFailure failure = StoreOpenFailure::None;
    return InventoryStore::Open(location, access, kWindowStoreTimeoutSeconds, message, failure);
}

CheckKeeper::CheckKeeper()
    : queue_([](const StoreLocation& location, std::string& message) {
          return OpenWindowStore(location, StoreAccess::Record, message);
      })
{
}

void CheckKeeper::Keep(const StoreLocation& location, StoredCheck check, HWND window, Told told)
{
    auto kept = std::make_shared<StoredCheck>(std::move(check));
    queue_.Post(location, kept, [window, kept, told = std::move(told)](StoredCheck&, const RecordOutcome& outcome) {
        if (told)
            ui::PostContinuation(window, [told, kept, outcome] { told(*kept, outcome); });
    });
}

void CheckKeeper::CloseStoreThen(HWND window, std::function<ui::Continuation()> work)
{
    queue_.CloseStoreThen([window, work = std::move(work)] {
        if (ui::Continuation continuation = work())
            ui::PostContinuation(window, std::move(continuation));
    });
}

std::vector<std::string> CheckKeeper::End()
{
    std::vector<std::string> computers;
    for (const auto& check : queue_.End(abandon_ ? kAbandonWait : RecordQueue::kEndWait))
        computers.push_back(check->header.target.empty() ? check->header.computer : check->header.target);
    return computers;
}

void TellChecksNotRecorded(const std::vector<std::string>& computers)
{
    if (computers.empty())
        return;
    std::string list;
    for (const std::string& computer : computers)
        list += (list.empty() ? "" : "\n") + (computer.empty() ? std::string(".") : computer);
    ui::ShowMessageBox(nullptr, FillIn(LoadText(IDS_RECORDS_LOST_AT_END), list), MB_ICONEXCLAMATION | MB_OK);
}
