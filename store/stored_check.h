// A check as the inventory store keeps it: who was checked, when, how it ended, and per
// category (or the one class) the objects read, each with every property's raw value, the
// text Mirel showed and the VARIANT type WMI delivered it as. The same record is built from
// a live check, from a check saved as JSON, and from the store itself.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/raw_value.h"

inline constexpr char kStandardKind[] = "standard";
// The source of a check added from a file (/import, File > Open): one that may be stored already.
inline constexpr char kImportedSource[] = "import";

// How much of a category (or the class) was read.
enum class PartState { Read = 0, Incomplete = 1, NotRead = 2 };

struct StoredCell {
    RawValue raw;       // raw.vartype: the VARIANT type as read (VT_NULL for an empty value)
    std::string text;   // what Mirel showed
};

struct StoredObject {
    std::vector<StoredCell> cells;   // one per property of the part, in its order
    std::string identity;            // "Name=BITS", from the part's identifying properties
};

struct StoredPart {
    std::string className;                 // the WMI class read
    std::vector<std::string> properties;   // the properties read, in column order
    std::string identityRule;              // what identifies its objects (store/identity.tsv): "Name", "-", "*"...
    PartState state = PartState::Read;
    std::vector<StoredObject> objects;     // in reading order
};

struct CheckTime {
    std::string utc;          // "2026-12-10T08:03:04Z"
    std::string local;        // "2026-12-10T17:03:04+09:00", as results files write it
    int64_t epoch = 0;        // seconds since 1970-01-01 UTC
    int offsetMinutes = 0;    // local time minus UTC

    static CheckTime Now();
    static CheckTime OfSystemTime(const SYSTEMTIME& utc);
    // From an ISO 8601 local time with offset ("2026-12-10T17:03:04+09:00"); false when
    // the text is no such time.
    static bool FromLocalText(const std::string& local, CheckTime& time);
};

struct StoredCheckHeader {
    int64_t id = 0;              // 0 until recorded
    std::string computer;        // the computer's real name (this computer's own, never "." or "localhost")
    std::string target;          // the name as it was given ("typed as"); empty for this computer
    // True when `computer` is the name the computer itself gave WMI (Win32_ComputerSystem.Name);
    // false when it is only the name given, which the store replaces by the computer that
    // name last reached.
    bool identified = false;
    std::string domain;          // the computer's DNS domain as it gave it; empty outside a domain or unknown
    CheckTime checkedAt;
    std::string kind = kStandardKind;   // "standard", or the class of an individual check
    std::string account;         // another account the check ran as; empty: the user's own
    std::string result = "ok";   // the fixed keys of ComputerResultKey
    long long errorCode = 0;
    std::string message;
    bool complete = true;
    double seconds = 0;
    std::string source;          // "mirel", "mirelrep", kImportedSource
    unsigned language = 0;       // the LANGID of the texts
    int64_t changes = -1;        // against the previous check of this computer and kind; -1: none
};

struct StoredCheck {
    StoredCheckHeader header;
    std::vector<StoredPart> parts;   // the standard check's 28 categories in reading order, or one class

    bool IsStandard() const { return header.kind == kStandardKind; }
    const StoredPart* FindPart(const std::string& className) const;
};
