// Entry point of mirelrep.exe, the console report tool.
#include <string>
#include <vector>

#include "console/mirelrep.h"

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return RunMirelReport(arguments);
}
