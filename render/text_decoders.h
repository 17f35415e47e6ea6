// Decoders of string-valued properties (fixed words, registry paths) and of numbers
// shown with a unit.
#pragma once
#include "render/table_types.h"

// StartMode, DefInprocHandler, Registration, PortSubClass: the text of the fixed word
// that equals the whole text without regard to case; any type.
bool DecodeWord(const DecoderTables& tables, int classId, VARTYPE type,
                std::string_view text, std::string& decoded);

// ErrorControl: a code for the classes of its code table (any type), a word otherwise.
bool DecodeErrorControl(const DecoderTables& tables, int classId, VARTYPE type,
                        std::string_view text, std::string& decoded);

// Path of Win32_SoftwareElement: "02:\SOFTWARE" -> "HKEY_LOCAL_MACHINE\SOFTWARE".
bool DecodeRegistryPath(const DecoderTables& tables, int classId, VARTYPE type,
                        std::string_view text, std::string& decoded);

// OverwriteOutDated: -1 and 0 by their texts, every other number in days.
bool DecodeOverwriteOutDated(const DecoderTables& tables, int classId, VARTYPE type,
                             std::string_view text, std::string& decoded);

// PrintQuality: -1 to -4 by their texts, a positive number in dots per inch.
bool DecodePrintQuality(const DecoderTables& tables, int classId, VARTYPE type,
                        std::string_view text, std::string& decoded);

// CurrentUsage, MaxDataWidth: the number with its unit for the class of the unit, the
// code's text for the classes of the code table, no decoding for the rest.
bool DecodeUnitOrCode(const DecoderTables& tables, int classId, VARTYPE type,
                      std::string_view text, std::string& decoded);
