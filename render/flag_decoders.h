// The flag-set decoders: the value followed by the names of its set bits
// ("272 : Own Process|Interactive Process").
#pragma once
#include "render/table_types.h"

// The plain flag-set decoder (ServiceType, AccessMask, DaysOfWeek, ...): fails on empty
// text and, unless the table takes any type, on a type that is not an integer type.
bool DecodeFlagSet(const DecoderTables& tables, int classId, VARTYPE type,
                   std::string_view text, std::string& decoded);

// Attributes: flags of printers and file specifications, codes of software features,
// the plain value for every other class.
bool DecodeAttributes(const DecoderTables& tables, int classId, VARTYPE type,
                      std::string_view text, std::string& decoded);

// Type: flags of command-line access and TCP/IP printer ports, codes of a few other
// classes; no decoding for the rest.
bool DecodeType(const DecoderTables& tables, int classId, VARTYPE type,
                std::string_view text, std::string& decoded);
