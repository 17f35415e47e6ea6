// Tables that once gave each code the meaning of its neighbour (their value maps start
// at 0, the tables started at 1): the first, a middle and the last documented code show
// their documented meaning, and the next code stays undecoded.
#include "tests/render/decode_test_support.h"

#include <utility>
#include <vector>

using namespace ClassId;

namespace {

struct DocumentedTable {
    const wchar_t* name;
    int classId;
    std::vector<std::pair<const char*, std::string>> shown;  // value -> text on screen
};

const std::string kTemporary =
    "Temporary - Specifies that the profile is a temporary profile. The profile will be "
    "deleted after the user logs off.";
const std::string kCorrupted =
    "Corrupted - The profile is corrupted and is not in use. The user or administrator "
    "must fix the corruption to use the profile.";

}  // namespace

using DocumentedCodes = EnglishDecoding;

TEST_F(DocumentedCodes, ShowTheirDocumentedMeaning)
{
    const DocumentedTable tables[] = {
        {L"AdminPasswordStatus", Win32_ComputerSystem,
         {{"0", "0 : Disabled"}, {"1", "1 : Enabled"}, {"3", "3 : Unknown"}, {"4", "4"}}},
        {L"BootOptionOnLimit", Win32_ComputerSystem,
         {{"0", "0 : Reserved"}, {"2", "2 : System utilities"}, {"3", "3 : Do not reboot"}, {"4", "4"}}},
        {L"BootOptionOnWatchDog", Win32_ComputerSystem,
         {{"0", "0 : Reserved"}, {"1", "1 : Operating system"}, {"3", "3 : Do not reboot"}, {"4", "4"}}},
        {L"AnswerMode", Win32_POTSModem,
         {{"0", "0 : Unknown"}, {"1", "1 : Other"}, {"5", "5 : Auto Answer with Call-Back"}, {"6", "6"}}},
        {L"CompressionInfo", Win32_POTSModem,
         {{"0", "0 : Unknown"}, {"3", "3 : MNP 5"}, {"4", "4 : V.42bis"}, {"5", "5"}}},
        {L"ErrorControlInfo", Win32_POTSModem,
         {{"0", "0 : Unknown"}, {"3", "3 : MNP 4"}, {"4", "4 : LAPM"}, {"5", "5"}}},
        {L"ModulationScheme", Win32_POTSModem,
         {{"0", "0 : Unknown"}, {"6", "6 : V.32"}, {"11", "11 : V.34bis"}, {"12", "12"}}},
        {L"Capabilities", Win32_ParallelPort,
         {{"0", "0 : Unknown"}, {"4", "4 : ECP"}, {"8", "8 : PC-H98"}, {"9", "9"}}},
        {L"SoftwareElementState", Win32_BIOS,
         {{"0", "0 : Deployable"}, {"2", "2 : Executable"}, {"3", "3 : Running"}, {"4", "4"}}},
        {L"Direction", Win32_BindImageAction,
         {{"0", "0 : Install"}, {"1", "1 : Uninstall"}, {"2", "2"}}},
        // A set of bits, listed like every other flag set.
        {L"Status", Win32_UserProfile,
         {{"1", "1 : " + kTemporary},
          {"4", "4 : Mandatory - The profile is a mandatory profile."},
          {"8", "8 : " + kCorrupted},
          {"9", "9 : " + kTemporary + "|" + kCorrupted},
          {"16", "16"}}},
    };
    for (const DocumentedTable& table : tables)
        for (const auto& [value, text] : table.shown)
            EXPECT_EQ(DecodeI4(table.name, value, table.classId), text)
                << ToNarrow(table.name) << " " << value;
}

TEST_F(DocumentedCodes, StatusOfOtherClassesStaysAsItIs)
{
    EXPECT_EQ(Decode(L"Status", VT_BSTR, "OK", Win32_Service), "OK");
    EXPECT_EQ(DecodeI4(L"Status", "2", Win32_Process), "2");
    EXPECT_EQ(Decode(L"Status", VT_BSTR, "2", Win32_UserProfile), "2");
}
