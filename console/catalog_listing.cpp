#include "console/catalog_listing.h"

#include <map>
#include <utility>

#include "individual/class_catalog.h"
#include "individual/class_hierarchy.h"
#include "resources/text.h"
#include "standard/category_catalog.h"

namespace {

std::string Joined(std::initializer_list<std::string> fields)
{
    std::string line;
    bool first = true;
    for (const std::string& field : fields) {
        if (!first)
            line += '\t';
        first = false;
        line += field;
    }
    return line;
}

// For every class identifier, the (group code, category code) pairs of its places.
std::multimap<int, std::pair<int, int>> ClassPlaces()
{
    std::multimap<int, std::pair<int, int>> places;
    for (int group : ClassGroupCodes()) {
        for (int category : CategoryCodesOfGroup(group)) {
            for (int classId : ClassIdsOfCategory(category))
                places.emplace(classId, std::make_pair(group, category));
        }
    }
    return places;
}

std::string ClassLine(const ClassCatalogEntry& entry, int group, int category)
{
    return Joined({std::to_string(entry.classId), entry.className,
                   LoadText(entry.displayStringId),
                   group ? LoadText(ClassGroupStringId(group)) : std::string(),
                   category ? LoadText(ClassCategoryStringId(category)) : std::string(),
                   std::to_string(entry.propertyCount)});
}

}  // namespace

std::vector<std::string> ClassCatalogLines()
{
    const std::multimap<int, std::pair<int, int>> places = ClassPlaces();
    std::vector<std::string> lines;
    for (const ClassCatalogEntry& entry : kClassCatalog) {
        auto [first, last] = places.equal_range(entry.classId);
        if (first == last)
            lines.push_back(ClassLine(entry, 0, 0));
        for (auto place = first; place != last; ++place)
            lines.push_back(ClassLine(entry, place->second.first, place->second.second));
    }
    return lines;
}

std::vector<std::string> StandardCategoryLines()
{
    std::vector<std::string> lines;
    for (const StandardCategory& category : kStandardCategories) {
        lines.push_back(Joined({std::to_string(category.storeIndex), std::to_string(category.page),
                                LoadText(category.labelStringId),
                                LoadText(GroupLabelStringId(category.group)),
                                category.className, std::to_string(category.classId),
                                std::to_string(category.columnCount)}));
    }
    return lines;
}
