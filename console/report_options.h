// The command line of the report tool. Options start with "/" or "-", their names in any
// case, values after a colon: /class:<class>, /out:<file>, /outdir:<folder>,
// /parallel:<n>, /format:json|csv, /explain:<c>.<p>=<v>, /vt:<n>, /store[:<location>],
// /history[:<computer>], /show:<check>, /compare[:<computer>|<check>,<check>],
// /import:<file>, /prune:<days>, /delete:<check>[,<check>...], /copyto:<location>,
// /query:<SQL>|@<file>, /question:<name>,
// /param:<value>, /report[:<computer>],
// /directory[:<LDAP://...>], /active:<days>, /os:<pattern>, /range:<range>, /fresh:<hours>;
// flags /names, /classes, /categories, /q, /rawcsv, /utf8, /volatile, /questions, /verify, /?. Other arguments name computers; "@file" names a file
// that lists them. Several computers, a list file or /outdir make a run over many
// computers, whose results go into the /outdir folder.
#pragma once
#include <string>
#include <vector>

#include "console/explain_value.h"
#include "discovery/address_range.h"
#include "discovery/directory_source.h"

enum class ReportCommand {
    StandardCheck, ClassCheck, ListClasses, ListCategories, Explain, Help,
    // What the inventory store holds
    History, Show, Compare, Import, Prune, Delete, Query, Questions, Question, Verify, CopyTo,
    // Reports of what it holds: the fleet report, or the sheet of one computer
    Report,
};

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
    bool json = false;      // checks, /show, /compare, /history: /format:json
    bool csv = false;       // /compare: /format:csv
    bool utf8 = false;      // results and redirected messages in UTF-8, not the ANSI code page
    // A run over many computers (several names, a list file or /outdir): the names in
    // order, trimmed, each once; the folder; the checks at a time.
    bool many = false;
    std::vector<std::string> computers;
    std::string outDir;
    int parallel = 0;       // 0: the default
    // The inventory store: /store[:location] records the checks there and names the store
    // of the store commands (the default file when not given).
    bool store = false;
    std::string storeText;  // after "/store:"; empty: the default file
    std::string historyComputer;    // History: empty for every computer
    long long checkId = 0;          // Show
    std::string compareComputer;    // Compare: empty for this computer
    long long compareIds[2] = {0, 0};   // Compare: two checks by number instead
    std::string importPath;         // Import
    int pruneDays = 0;              // Prune
    std::string copyToText;         // CopyTo: the store the checks go to, written as for /store:
    std::vector<long long> deleteIds;   // Delete: the checks, in the order given
    bool withVolatile = false;      // Compare: /volatile
    std::string queryText;          // Query: the statement, or "@" and the file that holds it
    std::string questionName;       // Question
    std::vector<std::string> questionParameters;   // Question: each /param: in order
    std::string reportComputer;     // Report: the computer of a sheet; empty for the fleet report
    // Computers found rather than named: /directory[:LDAP://...] with /active: and /os:,
    // /range:; /names lists them and checks nothing; /fresh: skips those checked lately.
    bool directory = false;
    DirectorySource directorySource;   // its credentials are filled when the password is asked for
    bool range = false;
    AddressRange addressRange;
    bool listNames = false;
    int freshHours = 0;             // 0: every computer is checked

    bool HasFoundSource() const { return directory || range; }
};

// True for the commands that read or change the inventory store.
bool IsStoreCommand(ReportCommand command);

// Fills `options`; false with a one-line reason (in the user interface language) for
// unknown options or classes, missing values, and options that do not go together.
bool ParseReportOptions(const std::vector<std::string>& arguments, ReportOptions& options,
                        std::string& reason);

// True when /utf8 is among the arguments, also where they do not parse: the reason for a
// usage error is then written in UTF-8 too.
bool AsksForUtf8(const std::vector<std::string>& arguments);
