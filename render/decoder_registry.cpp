#include "render/decoder_registry.h"

#include "render/code_tables.h"
#include "render/flag_decoders.h"
#include "render/flag_tables.h"
#include "render/formats.h"
#include "render/pattern_tables.h"
#include "render/text_decoders.h"

namespace {

struct NamedDecoder {
    const char* name;
    TableDecoder decode;
};

bool DecodeCimDateTime(const DecoderTables&, int classId, VARTYPE type, std::string_view text,
                       std::string& decoded)
{
    return FormatCimDateTime(classId, type, text, decoded);
}

bool DecodeInstalledOn(const DecoderTables&, int classId, VARTYPE type, std::string_view text,
                       std::string& decoded)
{
    return FormatInstalledOn(classId, type, text, decoded);
}

bool DecodeAccountSidLocally(const DecoderTables&, int, VARTYPE, std::string_view text,
                             std::string& decoded)
{
    return FormatAccountFromSid({}, text, decoded);
}

// Decoders that are neither a plain flag set nor a plain code table.
constexpr NamedDecoder kNamedDecoders[] = {
    {"ErrorControl", DecodeErrorControl},
    {"StartMode", DecodeWord},
    {"DefInprocHandler", DecodeWord},
    {"Registration", DecodeWord},
    {"PortSubClass", DecodeWord},
    {"Path", DecodeRegistryPath},
    {"Attributes", DecodeAttributes},
    {"Type", DecodeType},
    {"OverwriteOutDated", DecodeOverwriteOutDated},
    {"PrintQuality", DecodePrintQuality},
    {"CurrentUsage", DecodeUnitOrCode},
    {"MaxDataWidth", DecodeUnitOrCode},
    {"InstalledOn", DecodeInstalledOn},
    {"InstalledBy", DecodeAccountSidLocally},
    {"InstallDate", DecodeCimDateTime},
};

}  // namespace

RoutedDecoder ResolveDecoder(std::string_view name)
{
    RoutedDecoder decoder;
    decoder.name = name;
    decoder.tables.codes = FindCodeTable(name, CodeRanges());
    if (decoder.tables.codes.Empty())
        decoder.tables.codes = FindCodeTable(name, PatternCodeRanges());
    decoder.tables.flags = FindFlagTable(name);
    decoder.tables.words = RowsOfDecoder(WordTexts(), name);
    decoder.tables.units = RowsOfDecoder(UnitSuffixes(), name);
    for (const NamedDecoder& named : kNamedDecoders)
        if (name == named.name)
            decoder.decode = named.decode;
    if (decoder.decode == DecodeAccountSidLocally)
        decoder.decodeOnHost = FormatAccountFromSid;
    if (!decoder.decode && !decoder.tables.flags.Empty())
        decoder.decode = DecodeFlagSet;
    else if (!decoder.decode && !decoder.tables.codes.Empty())
        decoder.decode = DecodeCodeTable;
    return decoder;
}
