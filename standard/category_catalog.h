// The standard check's 28 resource categories: label, tree place, WMI class, query,
// properties, columns and sorting of each, and the page numbers of the category tree.
//
// Pages: 0 the root, 1 Hardware, 2 Operating System, 3 Software, 4..31 the categories
// (page = store index + 4). The tree shows the groups in the order Hardware, Operating
// System, Software; Hardware holds stores 0..18, Operating System 19..24, Software 25..27.
#pragma once
#include <string>
#include <vector>

enum class CategoryGroup { Hardware, OperatingSystem, Software };

struct CategoryColumn {
    int headerStringId;   // 1600..1765
    bool rightAligned;
};

struct StandardCategory {
    int storeIndex;                        // 0..27: reading order, store and tree order
    int page;                              // storeIndex + 4
    int labelStringId;                     // 4005..4032
    CategoryGroup group;
    int treeIconId;                        // 322..349
    const char* className;                 // the WMI class the query reads
    int classId;                           // class identifier of the class catalog
    const char* query;                     // exact WQL text
    const wchar_t* const* propertyNames;   // column i shows property i; ends with nullptr
    const CategoryColumn* columns;
    int columnCount;
    const int* numericSortColumns;         // columns compared as numbers when sorting
    int numericSortColumnCount;
};

inline constexpr int kCategoryCount = 28;
inline constexpr int kPageCount = 32;
inline constexpr int kRootPage = 0;
inline constexpr int kHardwarePage = 1;
inline constexpr int kOperatingSystemPage = 2;
inline constexpr int kSoftwarePage = 3;
inline constexpr int kFirstCategoryPage = 4;
inline constexpr int kCategoryColumnWidth = 100;   // every store column, in pixels

inline constexpr int kRootLabelStringId = 4001;    // "[Resources]"
inline constexpr int kRootIconId = 318;

// Catalog records in store order.
extern const StandardCategory kStandardCategories[kCategoryCount];

// nullptr when the index is outside 0..27.
const StandardCategory* CategoryByStoreIndex(int storeIndex);

// The category that reads the class `classId`; nullptr when none does.
const StandardCategory* CategoryByClass(int classId);

// nullptr for the root and group pages (0..3) and for anything outside 0..31.
const StandardCategory* CategoryByPage(int page);

// The categories of a group in tree (= store) order.
std::vector<const StandardCategory*> CategoriesOfGroup(CategoryGroup group);

// The category whose label, loaded in the current text language, equals `text`
// without regard to case (multi-byte aware); nullptr when none does.
const StandardCategory* CategoryByLabel(const std::string& text);

// The groups in tree order: Hardware, Operating System, Software.
inline constexpr CategoryGroup kGroupsInTreeOrder[] = {
    CategoryGroup::Hardware, CategoryGroup::OperatingSystem, CategoryGroup::Software};

int GroupPage(CategoryGroup group);            // 1, 2, 3
int GroupLabelStringId(CategoryGroup group);   // 4003, 4004, 4002
int GroupIconId(CategoryGroup group);          // 320, 321, 319

// Label string and tree icon of any page 0..31; 0 for other pages.
int PageLabelStringId(int page);
int PageIconId(int page);

// True when `column` of category page `page` sorts as numbers; false for every other
// column and for pages that are not category pages.
bool IsNumericSortColumn(int page, int column);
