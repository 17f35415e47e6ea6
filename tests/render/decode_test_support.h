// Shared helpers of the decoder tests.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "base/class_ids.h"
#include "render/decode.h"
#include "base/narrow.h"
#include "resources/text.h"

// The English text of a string-table entry, as the decoders show it in English.
inline std::string EnglishText(UINT id)
{
    return ToNarrow(LoadTextInLanguage(id, kEnglishLanguage));
}

// Decoding with the English texts pinned, whatever the system's language.
class EnglishDecoding : public testing::Test {
protected:
    void SetUp() override { SetTextLanguage(kEnglishLanguage); }
    void TearDown() override { SetTextLanguage(0); }

    // A value of an object of no particular class (most decoders ignore the class).
    static std::string Decode(const wchar_t* name, VARTYPE type, std::string text, int classId = 0)
    {
        return DecodePropertyValue(classId, type, name, std::move(text));
    }
    static std::string DecodeI4(const wchar_t* name, std::string text, int classId = 0)
    {
        return Decode(name, VT_I4, std::move(text), classId);
    }
};
