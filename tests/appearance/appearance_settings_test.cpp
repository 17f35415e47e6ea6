// The stored appearance ("ApplicationLook" under HKCU\Software\Tollbrook\Mirel),
// read and written in the real registry of the test prefix.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "appearance/appearance_settings.h"

namespace {

constexpr const char* kScratchKey = "Software\\Tollbrook\\MirelAppearanceTest";

// Puts the program's own value back the way the test found it.
class ProgramValueGuard {
public:
    ProgramValueGuard()
    {
        DWORD size = 0;
        existed_ = RegGetValueA(HKEY_CURRENT_USER, kMirelSettingsKey, kApplicationLookValue, RRF_RT_ANY,
                                &type_, nullptr, &size) == ERROR_SUCCESS;
        if (existed_) {
            data_.resize(size);
            RegGetValueA(HKEY_CURRENT_USER, kMirelSettingsKey, kApplicationLookValue, RRF_RT_ANY, &type_,
                         data_.data(), &size);
        }
    }
    ~ProgramValueGuard()
    {
        if (existed_)
            RegSetKeyValueA(HKEY_CURRENT_USER, kMirelSettingsKey, kApplicationLookValue, type_, data_.data(),
                            static_cast<DWORD>(data_.size()));
        else
            RegDeleteKeyValueA(HKEY_CURRENT_USER, kMirelSettingsKey, kApplicationLookValue);
    }

private:
    bool existed_ = false;
    DWORD type_ = 0;
    std::vector<BYTE> data_;
};

class ApplicationLookSettings : public testing::Test {
protected:
    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey); }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey); }

    static void StoreRaw(DWORD type, const void* data, DWORD size)
    {
        ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, kScratchKey, kApplicationLookValue, type, data, size),
                  ERROR_SUCCESS);
    }
    static int Read() { return ReadApplicationLook(HKEY_CURRENT_USER, kScratchKey); }
};

TEST_F(ApplicationLookSettings, RoundTripUnderTheProgramKey)
{
    ProgramValueGuard guard;
    ASSERT_TRUE(WriteApplicationLook(217));
    EXPECT_EQ(ReadApplicationLook(), 217);

    DWORD type = 0, value = 0, size = sizeof(value);
    ASSERT_EQ(RegGetValueA(HKEY_CURRENT_USER, "Software\\Tollbrook\\Mirel", "ApplicationLook", RRF_RT_ANY,
                           &type, &value, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(value, 217u);

    ASSERT_TRUE(WriteApplicationLook(210));
    EXPECT_EQ(ReadApplicationLook(), 210);
}

TEST_F(ApplicationLookSettings, MissingKeyOrValueGivesTheDefault)
{
    EXPECT_EQ(Read(), 214);
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kScratchKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(Read(), 214);

    ASSERT_TRUE(WriteApplicationLook(HKEY_CURRENT_USER, kScratchKey, 218));
    EXPECT_EQ(Read(), 218);
}

TEST_F(ApplicationLookSettings, GarbageGivesTheDefault)
{
    StoreRaw(REG_SZ, "217", 4);
    EXPECT_EQ(Read(), 214) << "text instead of a DWORD";

    DWORD outside = 999;
    StoreRaw(REG_DWORD, &outside, sizeof(outside));
    EXPECT_EQ(Read(), 214) << "not an appearance id";

    DWORD previous = 209;
    StoreRaw(REG_DWORD, &previous, sizeof(previous));
    EXPECT_EQ(Read(), 214) << "just below the range";

    unsigned long long wide = 217;
    StoreRaw(REG_QWORD, &wide, sizeof(wide));
    EXPECT_EQ(Read(), 214) << "a QWORD";

    BYTE shortData[2] = {217, 0};
    StoreRaw(REG_BINARY, shortData, sizeof(shortData));
    EXPECT_EQ(Read(), 214) << "two bytes of binary data";

    DWORD valid = 213;
    StoreRaw(REG_DWORD, &valid, sizeof(valid));
    EXPECT_EQ(Read(), 213);
}

TEST_F(ApplicationLookSettings, InvalidIdsAreNotWritten)
{
    ASSERT_TRUE(WriteApplicationLook(HKEY_CURRENT_USER, kScratchKey, 216));
    EXPECT_FALSE(WriteApplicationLook(HKEY_CURRENT_USER, kScratchKey, 209));
    EXPECT_FALSE(WriteApplicationLook(HKEY_CURRENT_USER, kScratchKey, 219));
    EXPECT_FALSE(WriteApplicationLook(HKEY_CURRENT_USER, kScratchKey, 0));
    EXPECT_EQ(Read(), 216);
}

}  // namespace
