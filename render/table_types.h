// The shapes of the constant tables behind the property decoders, and of a decoder
// bound to its tables. Every table names the decoder it belongs to by the first
// property name that routes to that decoder ("Capabilities" for Capabilities,
// CurrentCapabilities and DefaultCapabilities).
#pragma once
#include <windows.h>

#include <algorithm>
#include <span>
#include <string>
#include <string_view>

// A few class identifiers; the empty set stands for every class that has no set of
// its own in the same table.
struct ClassSet {
    int ids[4];

    constexpr bool Empty() const { return ids[0] == 0; }
    constexpr bool Contains(int classId) const
    {
        for (int id : ids)
            if (id != 0 && id == classId)
                return true;
        return false;
    }
};

// Codes first..last give string IDs firstId, firstId + 1, ... (one code: first == last).
struct CodeRange {
    const char* decoder;
    ClassSet classes;
    int first;
    int last;
    UINT firstId;
};

// A long table: the n-th listed code (counting from 0) gives string firstId + n.
// The codes are in ascending order.
struct CodeList {
    const char* decoder;
    std::span<const int> codes;
    UINT firstId;
};

// Every code that the decoder's table does not list gives string `id`.
struct CodeFallback {
    const char* decoder;
    UINT id;
};

// Bits firstMask, 2 * firstMask, ..., lastMask give string IDs firstId, firstId + 1, ...
// Names are listed in the order of the runs.
struct FlagRun {
    const char* decoder;
    ClassSet classes;
    unsigned firstMask;
    unsigned lastMask;
    UINT firstId;
};

// A whole value that is shown by one name instead of its bits.
struct FlagSpecialValue {
    const char* decoder;
    int code;
    UINT id;
};

// A fixed word of a string-valued property (compared without regard to case).
struct WordText {
    const char* decoder;
    const char* word;
    UINT id;
};

// A unit text appended to the number (string 5001-5004), for the classes of the set
// (the empty set: every class).
struct UnitSuffix {
    const char* decoder;
    ClassSet classes;
    UINT id;
};

// The code rows of one decoder. A decoder with class sets uses the rows of the set that
// holds the class, or else the rows without a set; no row then means no table.
struct CodeTable {
    std::span<const CodeRange> ranges;
    std::span<const CodeList> lists;
    UINT fallbackId = 0;

    bool Empty() const { return ranges.empty() && lists.empty() && fallbackId == 0; }
};

// The flag runs of one decoder, chosen by class like the code rows.
struct FlagTable {
    std::span<const FlagRun> runs;
    const FlagSpecialValue* special = nullptr;
    bool anyType = false;  // decoded whatever the VARIANT type

    bool Empty() const { return runs.empty(); }
};

// Everything one decoder reads.
struct DecoderTables {
    CodeTable codes;
    FlagTable flags;
    std::span<const WordText> words;
    std::span<const UnitSuffix> units;
};

// The rows of `decoder` in `rows`, where each decoder's rows stand together.
template <typename Row>
std::span<const Row> RowsOfDecoder(std::span<const Row> rows, std::string_view decoder)
{
    auto first = std::find_if(rows.begin(), rows.end(),
                              [&](const Row& row) { return decoder == row.decoder; });
    auto last = std::find_if(first, rows.end(),
                             [&](const Row& row) { return decoder != row.decoder; });
    return {first, last};
}

// The decoder contract: the class of the object, the VARIANT type of the value (the
// element type for array elements) and the trimmed text in; true with the text to show
// in `decoded`, or false when the decoder does not recognise the value.
using TableDecoder = bool (*)(const DecoderTables& tables, int classId, VARTYPE type,
                              std::string_view text, std::string& decoded);
