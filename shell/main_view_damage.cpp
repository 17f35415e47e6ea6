// The store's soundness as the window program sees to it: SQLite's integrity check over the
// store file, in the background at most once a day and after a recording failed, and the
// messages that tell a store damaged or unable to record, with their way out.
#include "shell/main_view.h"

#include <cstdlib>

#include "base/narrow.h"
#include "base/registry_values.h"
#include "base/text_util.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "engine/wmi_session.h"
#include "store/damage_mark.h"
#include "ui/message_box.h"

namespace {

// "<seconds since 1970> <store file>" of the last verification that came to a verdict.
constexpr char kVerifiedValue[] = "StoreVerified";
constexpr int64_t kVerifyEverySeconds = 24 * 60 * 60;
constexpr unsigned kVerifyTimeoutSeconds = 30;
constexpr size_t kFindingsShown = 3;

bool VerifiedWithinADay(const std::string& settingsKey, const std::string& path, int64_t now)
{
    UniqueKey key = OpenSettingsKey(HKEY_CURRENT_USER, settingsKey);
    std::string text;
    if (settingsKey.empty() || !key || !ReadTextValue(key.Get(), kVerifiedValue, text))
        return false;
    const size_t space = text.find(' ');
    if (space == std::string::npos || text.substr(space + 1) != path)
        return false;
    const int64_t at = std::strtoll(text.substr(0, space).c_str(), nullptr, 10);
    return at <= now && now - at < kVerifyEverySeconds;
}

void NoteVerified(const std::string& settingsKey, const std::string& path, int64_t now)
{
    if (settingsKey.empty())
        return;
    if (UniqueKey key = CreateSettingsKey(HKEY_CURRENT_USER, settingsKey))
        WriteTextValue(key.Get(), kVerifiedValue, std::to_string(now) + " " + path);
}

// The check reads the whole file: at the background's priority, for the processor and the
// disk, so that a check running meanwhile is not slowed.
StoreVerdict VerifyInBackground(const StoreLocation& location)
{
    const bool lowered = SetThreadPriority(GetCurrentThread(), THREAD_MODE_BACKGROUND_BEGIN) ||
                         SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_LOWEST);
    StoreVerdict verdict = VerifyStore(location, kVerifyTimeoutSeconds);
    if (lowered)
        SetThreadPriority(GetCurrentThread(), THREAD_MODE_BACKGROUND_END);
    return verdict;
}

}  // namespace

void MainView::VerifyStoreOfTheDay()
{
    if (verifying_ || !storeChoice_->KeepChecks())
        return;
    StoreLocation location;
    // Only a file is verified: no password is needed, none is asked for.
    if (!ParseStoreLocation(storeChoice_->Settings().store, location) || location.kind != StoreLocation::Kind::File ||
        GetFileAttributesW(ToWide(location.path).c_str()) == INVALID_FILE_ATTRIBUTES)
        return;
    if (VerifiedWithinADay(settingsKey_, location.path, CheckTime::Now().epoch))
        return;
    StartVerifying(location, {});
}

void MainView::OnRecordingFailed(const std::string& why)
{
    if (storeProblemTold_)
        return;
    StoreLocation location;
    if (ParseStoreLocation(storeChoice_->Settings().store, location) && location.kind == StoreLocation::Kind::File &&
        GetFileAttributesW(ToWide(location.path).c_str()) != INVALID_FILE_ATTRIBUTES) {
        if (!verifying_)
            StartVerifying(location, why);
        return;
    }
    OfferOtherStore(why);
}

void MainView::StartVerifying(const StoreLocation& location, const std::string& failure)
{
    verifying_ = true;
    const bool started = ui::RunInBackground(hwnd_, [this, location, failure]() -> ui::Continuation {
        StoreVerdict verdict = VerifyInBackground(location);
        return [this, location, failure, verdict] { OnStoreVerified(location, verdict, failure); };
    });
    if (!started) {
        verifying_ = false;
        if (!failure.empty())
            OfferOtherStore(failure);
    }
}

void MainView::OnStoreVerified(const StoreLocation& location, const StoreVerdict& verdict, const std::string& failure)
{
    verifying_ = false;
    if (verdict.soundness != StoreSoundness::NotVerified)
        NoteVerified(settingsKey_, location.path, CheckTime::Now().epoch);
    if (verdict.soundness == StoreSoundness::Damaged)
        OfferWayOutOfDamage(location, verdict);
    else if (!failure.empty())
        OfferOtherStore(failure);
}

void MainView::OfferWayOutOfDamage(const StoreLocation& location, const StoreVerdict& verdict)
{
    if (storeProblemTold_)
        return;
    storeProblemTold_ = true;
    std::string findings;
    for (size_t i = 0; i < verdict.damage.size() && i < kFindingsShown; ++i)
        findings += (i ? "\n" : "") + verdict.damage[i];
    if (verdict.damage.size() > kFindingsShown)
        findings += "\n...";
    const std::string text = FillIn(LoadText(IDS_WINDOW_STORE_DAMAGED), location.path, findings);
    switch (ui::ShowMessageBox(GetParent(hwnd_), text, MB_ICONEXCLAMATION | MB_YESNOCANCEL)) {
    case IDYES:
        MoveDamagedStoreAside(location);
        break;
    case IDNO:
        OpenOptions();
        storeProblemTold_ = false;
        break;
    default:
        break;
    }
}

void MainView::OfferOtherStore(const std::string& why)
{
    if (storeProblemTold_)
        return;
    storeProblemTold_ = true;
    const std::string text = FillIn(LoadText(IDS_WINDOW_STORE_CANNOT_RECORD), storeChoice_->Describe(), why);
    if (ui::ShowMessageBox(GetParent(hwnd_), text, MB_ICONEXCLAMATION | MB_YESNO) == IDYES) {
        OpenOptions();
        storeProblemTold_ = false;
    }
}

void MainView::MoveDamagedStoreAside(const StoreLocation& location)
{
    // The writer closes the store it keeps open first: a file in use cannot be moved.
    const std::string path = location.path;
    keeper_->CloseStoreThen(hwnd_, [this, path]() -> ui::Continuation {
        std::string movedTo;
        unsigned long error = ERROR_SUCCESS;
        const bool moved = MoveStoreAside(path, movedTo, error);
        return [this, path, movedTo, moved, error] {
            if (moved) {
                storeProblemTold_ = false;
                ui::ShowMessageBox(GetParent(hwnd_), FillIn(LoadText(IDS_WINDOW_STORE_MOVED), movedTo, path),
                                   MB_ICONINFORMATION | MB_OK);
                return;
            }
            ui::ShowMessageBox(GetParent(hwnd_), FillIn(LoadText(IDS_WINDOW_STORE_NOT_MOVED), SystemErrorText(static_cast<HRESULT>(error))),
                               MB_ICONEXCLAMATION | MB_OK);
        };
    });
}
