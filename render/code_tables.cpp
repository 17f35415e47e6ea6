#include "render/code_tables.h"

#include <algorithm>

#include "render/code_reader.h"
#include "render/decode.h"
#include "render/decoded_text.h"

namespace {

UINT LookupInList(const CodeList& list, int code)
{
    auto found = std::lower_bound(list.codes.begin(), list.codes.end(), code);
    if (found == list.codes.end() || *found != code)
        return 0;
    return list.firstId + static_cast<UINT>(found - list.codes.begin());
}

}  // namespace

CodeTable FindCodeTable(std::string_view decoder, std::span<const CodeRange> ranges)
{
    CodeTable table;
    table.ranges = RowsOfDecoder(ranges, decoder);
    table.lists = RowsOfDecoder(CodeLists(), decoder);
    for (const CodeFallback& fallback : CodeFallbacks())
        if (decoder == fallback.decoder)
            table.fallbackId = fallback.id;
    return table;
}

bool HasCodeRowsFor(const CodeTable& table, int classId)
{
    return std::any_of(table.ranges.begin(), table.ranges.end(),
                       [&](const CodeRange& row) { return row.classes.Contains(classId); });
}

UINT LookupCode(const CodeTable& table, int classId, int code)
{
    bool classHasRows = HasCodeRowsFor(table, classId);
    for (const CodeRange& row : table.ranges) {
        bool forClass = classHasRows ? row.classes.Contains(classId) : row.classes.Empty();
        if (forClass && code >= row.first && code <= row.last)
            return row.firstId + static_cast<UINT>(code - row.first);
    }
    for (const CodeList& list : table.lists)
        if (UINT id = LookupInList(list, code))
            return id;
    return table.fallbackId;
}

bool DecodeCodeText(const CodeTable& table, int classId, std::string_view text, std::string& decoded)
{
    UINT id = LookupCode(table, classId, ReadCode(text));
    if (id == 0)
        return false;
    decoded = DecodedText(id);
    return true;
}

bool DecodeCodeTable(const DecoderTables& tables, int classId, VARTYPE type,
                     std::string_view text, std::string& decoded)
{
    if (text.empty() || !IsIntegerVarType(type))
        return false;
    return DecodeCodeText(tables.codes, classId, text, decoded);
}
