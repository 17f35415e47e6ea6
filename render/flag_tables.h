// The flag tables of the bit-set properties (ServiceType, AccessMask, DaysOfWeek, ...),
// generated from render/tables/flag_runs.tsv, flag_specials.tsv and flag_any_type.tsv.
#pragma once
#include "render/table_types.h"

// The runs of every flag table, each decoder's runs together, in output order.
std::span<const FlagRun> FlagRuns();
// Whole values shown by one name instead of their bits (AccessMask, Flags, TypeofService).
std::span<const FlagSpecialValue> FlagSpecialValues();
// The flag-set decoders that decode a value of any type, not only integer types.
std::span<const char* const> AnyTypeFlagSets();

// The flag runs, special value and type rule of `decoder`; empty runs when it has none.
FlagTable FindFlagTable(std::string_view decoder);
