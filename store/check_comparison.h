// What changed between two checks of one computer: per category (or the class), the
// objects added and removed, and per object found in both (by its identity, never by
// position or by a shown text) each property whose value changed. Values are compared as
// WMI delivered them, so that a check shown in another language is no change.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "store/stored_check.h"

enum class ChangeKind { Added, Removed, Changed };

struct ObjectChange {
    std::string className;
    std::string identity;     // of the object as the later check saw it (the earlier one for a removed object)
    ChangeKind kind = ChangeKind::Changed;
    std::string property;     // the changed property; empty for an added or removed object
    StoredCell before, after;
    bool isVolatile = false;  // a property (or class) whose values change by themselves
    // An added or removed object: the properties it is recognised by (store/recognised.tsv)
    // that the check read, with their shown texts ("DisplayName", "Mirel Test Service").
    std::vector<std::pair<std::string, std::string>> recognisedBy;
};

struct PartComparison {
    std::string className;
    bool compared = true;     // false when either check did not read it completely
    std::vector<ObjectChange> changes;

    // Added, removed and changed objects (not properties), volatile ones included or not.
    int Count(ChangeKind kind, bool withVolatile) const;
};

struct CheckComparison {
    StoredCheckHeader before, after;
    std::vector<PartComparison> parts;   // in the later check's order, then parts only the earlier had

    // The changes counted as a history counts them: added and removed objects and changed
    // properties, volatile ones only when asked for.
    int64_t ChangeCount(bool withVolatile) const;
};

CheckComparison CompareChecks(const StoredCheck& before, const StoredCheck& after);

// True when the two cells hold different values: the raw values where both have one, the
// shown texts otherwise (a value that became empty, or one kept without its raw value).
bool CellsDiffer(const StoredCell& before, const StoredCell& after);
