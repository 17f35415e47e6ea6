// The store's tables of object identity, volatile properties and the properties an object
// is recognised by, generated from store/identity.tsv, store/volatile.tsv and
// store/recognised.tsv (see there).
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

struct RecognisedProperties {
    const char* className;
    const char* properties;   // "DisplayName,PathName"
};

// All three sorted by class name without regard to case (volatile properties then by name).
std::span<const ClassIdentityRule> ClassIdentityRules();
std::span<const VolatileProperty> VolatileProperties();
std::span<const RecognisedProperties> RecognisedPropertyLists();
