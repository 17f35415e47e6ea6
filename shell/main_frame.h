// The main frame: caption "Mirel", menu bar, toolbar, status bar (message, CAP, NUM,
// SCRL), the appearance styles, and the main view filling the rest. It routes commands
// to the view, keeps menu items and toolbar buttons enabled as the view says, shows
// command prompts while a menu item is highlighted, and guards closing during a check.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "appearance/appearance_settings.h"
#include "appearance/appearance_styles.h"
#include "base/handles.h"
#include "shell/help_window.h"
#include "shell/layout_settings.h"
#include "shell/main_view.h"
#include "ui/image_list.h"
#include "ui/message_loop.h"
#include "ui/status_bar.h"
#include "ui/tool_bar.h"
#include "ui/window_base.h"

class VisualManager;

class MainFrame : public ui::WindowBase, public ui::MessageFilter {
public:
    static constexpr const char* kClassName = "MirelMainFrame";

    // `settingsKey`: where the layout is kept between sessions (under HKEY_CURRENT_USER).
    explicit MainFrame(std::string settingsKey = kMirelSettingsKey);
    ~MainFrame() override;

    // Creates the frame with its menu, placed as it was left, still hidden; false when it
    // fails.
    bool CreateFrame();
    // Creates the bars and the main view in the frame, laid out as they were left; false
    // when any of them fails. The frame may be shown before (the common controls loaded
    // after it): the view appears when it is complete.
    bool CreateView();

    // How to show the frame first: maximised when it was so at the last close and the
    // caller asks for the normal show command.
    int InitialShowCommand(int requested) const;

    // Idle-time work: toolbar buttons and the lock-key indicators follow the state.
    void UpdateIdleState();

    MainView& View() { return *view_; }
    const ui::ToolBar& Toolbar() const { return toolbar_; }
    const ui::StatusBar& Status() const { return statusBar_; }
    HMENU MenuBar() const { return GetMenu(hwnd_); }
    int CurrentLook() const { return look_; }
    void OnApplicationLook(int lookId);
    // Help > Help Topics (also F1): the help window, once it was opened; null before.
    const HelpWindow* Help() const { return help_.get(); }
    // The status bar's pane that says where the shown results come from.
    std::string WhereText() const { return whereText_; }
    // The smallest size the user can give the frame (WM_GETMINMAXINFO), at its dpi.
    SIZE MinimumSize() const;
    // Runs a menu or toolbar command as if the user chose it.
    void RunCommand(int command);
    // The close guard: true when the frame may close now. During a check (of the main
    // view or of the window that checks several computers) the user is asked; Yes stops
    // the checks, and the frame closes (saving its layout as on any quit) at once when
    // they have ended, or when the main view's check has ended.
    bool ConfirmClose();

    bool PreTranslateMessage(MSG& message) override;

protected:
    bool OnCreate(const CREATESTRUCTW& create) override;
    void OnSize(UINT type, int width, int height) override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;
    bool OnClose() override;
    void OnDestroy() override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool CreateBars();
    void UpdateMenuPopup(HMENU popup);
    void ShowMenuPrompt(UINT command, UINT flags);
    void ToggleBar(const ui::Window& bar);
    void PlaceProgressBar(int messagePaneRight);
    void LayoutStatusPanes(int width);
    // CAP, NUM and SCRL in the status bar as the keyboard has them.
    void UpdateLockIndicators();
    // The view's rectangle in a client area of `width` x `height`: between the bars.
    RECT ViewPlace(int width, int height) const;
    void PlaceView(int width, int height);
    void ShowWhere(const std::string& text);
    void RestorePlacement();
    void RestoreViewLayout();
    void OpenHelp();
    void SaveLayout() const;
    void RememberOrRestoreFocus(bool active);
    std::string ToolTipOf(int command) const;

    std::string settingsKey_;
    bool startMaximized_ = false;
    StoredLayout storedLayout_;   // as read when the frame was made; the view takes its part
    std::unique_ptr<MainView> view_;
    std::unique_ptr<HelpWindow> help_;
    std::unique_ptr<VisualManager> visuals_;
    ui::ToolBar toolbar_;
    ui::StatusBar statusBar_;
    ui::ImageList toolbarImages_;
    HWND progressBar_ = nullptr;   // a child of the status bar, which destroys it
    UniqueIcon smallIcon_;
    std::wstring toolTipText_;
    int look_ = kDefaultLook;
    std::string lockIndicators_;
    std::string whereText_;
    HWND lastFocus_ = nullptr;
};
