// Entry point of mirel.exe.
#include <windows.h>

#include "base/system_library.h"
#include "shell/application.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    RestrictDllSearchToSystem();
    return RunMirelApplication(instance, showCommand);
}
