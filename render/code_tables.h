// The code tables of the coded properties (Availability, ConfigManagerErrorCode, ...)
// and the one decoder that reads all of them. The tables are generated from
// render/tables/code_ranges.tsv, code_lists.tsv and code_fallbacks.tsv.
#pragma once
#include "render/table_types.h"

// The rows of every code table, each decoder's rows together.
std::span<const CodeRange> CodeRanges();
// The three long tables: OSLanguage, Family and ID (the last in two parts).
std::span<const CodeList> CodeLists();
// Tables that give one text to every code they do not list (ThreadWaitReason).
std::span<const CodeFallback> CodeFallbacks();

// The code rows of `decoder` among `ranges` and the long tables; empty when it has none.
CodeTable FindCodeTable(std::string_view decoder, std::span<const CodeRange> ranges);

// True when some row of the table is for class `classId` (not counting rows without
// classes).
bool HasCodeRowsFor(const CodeTable& table, int classId);

// The string ID of `code` for an object of class `classId`; 0 when the table does not
// give the code a text (or has no rows for the class).
UINT LookupCode(const CodeTable& table, int classId, int code);

// The text of the code read from `text`; false when the table does not list it.
bool DecodeCodeText(const CodeTable& table, int classId, std::string_view text, std::string& decoded);

// The code-table decoder: fails on empty text, on a type that is not an integer type
// and on a code the table does not list; otherwise gives the code's text.
bool DecodeCodeTable(const DecoderTables& tables, int classId, VARTYPE type,
                     std::string_view text, std::string& decoded);
