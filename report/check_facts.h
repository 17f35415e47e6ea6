// The values of a stored check read by WMI class and property name, as the store's views
// read them: the raw value as text (numbers in decimal, booleans 1 or 0, arrays as JSON)
// or the text Mirel showed.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/stored_check.h"

class CheckFacts {
public:
    explicit CheckFacts(const StoredCheck& check) : check_(check) {}

    // The objects of the class; empty when the check did not read it.
    const std::vector<StoredObject>& Objects(const char* className) const;
    const StoredPart* Part(const char* className) const { return check_.FindPart(className); }

    // The cell of `property` of `object` of `part`; null when the part has no such property.
    static const StoredCell* Cell(const StoredPart& part, const StoredObject& object, std::string_view property);
    static std::string Raw(const StoredPart& part, const StoredObject& object, std::string_view property);
    static std::string Shown(const StoredPart& part, const StoredObject& object, std::string_view property);
    // The raw value as a whole number; false when it is none.
    static bool Number(const StoredPart& part, const StoredObject& object, std::string_view property,
                       int64_t& number);
    // The texts of an array value (or the one text of a single value), empty ones left out.
    static std::vector<std::string> Texts(const StoredPart& part, const StoredObject& object,
                                          std::string_view property);

    // Of the first object of the class.
    std::string FirstRaw(const char* className, std::string_view property) const;
    std::string FirstShown(const char* className, std::string_view property) const;

private:
    const StoredCheck& check_;
    const std::vector<StoredObject> none_;
};
