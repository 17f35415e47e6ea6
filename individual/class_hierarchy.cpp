// Level 1 groups, Level 2 categories and their Level 3 classes.
#include "individual/class_hierarchy.h"

#include <string_view>

#include "individual/class_catalog.h"
#include "individual/class_hierarchy_data.h"
#include "resources/text.h"

namespace {

const ClassCategory* FindCategory(int categoryCode)
{
    for (const ClassCategory& category : ClassCategories()) {
        if (category.code == categoryCode)
            return &category;
    }
    return nullptr;
}

const ClassGroup* FindGroup(int groupCode)
{
    for (const ClassGroup& group : ClassGroups()) {
        if (group.code == groupCode)
            return &group;
    }
    return nullptr;
}

std::vector<ListEntry> ListWithNoSelectionEntry()
{
    return {ListEntry{LoadText(kNoSelectionStringId), kNoSelectionCode}};
}

}  // namespace

std::vector<int> ClassGroupCodes()
{
    std::vector<int> codes;
    for (const ClassGroup& group : ClassGroups())
        codes.push_back(group.code);
    return codes;
}

std::vector<int> CategoryCodesOfGroup(int groupCode)
{
    std::vector<int> codes;
    for (const ClassCategory& category : ClassCategories()) {
        if (category.groupCode == groupCode)
            codes.push_back(category.code);
    }
    return codes;
}

std::vector<int> ClassIdsOfCategory(int categoryCode)
{
    std::vector<int> ids;
    const ClassCategory* category = FindCategory(categoryCode);
    if (!category)
        return ids;
    ids.assign(category->members.ids, category->members.ids + category->members.count);
    if (category->memberPrefix) {
        const std::string_view prefix = category->memberPrefix;
        for (const ClassCatalogEntry& entry : kClassCatalog) {
            if (std::string_view(entry.className).starts_with(prefix))
                ids.push_back(entry.classId);
        }
    }
    return ids;
}

int ClassGroupStringId(int groupCode)
{
    const ClassGroup* group = FindGroup(groupCode);
    return group ? group->stringId : 0;
}

int ClassCategoryStringId(int categoryCode)
{
    const ClassCategory* category = FindCategory(categoryCode);
    return category ? category->stringId : 0;
}

std::vector<ListEntry> GroupListEntries()
{
    std::vector<ListEntry> entries = ListWithNoSelectionEntry();
    for (const ClassGroup& group : ClassGroups())
        entries.push_back(ListEntry{LoadText(group.stringId), group.code});
    return entries;
}

std::vector<ListEntry> CategoryListEntries(int groupCode)
{
    std::vector<ListEntry> entries = ListWithNoSelectionEntry();
    for (int code : CategoryCodesOfGroup(groupCode))
        entries.push_back(ListEntry{LoadText(ClassCategoryStringId(code)), code});
    return entries;
}

std::vector<ListEntry> ClassListEntries(int categoryCode)
{
    std::vector<ListEntry> entries = ListWithNoSelectionEntry();
    for (int classId : ClassIdsOfCategory(categoryCode))
        entries.push_back(ListEntry{ClassDisplayText(classId), classId});
    return entries;
}
