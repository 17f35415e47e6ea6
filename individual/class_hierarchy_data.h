// The constant data of the three levels of the individual check, generated from
// individual/hierarchy.tsv.
#pragma once
#include <span>

struct MemberList {
    const int* ids;
    int count;
};

struct ClassGroup {
    int code;
    int stringId;
};

struct ClassCategory {
    int code;
    int groupCode;
    int stringId;
    MemberList members;
    // Every catalog class whose name begins with this text is a member as well.
    const char* memberPrefix = nullptr;
};

// The groups and the categories in list order.
std::span<const ClassGroup> ClassGroups();
std::span<const ClassCategory> ClassCategories();
