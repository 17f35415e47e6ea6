// mirelrep over many computers: the checks run several at a time, each computer's result
// goes into a file of its own in the /outdir folder (standard text report or JSON, class
// CSV or JSON), and summary.csv and summary.json describe every computer. Standard error
// gets a line per finished computer and a final tally (not with /q); Ctrl+C stops the
// running checks and starts no more, and the summary still names every computer.
#pragma once
#include "console/exit_code.h"
#include "console/report_options.h"
#include "discovery/found_computer.h"
#include "engine/check_context.h"

// Returns the exit code: 0 every computer OK, 7 some not, 2 no password for /user:,
// 5 the folder or a summary file could not be written, 8 every computer OK but some file
// has characters the ANSI code page lacks written as "?" (one warning names the first).
// `asked`: the account of /user: with its password when it was asked for already.
// `found`: the computers a source found, for the coverage the store keeps of them.
ExitCode RunManyReport(const ReportOptions& options, const WmiConnector& connector,
                       const Credentials* asked = nullptr, const std::vector<FoundComputer>* found = nullptr);
