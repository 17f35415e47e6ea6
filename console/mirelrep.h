// The report tool mirelrep: the program's checks, catalogs and decoders from the command
// line. Results go to standard output (or the /out file), messages and progress lines to
// standard error.
#pragma once
#include <string>
#include <vector>

#include "console/exit_code.h"
#include "engine/check_context.h"

// Runs the command line (without the program name, each argument UTF-8); returns the exit
// code (console/exit_code.h).
// `connector`: how the checks reach WMI (the system's; tests give a provider of their own).
ExitCode RunMirelReport(const std::vector<std::string>& arguments, const WmiConnector& connector = {});
