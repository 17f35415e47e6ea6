// mirelrep's side of the coverage the store keeps: what a source found is recorded before
// the run checks it, and /fresh: leaves out the computers checked lately.
#pragma once
#include <string>
#include <vector>

#include "base/message_sink.h"
#include "console/exit_code.h"
#include "console/report_options.h"
#include "discovery/found_computer.h"

// The name the store keeps a source under: its address and filters, or its range.
std::string FoundSourceText(const ReportOptions& options);

// With /store: records `found` as found now by the options' source. ExitCode::Success, or
// the file-error code after the message.
ExitCode RecordFound(const ReportOptions& options, const std::vector<FoundComputer>& found, MessageSink& messages);

// With /fresh:<hours>: takes out of options.computers those with a complete check of the
// run's kind younger than that, and says how many it left out. ExitCode::Success, or the
// file-error code after the message when the store cannot be read.
ExitCode LeaveOutFresh(ReportOptions& options, MessageSink& messages, bool quiet);
