// The two worker thread procedures of a check. Each prepares COM for its thread, runs
// the survey driver of its kind against the run state's target, empties the progress
// line, waits half a second, posts WM_CHECK_COMPLETE to the result view and ends.
#pragma once
#include <windows.h>

#include <string>

// A driver returns its outcome (0 done, negative failure, positive as the driver
// defines); the worker does not use it.
using StandardSurveyDriver = int (*)(const std::string& host);
using ClassSurveyDriver = int (*)(const std::string& host, int classId);

// Installs the drivers the workers call (the survey drivers, or test drivers).
void SetSurveyDrivers(StandardSurveyDriver standard, ClassSurveyDriver individual);

// Thread procedures: the parameter is not read; both end with exit code 0.
DWORD WINAPI StandardCheckThread(LPVOID);
DWORD WINAPI ClassCheckThread(LPVOID);

// Pause between the driver's return and the completion message.
inline constexpr DWORD kCompletionDelayMs = 500;
