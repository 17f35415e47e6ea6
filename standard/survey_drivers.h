// Connects the check workers to the two survey drivers: the standard check's
// RunStandardSurvey and the individual check's RunClassSurvey.
#pragma once

void InstallSurveyDrivers();
