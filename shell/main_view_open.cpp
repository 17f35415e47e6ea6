// File > Open...: a check saved as JSON by mirelrep (run on another computer, sent by mail)
// read off the window's thread, shown as a stored check, and added to the store when the
// user says so; File > Options....
#include "shell/main_view.h"

#include "base/text_util.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "shell/app_windows.h"
#include "shell/store_options.h"
#include "storetools/check_import.h"
#include "ui/background_task.h"
#include "ui/message_box.h"
#include "ui/open_dialog.h"

namespace {

// "check.json" of "C:\\mail\\check.json".
std::string FileNameOf(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

void MainView::OpenCheckFile()
{
    std::string path;
    if (ui::AskOpenFileName(GetParent(hwnd_), LoadText(IDS_FILTER_JSON), path))
        OpenCheckFile(path);
}

bool MainView::OpenCheckFile(const std::string& path)
{
    ShowStatusText(LoadText(IDS_PREPARING));
    return ui::RunInBackground(hwnd_, [this, path]() -> ui::Continuation {
        auto check = std::make_shared<StoredCheck>();
        std::string message;
        const bool read = ReadCheckFile(path, *check, message);
        return [this, check, read, message, path] {
            ShowStatusText(LoadText(IDS_READY));
            const HWND owner = GetParent(hwnd_);
            if (!read) {
                ui::ShowMessageBox(owner, message, MB_ICONEXCLAMATION | MB_OK);
                return;
            }
            if (!ShowStoredCheck(check, FileNameOf(path)) || !storeChoice_->KeepChecks())
                return;
            const std::string question =
                FillIn(LoadText(IDS_OPEN_ADD_TO_STORE),
                       {check->header.computer, StoredLabelTime(check->header), storeChoice_->Describe()});
            if (ui::ShowMessageBox(owner, question, MB_ICONQUESTION | MB_YESNO) != IDYES)
                return;
            if (CheckSink sink = SinkForChecks(true))
                sink(*check);
        };
    });
}

void MainView::OpenOptions()
{
    StoreOptionsDialog dialog(*storeChoice_);
    dialog.RunModal(GetParent(hwnd_));
}
