// Prints both catalogs, one line per standard category and one per WMI class, so that a
// reader can compare them with the tables at a glance (ctest -V shows the output).
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "individual/class_catalog.h"
#include "individual/class_hierarchy.h"
#include "resources/text.h"
#include "standard/category_catalog.h"

namespace {

const char* GroupName(CategoryGroup group)
{
    switch (group) {
    case CategoryGroup::Hardware:        return "Hardware";
    case CategoryGroup::OperatingSystem: return "Operating System";
    case CategoryGroup::Software:        return "Software";
    }
    return "?";
}

int PrintStandardCategories()
{
    int lines = 0;
    for (const StandardCategory& c : kStandardCategories) {
        std::string numeric;
        for (int i = 0; i < c.numericSortColumnCount; ++i) {
            if (i > 0)
                numeric += ',';
            numeric += std::to_string(c.numericSortColumns[i]);
        }
        std::printf("store %2d page %2d %-16s %-30s icon %d %s (%d) columns %2d numeric [%s]\n",
                    c.storeIndex, c.page, GroupName(c.group), LoadText(c.labelStringId).c_str(),
                    c.treeIconId, c.className, c.classId, c.columnCount, numeric.c_str());
        ++lines;
    }
    return lines;
}

std::map<int, std::string> CategoriesOfEachClass()
{
    std::map<int, std::string> result;
    for (int group : ClassGroupCodes()) {
        for (int category : CategoryCodesOfGroup(group)) {
            for (int id : ClassIdsOfCategory(category)) {
                std::string& text = result[id];
                if (!text.empty())
                    text += ',';
                text += std::to_string(category);
            }
        }
    }
    return result;
}

int PrintClasses()
{
    const std::map<int, std::string> categories = CategoriesOfEachClass();
    int lines = 0;
    for (const ClassCatalogEntry& e : kClassCatalog) {
        const auto found = categories.find(e.classId);
        std::printf("class %d %-62s display %d %-26s description %d properties %3d in %s\n",
                    e.classId, e.className, e.displayStringId,
                    e.classId == 1016 ? ClassDisplayText(e.classId).c_str() : "=",
                    e.descriptionStringId, e.propertyCount,
                    found == categories.end() ? "-" : found->second.c_str());
        ++lines;
    }
    return lines;
}

}  // namespace

TEST(CatalogSummary, PrintsBothCatalogs)
{
    SetTextLanguage(kEnglishLanguage);
    EXPECT_EQ(PrintStandardCategories(), 28);
    EXPECT_EQ(PrintClasses(), 302);
    std::fflush(stdout);
    SetTextLanguage(0);
}
