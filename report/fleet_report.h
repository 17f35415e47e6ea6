// The fleet report: one self-contained HTML page of what the inventory store knows about
// every computer, in the user interface language.
#pragma once
#include <string>

#include "report/fleet_figures.h"
#include "store/stored_check.h"

// The page for `figures`, read from the store described as `storeName` at `madeAt`.
std::string FleetReportHtml(const FleetFigures& figures, const std::string& storeName, const CheckTime& madeAt);
