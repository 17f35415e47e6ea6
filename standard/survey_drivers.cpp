#include "standard/survey_drivers.h"

#include "engine/check_worker.h"
#include "individual/class_survey.h"
#include "standard/standard_survey.h"

void InstallSurveyDrivers()
{
    SetSurveyDrivers(RunStandardSurvey, RunClassSurvey);
}
