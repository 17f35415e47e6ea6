// The two checks of the report tool, run on the calling thread as the windows run them
// on their worker: probe a named computer, prepare COM, run the survey driver with
// progress lines on standard error, then write the result.
#pragma once
#include "console/report_options.h"
#include "engine/check_context.h"

// Standard check; writes the standard text report. Returns the exit code.
int RunStandardReport(const ReportOptions& options, const WmiConnector& connector);

// Individual check of options.classId; writes its rows as CSV. Returns the exit code.
int RunClassReport(const ReportOptions& options, const WmiConnector& connector);
