// Start-up, message loop and shut-down of the Mirel window program.
#pragma once
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "engine/icmp_probe.h"

class MainFrame;

// The running program: the frame with its view and forms, the sockets and the ICMP
// library. Tests start one and drive it through messages.
class MirelApplication {
public:
    // `settingsKey`: where the frame keeps its layout (tests use a scratch key).
    explicit MirelApplication(std::string settingsKey = {});
    ~MirelApplication();
    MirelApplication(const MirelApplication&) = delete;
    MirelApplication& operator=(const MirelApplication&) = delete;

    // Everything up to the shown main window; false when the program must end at once.
    bool Start(int showCommand);
    // The message loop until the frame closes; returns the exit code.
    int Run();

    MainFrame& Frame() { return *frame_; }

private:
    bool oleInitialised_ = false;
    std::string settingsKey_;
    std::unique_ptr<MainFrame> frame_;
};

// Runs the program until its main window closes; returns the process exit code.
int RunMirelApplication(HINSTANCE instance, int showCommand);
