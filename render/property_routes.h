// Which property names have a decoder, and which are shown with digit grouping: the
// data of render/tables/routes.tsv and numeric_properties.tsv, generated at build time.
#pragma once
#include <span>

// A property name and the decoder it routes to, named by the first property name
// that routes to that decoder.
struct PropertyRoute {
    const char* name;
    const char* decoder;
};

// The routing table, in comparison order (names compare without regard to case and
// are all distinct, so the order never changes a result).
std::span<const PropertyRoute> PropertyRoutes();

// Sizes, counters, addresses and times that are grouped whatever their type (WMI
// delivers 64-bit integers as text), in case-insensitive alphabetical order.
std::span<const char* const> NumericPropertyNames();
