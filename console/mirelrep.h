// The report tool mirelrep: the program's checks, catalogs and decoders from the command
// line. Results go to standard output (or the /out file), messages and progress lines to
// standard error.
#pragma once
#include <string>
#include <vector>

#include "engine/check_context.h"

// Runs the command line (without the program name, each argument UTF-8); returns the exit
// code: 0 success, 1 no data (individual check), 2 usage error, 3 host not found or not
// answering, 4 WMI or COM failure, 5 file error, 6 incomplete, 7 some of many computers
// not OK, 8 characters written as "?" in the ANSI code page (console/report_output.h).
// `connector`: how the checks reach WMI (the system's; tests give a provider of their own).
int RunMirelReport(const std::vector<std::string>& arguments, const WmiConnector& connector = {});
