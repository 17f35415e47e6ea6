// The report tool's questions to the inventory store: /history, /show, /compare, /import
// and /prune. Each returns the exit code.
#pragma once
#include "console/report_options.h"

// Exit code of /compare when the two checks differ (0 when they do not).
inline constexpr int kExitChanged = 9;

int RunStoreCommand(const ReportOptions& options);
