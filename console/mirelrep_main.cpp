// Entry point of mirelrep.exe, the console report tool. The arguments arrive as UTF-16
// (wmain, linked with -municode), so host names, paths and accounts keep every character
// whatever the ANSI code page.
#include <string>
#include <vector>

#include "base/narrow.h"
#include "base/system_library.h"
#include "console/mirelrep.h"

int wmain(int argc, wchar_t** argv)
{
    RestrictDllSearchToSystem();
    std::vector<std::string> arguments;
    for (int index = 1; index < argc; ++index)
        arguments.push_back(ToNarrow(argv[index]));
    return static_cast<int>(RunMirelReport(arguments));
}
