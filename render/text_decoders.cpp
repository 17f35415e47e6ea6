#include "render/text_decoders.h"

#include "base/class_ids.h"
#include "render/code_reader.h"
#include "render/code_tables.h"
#include "render/decode.h"
#include "render/decoded_text.h"
#include "render/pattern_tables.h"
#include "base/text_util.h"

namespace {

struct RegistryRoot {
    std::string_view prefix;
    std::string_view key;
};

// The root numbers that begin the Path of a registry component, in comparison order.
constexpr RegistryRoot kRegistryRoots[] = {
    {"00:", "HKEY_CLASSES_ROOT"},
    {"01:", "HKEY_CURRENT_USER"},
    {"02:", "HKEY_LOCAL_MACHINE"},
    {"03:", "HKEY_USERS"},
};

}  // namespace

bool DecodeWord(const DecoderTables& tables, int, VARTYPE, std::string_view text,
                std::string& decoded)
{
    if (text.empty())
        return false;
    std::string word(text);
    for (const WordText& known : tables.words) {
        if (CompareNoCase(word.c_str(), known.word) == 0) {
            decoded = DecodedText(known.id);
            return true;
        }
    }
    return false;
}

bool DecodeErrorControl(const DecoderTables& tables, int classId, VARTYPE type,
                        std::string_view text, std::string& decoded)
{
    if (text.empty())
        return false;
    if (HasCodeRowsFor(tables.codes, classId))
        return DecodeCodeText(tables.codes, classId, text, decoded);
    return DecodeWord(tables, classId, type, text, decoded);
}

bool DecodeRegistryPath(const DecoderTables&, int classId, VARTYPE, std::string_view text,
                        std::string& decoded)
{
    if (text.empty() || classId != ClassId::Win32_SoftwareElement)
        return false;
    // Digits and the colon have no case, so the bytes compare as they are.
    for (const RegistryRoot& root : kRegistryRoots) {
        if (text.substr(0, root.prefix.size()) == root.prefix) {
            decoded.assign(root.key);
            decoded.append(text.substr(root.prefix.size()));
            return true;
        }
    }
    return false;
}

bool DecodeOverwriteOutDated(const DecoderTables& tables, int classId, VARTYPE type,
                             std::string_view text, std::string& decoded)
{
    if (text.empty() || !IsIntegerVarType(type))
        return false;
    if (DecodeCodeText(tables.codes, classId, text, decoded))
        return true;
    decoded.assign(text);
    decoded += DecodedText(UnitSuffixFor(tables.units, classId));
    return true;
}

bool DecodePrintQuality(const DecoderTables& tables, int classId, VARTYPE type,
                        std::string_view text, std::string& decoded)
{
    if (text.empty() || !IsIntegerVarType(type))
        return false;
    if (DecodeCodeText(tables.codes, classId, text, decoded))
        return true;
    if (ReadCode(text) <= 0)
        return false;
    decoded.assign(text);
    decoded += DecodedText(UnitSuffixFor(tables.units, classId));
    return true;
}

bool DecodeUnitOrCode(const DecoderTables& tables, int classId, VARTYPE type,
                      std::string_view text, std::string& decoded)
{
    if (text.empty() || !IsIntegerVarType(type))
        return false;
    if (UINT unit = UnitSuffixFor(tables.units, classId)) {
        decoded.assign(text);
        decoded += DecodedText(unit);
        return true;
    }
    return DecodeCodeText(tables.codes, classId, text, decoded);
}
