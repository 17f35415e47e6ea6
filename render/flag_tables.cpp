#include "render/flag_tables.h"

#include <algorithm>

FlagTable FindFlagTable(std::string_view decoder)
{
    FlagTable table;
    table.runs = RowsOfDecoder(FlagRuns(), decoder);
    for (const FlagSpecialValue& special : FlagSpecialValues())
        if (decoder == special.decoder)
            table.special = &special;
    std::span<const char* const> anyType = AnyTypeFlagSets();
    table.anyType = std::any_of(anyType.begin(), anyType.end(),
                                [&](const char* name) { return decoder == name; });
    return table;
}
