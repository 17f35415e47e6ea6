// The report tool's reports of the inventory store: /report writes the fleet report,
// /report:<computer> the sheet of one computer, each one HTML file in UTF-8.
#pragma once
#include "console/exit_code.h"
#include "console/report_options.h"

ExitCode RunReportCommand(const ReportOptions& options);
