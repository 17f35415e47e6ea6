// Finding a class by any part of its name or description, in either language.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "individual/class_catalog.h"
#include "individual/class_finder.h"
#include "individual/class_hierarchy.h"

namespace {

std::string NameOf(int classId)
{
    const ClassCatalogEntry* entry = FindClass(classId);
    return entry ? entry->className : "";
}

int Position(const std::vector<int>& found, const std::string& className)
{
    for (size_t index = 0; index < found.size(); ++index)
        if (NameOf(found[index]) == className)
            return static_cast<int>(index);
    return -1;
}

TEST(ClassFinderTest, NamesFirstThenDescriptionsCaseAndWidthAside)
{
    ClassFinder finder;
    const std::vector<int> found = finder.Find("  disk ");
    ASSERT_FALSE(found.empty());
    EXPECT_EQ(NameOf(found[0]), "Win32_DiskDrive") << "a name starting with the text comes first";
    const int starts = Position(found, "Win32_DiskPartition");
    const int inside = Position(found, "Win32_LogicalDisk");
    ASSERT_GE(starts, 0);
    ASSERT_GE(inside, 0);
    EXPECT_LT(starts, inside) << "then names holding it";
    for (int classId : found) {
        int group = 0, category = 0;
        EXPECT_TRUE(LocateClass(classId, group, category)) << NameOf(classId) << " has its place in the lists";
        bool listed = false;
        for (int member : ClassIdsOfCategory(category))
            listed = listed || member == classId;
        EXPECT_TRUE(listed);
    }
    EXPECT_EQ(finder.Find("DISK"), found);
    EXPECT_EQ(finder.Find("\xEF\xBD\x84\xEF\xBD\x89\xEF\xBD\x93\xEF\xBD\x8B"), found) << "full-width letters";
    EXPECT_TRUE(finder.Find("").empty());
    EXPECT_TRUE(finder.Find(" \t").empty());
    EXPECT_TRUE(finder.Find("no class says this").empty());
}

TEST(ClassFinderTest, DescriptionsOfBothLanguagesWhateverTheInterfaceLanguage)
{
    ClassFinder finder;
    // "ディスク" (disk) appears only in the Japanese descriptions; "logical disk" only in
    // the English ones and the names.
    const std::vector<int> japanese = finder.Find("\xE3\x83\x87\xE3\x82\xA3\xE3\x82\xB9\xE3\x82\xAF");
    EXPECT_GE(Position(japanese, "Win32_DiskDrive"), 0);
    const std::vector<int> english = finder.Find("partitioned");
    EXPECT_FALSE(english.empty()) << "a word of an English description";
}

}  // namespace
