// The store's tables of object identity and volatile properties, generated from
// store/identity.tsv and store/volatile.tsv (see there).
#pragma once
#include <span>

struct ClassIdentityRule {
    const char* className;
    const char* identity;   // "a,b", "a|b", "-" or "*"
};

struct VolatileProperty {
    const char* className;
    const char* property;   // "*": the whole class
};

// Both sorted by class name without regard to case (volatile properties then by name).
std::span<const ClassIdentityRule> ClassIdentityRules();
std::span<const VolatileProperty> VolatileProperties();
