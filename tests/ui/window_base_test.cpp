#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/narrow.h"
#include "tests/ui/ui_test_util.h"
#include "ui/window_base.h"

namespace {

constexpr const char* kRecorderClass = "MirelTestRecorder";

// Records what reaches each typed hook.
class Recorder : public ui::WindowBase {
public:
    explicit Recorder(std::vector<std::string>* log = nullptr) : log_(log) {}

    bool CreateHidden(HWND parent = nullptr)
    {
        RegisterWindowClass(kRecorderClass);
        RECT rect{0, 0, 200, 100};
        return Create(kRecorderClass, "recorder", parent ? WS_CHILD : WS_OVERLAPPEDWINDOW, 0, rect, parent);
    }

    bool acceptCreate = true;
    bool throwOnCommand = false;
    std::string createdTitle;
    SIZE lastSize{-1, -1};
    int commandId = 0, commandCode = 0;
    HWND commandControl = nullptr;
    UINT_PTR timerId = 0;

protected:
    bool OnCreate(const CREATESTRUCTW& create) override
    {
        createdTitle = ToNarrow(create.lpszName);
        Log("create");
        return acceptCreate;
    }
    void OnSize(UINT, int width, int height) override { lastSize = {width, height}; }
    bool OnCommand(int id, int code, HWND control) override
    {
        if (throwOnCommand)
            throw std::runtime_error("command failed");
        commandId = id;
        commandCode = code;
        commandControl = control;
        return true;
    }
    bool OnNotify(NMHDR* header, LRESULT& result) override
    {
        result = static_cast<LRESULT>(header->code) * 2;
        return true;
    }
    void OnTimer(UINT_PTR id) override { timerId = id; }
    void OnDestroy() override { Log("destroy"); }

private:
    void Log(const char* what)
    {
        if (log_)
            log_->push_back(what);
    }
    std::vector<std::string>* log_;
};

TEST(WindowBase, RoutesMessagesToTypedHooks)
{
    uitest::EnsureCommonControls();
    Recorder window;
    ASSERT_TRUE(window.CreateHidden());
    EXPECT_EQ(window.createdTitle, "recorder");

    window.Move(0, 0, 300, 200);
    RECT client = window.ClientRect();
    EXPECT_EQ(window.lastSize.cx, client.right);
    EXPECT_EQ(window.lastSize.cy, client.bottom);

    HWND fakeControl = reinterpret_cast<HWND>(0x1234);
    window.SendMsg(WM_COMMAND, MAKEWPARAM(57603, BN_CLICKED), reinterpret_cast<LPARAM>(fakeControl));
    EXPECT_EQ(window.commandId, 57603);
    EXPECT_EQ(window.commandCode, BN_CLICKED);
    EXPECT_EQ(window.commandControl, fakeControl);

    NMHDR header{window.Handle(), 5, 21};
    EXPECT_EQ(window.SendMsg(WM_NOTIFY, 5, reinterpret_cast<LPARAM>(&header)), 42);

    window.SendMsg(WM_TIMER, 77);
    EXPECT_EQ(window.timerId, 77u);

    // What no hook takes goes to DefWindowProc: the window keeps its text.
    EXPECT_TRUE(window.SetText("Mirel"));
    EXPECT_EQ(window.Text(), "Mirel");
}

TEST(WindowBase, ForgetsTheWindowAtDestruction)
{
    std::vector<std::string> log;
    Recorder window(&log);
    ASSERT_TRUE(window.CreateHidden());
    HWND handle = window.Handle();
    ASSERT_TRUE(IsWindow(handle));

    DestroyWindow(handle);
    EXPECT_EQ(window.Handle(), nullptr);
    EXPECT_FALSE(window.IsValid());
    EXPECT_EQ(log, (std::vector<std::string>{"create", "destroy"}));
}

TEST(WindowBase, DestroyingTheObjectDestroysTheWindowWithoutCallingBack)
{
    std::vector<std::string> log;
    auto window = std::make_unique<Recorder>(&log);
    ASSERT_TRUE(window->CreateHidden());
    HWND handle = window->Handle();

    window.reset();
    EXPECT_FALSE(IsWindow(handle));
    // OnDestroy belongs to the object already gone; it must not run.
    EXPECT_EQ(log, (std::vector<std::string>{"create"}));
}

TEST(WindowBase, ChildrenOfOurClassGoWithTheirParent)
{
    Recorder parent;
    ASSERT_TRUE(parent.CreateHidden());
    Recorder child;
    ASSERT_TRUE(child.CreateHidden(parent.Handle()));
    EXPECT_EQ(GetParent(child.Handle()), parent.Handle());

    parent.Destroy();
    EXPECT_EQ(child.Handle(), nullptr);
}

TEST(WindowBase, RefusedCreationLeavesNoWindow)
{
    std::vector<std::string> log;
    Recorder window(&log);
    window.acceptCreate = false;
    EXPECT_FALSE(window.CreateHidden());
    EXPECT_EQ(window.Handle(), nullptr);
    EXPECT_EQ(log.front(), "create");
}

TEST(WindowBase, ExceptionInAHandlerStaysInsideTheWindow)
{
    Recorder window;
    ASSERT_TRUE(window.CreateHidden());
    window.throwOnCommand = true;
    window.SendMsg(WM_COMMAND, MAKEWPARAM(1, 0), 0);

    // The window goes on working.
    window.throwOnCommand = false;
    window.SendMsg(WM_COMMAND, MAKEWPARAM(2, 0), 0);
    EXPECT_EQ(window.commandId, 2);
}

TEST(WindowBase, RefusesAClassNameServedByAnotherProcedure)
{
    WNDCLASSEXA foreign{sizeof(foreign)};
    foreign.lpfnWndProc = DefWindowProcA;
    foreign.hInstance = GetModuleHandleA(nullptr);
    foreign.lpszClassName = "MirelTestForeignClass";
    ASSERT_NE(RegisterClassExA(&foreign), 0);

    EXPECT_FALSE(ui::WindowBase::RegisterWindowClass("MirelTestForeignClass"));
    EXPECT_TRUE(ui::WindowBase::RegisterWindowClass(kRecorderClass));
    EXPECT_TRUE(ui::WindowBase::RegisterWindowClass(kRecorderClass));
}

}  // namespace
