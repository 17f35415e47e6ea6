// Lookups over the standard category catalog.
#include "standard/category_catalog.h"

#include "base/text_util.h"
#include "resources/text.h"

const StandardCategory* CategoryByStoreIndex(int storeIndex)
{
    if (storeIndex < 0 || storeIndex >= kCategoryCount)
        return nullptr;
    return &kStandardCategories[storeIndex];
}

const StandardCategory* CategoryByClass(int classId)
{
    for (const StandardCategory& category : kStandardCategories)
        if (category.classId == classId)
            return &category;
    return nullptr;
}

const StandardCategory* CategoryByPage(int page)
{
    return CategoryByStoreIndex(page - kFirstCategoryPage);
}

std::vector<const StandardCategory*> CategoriesOfGroup(CategoryGroup group)
{
    std::vector<const StandardCategory*> members;
    for (const StandardCategory& category : kStandardCategories) {
        if (category.group == group)
            members.push_back(&category);
    }
    return members;
}

const StandardCategory* CategoryByLabel(const std::string& text)
{
    for (const StandardCategory& category : kStandardCategories) {
        if (EqualsNoCase(LoadText(category.labelStringId), text))
            return &category;
    }
    return nullptr;
}

int GroupPage(CategoryGroup group)
{
    switch (group) {
    case CategoryGroup::Hardware:        return kHardwarePage;
    case CategoryGroup::OperatingSystem: return kOperatingSystemPage;
    case CategoryGroup::Software:        return kSoftwarePage;
    }
    return kRootPage;
}

int GroupLabelStringId(CategoryGroup group)
{
    switch (group) {
    case CategoryGroup::Hardware:        return 4003;
    case CategoryGroup::OperatingSystem: return 4004;
    case CategoryGroup::Software:        return 4002;
    }
    return kRootLabelStringId;
}

int GroupIconId(CategoryGroup group)
{
    switch (group) {
    case CategoryGroup::Hardware:        return 320;
    case CategoryGroup::OperatingSystem: return 321;
    case CategoryGroup::Software:        return 319;
    }
    return kRootIconId;
}

namespace {

const CategoryGroup* GroupOfPage(int page)
{
    for (const CategoryGroup& group : kGroupsInTreeOrder) {
        if (GroupPage(group) == page)
            return &group;
    }
    return nullptr;
}

}  // namespace

int PageLabelStringId(int page)
{
    if (page == kRootPage)
        return kRootLabelStringId;
    if (const CategoryGroup* group = GroupOfPage(page))
        return GroupLabelStringId(*group);
    const StandardCategory* category = CategoryByPage(page);
    return category ? category->labelStringId : 0;
}

int PageIconId(int page)
{
    if (page == kRootPage)
        return kRootIconId;
    if (const CategoryGroup* group = GroupOfPage(page))
        return GroupIconId(*group);
    const StandardCategory* category = CategoryByPage(page);
    return category ? category->treeIconId : 0;
}

bool IsNumericSortColumn(int page, int column)
{
    const StandardCategory* category = CategoryByPage(page);
    if (!category)
        return false;
    for (int i = 0; i < category->numericSortColumnCount; ++i) {
        if (category->numericSortColumns[i] == column)
            return true;
    }
    return false;
}
