// Values of the real WMI objects that Wine provides decode as the user should see them.
#include "tests/render/decode_test_support.h"

#include <map>

#include "tests/render/wmi_reader.h"

using namespace ClassId;

class RealWmiValues : public EnglishDecoding {
protected:
    static void SetUpTestSuite() { reader_ = new WmiReader; }
    static void TearDownTestSuite()
    {
        delete reader_;
        reader_ = nullptr;
    }

    void SetUp() override
    {
        EnglishDecoding::SetUp();
        ASSERT_EQ(reader_->Status(), S_OK) << "cannot read WMI";
    }

    // The values of the property, which must exist on at least one object.
    static std::vector<WmiValue> Read(const wchar_t* className, const wchar_t* property)
    {
        std::vector<WmiValue> values = reader_->Read(className, property);
        EXPECT_FALSE(values.empty()) << ToNarrow(className) << "." << ToNarrow(property);
        return values;
    }

    // Checks a coded integer value: its text begins with the code, and where the
    // meaning of the code is known here, it is that meaning.
    static void ExpectCodeText(int classId, const wchar_t* className, const wchar_t* property,
                               const std::map<std::string, std::string>& known)
    {
        for (const WmiValue& value : Read(className, property)) {
            std::string shown = DecodePropertyValue(classId, value.type, property, value.text);
            SCOPED_TRACE(ToNarrow(property) + " = " + value.text + " shows \"" + shown + "\"");
            EXPECT_TRUE(IsIntegerVarType(value.type));
            EXPECT_EQ(shown.rfind(value.text + " : ", 0), 0u);
            auto meaning = known.find(value.text);
            if (meaning != known.end()) {
                EXPECT_EQ(shown, meaning->second);
            }
        }
    }

    // Checks a 64-bit count delivered as text: grouped, digits unchanged.
    static void ExpectGrouped(int classId, const wchar_t* className, const wchar_t* property)
    {
        for (const WmiValue& value : Read(className, property)) {
            std::string shown = DecodePropertyValue(classId, value.type, property, value.text);
            EXPECT_EQ(value.type, VT_BSTR);
            std::string digits;
            for (char c : shown)
                if (c != ',')
                    digits += c;
            EXPECT_EQ(digits, value.text);
            if (value.text.size() > 3) {
                EXPECT_NE(shown.find(','), std::string::npos) << shown;
            }
        }
    }

    static WmiReader* reader_;
};

WmiReader* RealWmiValues::reader_ = nullptr;

TEST_F(RealWmiValues, OperatingSystem)
{
    ExpectCodeText(Win32_OperatingSystem, L"Win32_OperatingSystem", L"OSLanguage",
                   {{"1033", "1033 : English - United States"}, {"1041", "1041 : Japanese"}});
    ExpectCodeText(Win32_OperatingSystem, L"Win32_OperatingSystem", L"OSType", {{"18", "18 : WINNT"}});
    ExpectCodeText(Win32_OperatingSystem, L"Win32_OperatingSystem", L"ProductType",
                   {{"1", "1 : Work Station"}});
    for (const wchar_t* property : {L"LastBootUpTime", L"InstallDate"}) {
        for (const WmiValue& value : Read(L"Win32_OperatingSystem", property)) {
            ASSERT_EQ(value.type, VT_BSTR);
            ASSERT_GE(value.text.size(), 14u);
            const std::string& t = value.text;
            EXPECT_EQ(DecodePropertyValue(Win32_OperatingSystem, value.type, property, t),
                      t.substr(0, 4) + "/" + t.substr(4, 2) + "/" + t.substr(6, 2) + " " + t.substr(8, 2) +
                          ":" + t.substr(10, 2) + ":" + t.substr(12, 2));
        }
    }
    for (const WmiValue& value : Read(L"Win32_OperatingSystem", L"SuiteMask")) {
        std::string shown = DecodePropertyValue(Win32_OperatingSystem, value.type, L"SuiteMask", value.text);
        if (value.text == "272") {
            EXPECT_EQ(shown, "272 : Terminal Services|Single User");
        } else {
            EXPECT_EQ(shown.rfind(value.text, 0), 0u) << shown;
        }
    }
}

TEST_F(RealWmiValues, Processor)
{
    ExpectCodeText(Win32_Processor, L"Win32_Processor", L"Architecture",
                   {{"0", "0 : x86"}, {"9", "9 : x64"}});
    ExpectCodeText(Win32_Processor, L"Win32_Processor", L"Family", {{"2", "2 : Unknown"}});
    ExpectCodeText(Win32_Processor, L"Win32_Processor", L"CpuStatus", {{"1", "1 : CPU Enabled"}});
    ExpectCodeText(Win32_Processor, L"Win32_Processor", L"ProcessorType",
                   {{"3", "3 : Central Processor"}});
}

TEST_F(RealWmiValues, LogicalDisk)
{
    ExpectCodeText(Win32_LogicalDisk, L"Win32_LogicalDisk", L"DriveType",
                   {{"3", "3 : Local Disk"}, {"5", "5 : Compact Disc"}});
    ExpectGrouped(Win32_LogicalDisk, L"Win32_LogicalDisk", L"FreeSpace");
    ExpectGrouped(Win32_LogicalDisk, L"Win32_LogicalDisk", L"Size");
}

TEST_F(RealWmiValues, Services)
{
    const std::map<std::string, UINT> startModes = {
        {"Boot", 10522}, {"System", 10523}, {"Auto", 10524}, {"Manual", 10525}, {"Disabled", 10526}};
    for (const WmiValue& value : Read(L"Win32_Service", L"StartMode")) {
        ASSERT_EQ(value.type, VT_BSTR);
        ASSERT_TRUE(startModes.count(value.text)) << value.text;
        std::string shown = DecodePropertyValue(Win32_Service, value.type, L"StartMode", value.text);
        EXPECT_EQ(shown, EnglishText(startModes.at(value.text)));
        EXPECT_EQ(shown.rfind(value.text + " - ", 0), 0u) << shown;
    }
    // Win32_Service reports its ServiceType as words, which are not bit sets.
    for (const WmiValue& value : Read(L"Win32_Service", L"ServiceType")) {
        ASSERT_EQ(value.type, VT_BSTR);
        EXPECT_EQ(DecodePropertyValue(Win32_Service, value.type, L"ServiceType", value.text), value.text);
    }
    // State has no decoder for services.
    for (const WmiValue& value : Read(L"Win32_Service", L"State"))
        EXPECT_EQ(DecodePropertyValue(Win32_Service, value.type, L"State", value.text), value.text);
}

TEST_F(RealWmiValues, ComputerSystem)
{
    ExpectCodeText(Win32_ComputerSystem, L"Win32_ComputerSystem", L"DomainRole",
                   {{"0", "0 : Standalone Workstation"}});
    ExpectGrouped(Win32_ComputerSystem, L"Win32_ComputerSystem", L"TotalPhysicalMemory");
}
