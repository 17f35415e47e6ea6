#include "shell/application.h"

#include "resources/resource.h"
#include "resources/text.h"

int RunMirelApplication(HINSTANCE, int)
{
    std::string title = LoadText(IDS_APP_TITLE);
    MessageBoxA(nullptr, LoadText(IDS_READY).c_str(), title.c_str(), MB_OK);
    return 0;
}
