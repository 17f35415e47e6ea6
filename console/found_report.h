// mirelrep with computers found rather than named: the directory (/directory) and address
// ranges (/range:). The computers found are listed (/names) or checked as a run over many
// computers, after the names given beside them.
#pragma once
#include "console/exit_code.h"
#include "console/report_options.h"
#include "engine/check_context.h"

// Returns the exit code: that of the run (RunManyReport), or 0 for a list written; 1 when
// the source found no computer; 2 no password for /user:; 3 the directory server cannot be
// reached or does not answer in time; 4 it refused the sign-in or the search; 5 the list
// could not be written; 7 some accounts were left out for names no computer can have.
ExitCode RunFoundReport(const ReportOptions& options, const WmiConnector& connector);
