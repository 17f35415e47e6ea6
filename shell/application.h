// Start-up, message loop and shut-down of the Mirel window program.
#pragma once
#include <windows.h>

// Runs the program until its main window closes; returns the process exit code.
int RunMirelApplication(HINSTANCE instance, int showCommand);
