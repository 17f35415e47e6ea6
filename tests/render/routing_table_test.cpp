// Integrity of the routing table and the numeric property names, and the rules that
// hold for every routed name.
#include "tests/render/decode_test_support.h"

#include <map>
#include <set>

#include "render/code_tables.h"
#include "render/decoder_registry.h"
#include "render/property_routes.h"
#include "base/text_util.h"
#include "base/narrow.h"

namespace {

std::set<std::string> DecoderNames()
{
    std::set<std::string> names;
    for (const PropertyRoute& route : PropertyRoutes())
        names.insert(route.decoder);
    return names;
}

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

TEST(RoutingTable, Holds227DistinctNamesBoundTo180Decoders)
{
    auto routes = PropertyRoutes();
    EXPECT_EQ(routes.size(), 227u);
    for (size_t left = 0; left < routes.size(); ++left)
        for (size_t right = left + 1; right < routes.size(); ++right)
            EXPECT_NE(CompareNoCase(routes[left].name, routes[right].name), 0) << routes[left].name;
    EXPECT_EQ(DecoderNames().size(), 180u);
}

TEST(RoutingTable, EachDecoderIsNamedByItsFirstPropertyAndItsNamesStandTogether)
{
    std::set<std::string> seen;
    std::string previous;
    for (const PropertyRoute& route : PropertyRoutes()) {
        if (route.decoder != previous) {
            EXPECT_TRUE(seen.insert(route.decoder).second) << route.decoder << " is split";
            EXPECT_STREQ(route.name, route.decoder);
            previous = route.decoder;
        }
    }
}

TEST(RoutingTable, EveryDecoderExists)
{
    for (const std::string& name : DecoderNames())
        EXPECT_NE(ResolveDecoder(name).decode, nullptr) << name;
}

TEST(RoutingTable, CodeTablesServe160NamesThrough143Decoders)
{
    std::set<std::string> codeDecoders;
    int codeNames = 0;
    for (const PropertyRoute& route : PropertyRoutes()) {
        if (ResolveDecoder(route.decoder).decode == DecodeCodeTable) {
            codeDecoders.insert(route.decoder);
            ++codeNames;
        }
    }
    EXPECT_EQ(codeDecoders.size(), 143u);
    EXPECT_EQ(codeNames, 160);
    int classDependent = 0;
    for (const std::string& name : codeDecoders) {
        CodeTable table = ResolveDecoder(name).tables.codes;
        classDependent += std::any_of(table.ranges.begin(), table.ranges.end(),
                                      [](const CodeRange& row) { return !row.classes.Empty(); });
    }
    EXPECT_EQ(classDependent, 15);
}

TEST(RoutingTable, FormatsServeTheLastGroups)
{
    std::map<std::string, int> namesPerDecoder;
    for (const PropertyRoute& route : PropertyRoutes())
        ++namesPerDecoder[route.decoder];
    EXPECT_EQ(namesPerDecoder["InstalledOn"], 1);
    EXPECT_EQ(namesPerDecoder["InstalledBy"], 1);
    EXPECT_EQ(namesPerDecoder["InstallDate"], 30);
    EXPECT_STREQ(PropertyRoutes().back().name, "UntilTime");
}

TEST(NumericPropertyNamesTable, Holds254NamesInAlphabeticalOrderOutsideTheRoutes)
{
    auto names = NumericPropertyNames();
    ASSERT_EQ(names.size(), 254u);
    for (size_t index = 1; index < names.size(); ++index)
        EXPECT_LT(CompareNoCase(names[index - 1], names[index]), 0) << names[index];
    for (const char* name : names) {
        EXPECT_TRUE(IsNumericPropertyName(name)) << name;
        EXPECT_TRUE(IsNumericPropertyName(Upper(name))) << name;
        for (const PropertyRoute& route : PropertyRoutes())
            EXPECT_NE(CompareNoCase(name, route.name), 0) << name;
    }
}

using RoutedNames = EnglishDecoding;

TEST_F(RoutedNames, AreNeverGroupedWhateverTheType)
{
    for (const PropertyRoute& route : PropertyRoutes()) {
        std::wstring name = ToWide(route.name);
        for (VARTYPE type : {VT_I4, VT_UI4, VT_BSTR}) {
            std::string shown = Decode(name.c_str(), type, "1234567", ClassId::Win32_Share);
            EXPECT_EQ(shown.find("1,234"), std::string::npos) << route.name << " " << type;
        }
    }
}

TEST_F(RoutedNames, DecodeTheSameInAnyCase)
{
    for (const PropertyRoute& route : PropertyRoutes()) {
        for (const char* value : {"1", "3", "16"}) {
            std::string shown = DecodeI4(ToWide(route.name).c_str(), value);
            EXPECT_EQ(DecodeI4(ToWide(Upper(route.name)).c_str(), value), shown) << route.name;
            EXPECT_EQ(DecodeI4(ToWide(Lower(route.name)).c_str(), value), shown) << route.name;
        }
    }
}

TEST_F(RoutedNames, NumericNamesGroupAnyNumberText)
{
    for (const char* name : NumericPropertyNames()) {
        EXPECT_EQ(Decode(ToWide(name).c_str(), VT_BSTR, " 1234567 "), "1,234,567") << name;
        EXPECT_EQ(Decode(ToWide(name).c_str(), VT_BSTR, "n/a"), "n/a") << name;
    }
}
