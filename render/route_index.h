// Finding a property's decoder and grouping rule by its name, without regard to case.
#pragma once
#include <string_view>

#include "render/decoder_registry.h"

struct PropertyEntry {
    const RoutedDecoder* decoder = nullptr;  // null: the property has no decoder
    bool numeric = false;                    // listed among the numeric property names
};

// The entry of the property name `name` (UTF-8); null when the name is
// neither routed to a decoder nor numeric. Both lists hold ASCII names only, and a name
// with any other character equals none of them. The index is built on first use;
// safe to call from several threads at once.
const PropertyEntry* FindPropertyEntry(std::string_view name);
