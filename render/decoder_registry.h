// Binding a decoder name (the first property name that routes to it) to its function
// and its tables.
#pragma once
#include "render/table_types.h"

// A decoder that reads the computer the value came from (`host`, empty: the local one).
using HostDecoder = bool (*)(std::string_view host, std::string_view text, std::string& decoded);

struct RoutedDecoder {
    std::string_view name;
    TableDecoder decode = nullptr;  // null: no decoder of that name exists
    HostDecoder decodeOnHost = nullptr;
    DecoderTables tables;

    bool Run(int classId, VARTYPE type, std::string_view text, std::string_view host,
             std::string& decoded) const
    {
        if (decodeOnHost)
            return decodeOnHost(host, text, decoded);
        return decode && decode(tables, classId, type, text, decoded);
    }
};

// The decoder called `name`: its own function where it has one, else the flag-set
// decoder when it has flag runs, else the code-table decoder when it has code rows.
RoutedDecoder ResolveDecoder(std::string_view name);
