#include "render/flag_decoders.h"

#include "render/code_reader.h"
#include "render/code_tables.h"
#include "render/decode.h"
#include "render/decoded_text.h"

namespace {

bool HasFlagRunsFor(const FlagTable& table, int classId)
{
    return std::any_of(table.runs.begin(), table.runs.end(),
                       [&](const FlagRun& run) { return run.classes.Contains(classId); });
}

// Appends " : " and the names of the bits of `code` that the class's runs know, joined
// by "|"; a special whole value appends its one name instead.
void AppendFlagList(const FlagTable& table, int classId, int code, std::string& decoded)
{
    if (table.special && code == table.special->code) {
        decoded += " : ";
        decoded += DecodedText(table.special->id);
        return;
    }
    bool classHasRuns = HasFlagRunsFor(table, classId);
    const char* separator = " : ";
    auto bits = static_cast<unsigned>(code);
    for (const FlagRun& run : table.runs) {
        if (classHasRuns ? !run.classes.Contains(classId) : !run.classes.Empty())
            continue;
        UINT id = run.firstId;
        for (unsigned mask = run.firstMask; mask != 0; mask <<= 1, ++id) {
            if (bits & mask) {
                decoded += separator;
                decoded += DecodedText(id);
                separator = "|";
            }
            if (mask == run.lastMask)
                break;
        }
    }
}

// The value followed by its flag list.
void DecodeBits(const FlagTable& table, int classId, std::string_view text, std::string& decoded)
{
    decoded.assign(text);
    AppendFlagList(table, classId, ReadCode(text), decoded);
}

}  // namespace

bool DecodeFlagSet(const DecoderTables& tables, int classId, VARTYPE type,
                   std::string_view text, std::string& decoded)
{
    if (text.empty() || (!tables.flags.anyType && !IsIntegerVarType(type)))
        return false;
    DecodeBits(tables.flags, classId, text, decoded);
    return true;
}

bool DecodeAttributes(const DecoderTables& tables, int classId, VARTYPE type,
                      std::string_view text, std::string& decoded)
{
    if (text.empty() || !IsIntegerVarType(type))
        return false;
    if (HasFlagRunsFor(tables.flags, classId)) {
        DecodeBits(tables.flags, classId, text, decoded);
        return true;
    }
    if (HasCodeRowsFor(tables.codes, classId))
        return DecodeCodeText(tables.codes, classId, text, decoded);
    decoded.assign(text);
    return true;
}

bool DecodeType(const DecoderTables& tables, int classId, VARTYPE type,
                std::string_view text, std::string& decoded)
{
    if (text.empty() || !IsIntegerVarType(type))
        return false;
    if (HasFlagRunsFor(tables.flags, classId)) {
        DecodeBits(tables.flags, classId, text, decoded);
        return true;
    }
    return DecodeCodeText(tables.codes, classId, text, decoded);
}
