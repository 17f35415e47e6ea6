// The two checks of the report tool, run on the calling thread as the windows run them
// on their worker: probe a named computer, prepare COM, run the survey driver with
// progress lines on standard error, then write the result.
#pragma once
#include "console/exit_code.h"
#include "console/report_options.h"
#include "base/message_sink.h"
#include "engine/check_context.h"

// The account of /user:, its password asked for on the console; false when none could
// be read (message written).
bool AskForAccount(const ReportOptions& options, Credentials& credentials, MessageSink& messages);

// Standard check; writes the standard text report. Returns the exit code.
ExitCode RunStandardReport(const ReportOptions& options, const WmiConnector& connector);

// Individual check of options.classId; writes its rows as CSV. Returns the exit code.
ExitCode RunClassReport(const ReportOptions& options, const WmiConnector& connector);
