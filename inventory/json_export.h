// The results of a check as JSON, for scripts: the standard check's 28 categories or one
// class, each a table of columns and rows, every cell with both the raw WMI value (number,
// text, boolean, array or null) and the text Mirel shows. Texts beyond ASCII are written
// as \u escapes, so that the file reads the same as UTF-8 or as ANSI.
//
//   {"computer": "pc01", "computerName": "PC01", "checkedAt": "2026-12-09T08:03:04+09:00",
//    "complete": true,
//    "categories": [{"label": "BIOS", "group": "Hardware", "class": "Win32_BIOS",
//                    "incomplete": false,
//                    "columns": [{"property": "Name", "header": "Name"}, ...],
//                    "rows": [[{"raw": "Default System BIOS", "text": "Default ..."}, ...]]}]}
//
// A class check has "classes" with one table (label: the class's display text) instead.
#pragma once
#include <string>

#include "standard/category_store.h"

struct CheckHeader {
    std::string computer;    // as given; empty: the local computer
    std::string checkedAt;   // ISO 8601
    bool complete = true;    // false when a reading broke off or the check was stopped
    std::string computerName;   // the computer's own name; empty: as the computer-system category
                                // read it (a standard check), else RealComputerName(computer)
    std::string computerDomain;   // its DNS domain, when known ("computerDomain", left out when empty)
};

// The stores must have kept their raw values (cells without one are null).
std::string StandardJson(const CheckHeader& header, const StandardStores& stores);

// A table of RunClassTableSurvey.
std::string ClassJson(const CheckHeader& header, int classId, const CategoryStore& table);
