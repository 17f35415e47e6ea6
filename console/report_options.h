// The command line of the report tool. Options start with "/" or "-", their names in any
// case, values after a colon: /class:<class>, /out:<file>, /outdir:<folder>,
// /parallel:<n>, /format:json, /explain:<c>.<p>=<v>, /vt:<n>; flags /classes,
// /categories, /q, /rawcsv, /utf8, /?. Other arguments name computers; "@file" names a file
// that lists them. Several computers, a list file or /outdir make a run over many
// computers, whose results go into the /outdir folder.
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
    bool json = false;      // checks: /format:json
    bool utf8 = false;      // results and redirected messages in UTF-8, not the ANSI code page
    // A run over many computers (several names, a list file or /outdir): the names in
    // order, trimmed, each once; the folder; the checks at a time.
    bool many = false;
    std::vector<std::string> computers;
    std::string outDir;
    int parallel = 0;       // 0: the default
};

// Fills `options`; false with a one-line reason (in the user interface language) for
// unknown options or classes, missing values, and options that do not go together.
bool ParseReportOptions(const std::vector<std::string>& arguments, ReportOptions& options,
                        std::string& reason);

// True when /utf8 is among the arguments, also where they do not parse: the reason for a
// usage error is then written in UTF-8 too.
bool AsksForUtf8(const std::vector<std::string>& arguments);
