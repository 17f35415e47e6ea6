// The report tool's questions to the inventory store: /history, /show, /compare, /import
// and /prune. Each returns the exit code.
#pragma once
#include "console/exit_code.h"
#include "console/report_options.h"

ExitCode RunStoreCommand(const ReportOptions& options);
