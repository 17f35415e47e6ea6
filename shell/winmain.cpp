// Entry point of mirel.exe.
#include <windows.h>

#include "shell/application.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    return RunMirelApplication(instance, showCommand);
}
