// The command line of the report tool. Options start with "/" or "-", their names in any
// case, values after a colon: /class:<class>, /out:<file>, /explain:<c>.<p>=<v>, /vt:<n>;
// flags /classes, /categories, /q, /rawcsv, /?. At most one other argument: the computer
// name.
#pragma once
#include <string>
#include <vector>

#include "console/explain_value.h"

enum class ReportCommand { StandardCheck, ClassCheck, ListClasses, ListCategories, Explain, Help };

struct ReportOptions {
    ReportCommand command = ReportCommand::StandardCheck;
    std::string computer;   // trimmed; empty: the local computer
    int classId = 0;        // ClassCheck
    ExplainRequest explain; // Explain
    std::string outPath;    // empty: standard output
    bool quiet = false;     // no progress lines
    bool rawCsv = false;    // ClassCheck: CSV cells as they are, formulas included
    bool noPing = false;    // checks: connect without the ping probe
    unsigned timeoutSeconds = 0;   // checks: limit of one query; 0: the default
    std::string user;       // checks: account to connect as; its password is asked for
};

// Fills `options`; false with a one-line reason (in the user interface language) for
// unknown options or classes, missing values, and options that do not go together.
bool ParseReportOptions(const std::vector<std::string>& arguments, ReportOptions& options,
                        std::string& reason);
