// The tables of the unit, text and class-dependent decoders that are no plain code
// tables: their code rows, their fixed words and their unit texts, generated from
// render/tables/pattern_ranges.tsv, words.tsv and units.tsv.
#pragma once
#include "render/table_types.h"

// The code rows of Attributes, Type, CurrentUsage, MaxDataWidth, ErrorControl,
// OverwriteOutDated and PrintQuality, each decoder's rows together.
std::span<const CodeRange> PatternCodeRanges();
// The fixed words of ErrorControl, StartMode, DefInprocHandler, Registration and
// PortSubClass, each decoder's words together.
std::span<const WordText> WordTexts();
std::span<const UnitSuffix> UnitSuffixes();

// The unit text among `units` for class `classId`; 0 when none applies.
UINT UnitSuffixFor(std::span<const UnitSuffix> units, int classId);
