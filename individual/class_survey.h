// The individual check: reads every object of one catalog class from the target computer
// and hands each non-empty property value to the reporter as a row of object number,
// property name, type and value.
#pragma once
#include <string>

// Outcome of RunClassSurvey.
inline constexpr int kClassSurveyDone = 0;        // rows were handed over (possibly none:
                                                  // every property of every object was empty)
inline constexpr int kClassSurveyNoData = 1;      // no object read; "Data is not exist." shown
inline constexpr int kClassSurveyDeclined = 2;    // stopped; the user chose not to see the data
inline constexpr int kClassSurveyFailed = -1;     // connection or query failed; message shown

// Runs one individual check of classId against host (empty: the local computer) on the
// calling thread, which has COM initialised. Messages and rows go to the survey reporter;
// the status text is empty on return.
int RunClassSurvey(const std::string& host, int classId);
