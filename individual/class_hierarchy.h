// The three levels through which the user reaches a class of the catalog: Level 1 groups
// (codes 101..105), Level 2 categories (codes 201..233, and 103, which is also the code
// of its group) and Level 3 classes (class identifiers). Code 100 is the no-selection
// entry "<Select a Class>" that heads every list.
#pragma once
#include <string>
#include <vector>

inline constexpr int kNoSelectionCode = 100;
inline constexpr int kNoSelectionStringId = 9000;

// One entry of a Level 1, 2 or 3 list: the text the user sees and the item data.
struct ListEntry {
    std::string text;
    int code;
};

// Codes of the groups, 101..105.
std::vector<int> ClassGroupCodes();
// Codes of the categories of a group; empty for a code that names no group.
std::vector<int> CategoryCodesOfGroup(int groupCode);
// Class identifiers of a category in table order; empty for a code that names none.
std::vector<int> ClassIdsOfCategory(int categoryCode);
// String IDs of a group's and a category's text; 0 for unknown codes.
int ClassGroupStringId(int groupCode);
int ClassCategoryStringId(int categoryCode);

// The entries of the three lists, texts loaded in the current text language, each
// list headed by the no-selection entry (code 100). The lists sort themselves, so the
// order of the members does not matter to the user. A code that names no group or
// category yields the no-selection entry alone.
std::vector<ListEntry> GroupListEntries();
std::vector<ListEntry> CategoryListEntries(int groupCode);
std::vector<ListEntry> ClassListEntries(int categoryCode);
