// The short labels the standard lists show for long decoded texts (standard/short_labels.tsv).
#pragma once
#include <span>
#include <string>
#include <utility>
#include <vector>

struct ShortLabel {
    const wchar_t* property;   // the WMI property of the column
    int longId;                // the decoded text as the check renders it
    int shortId;               // the label the standard lists show
};

std::span<const ShortLabel> ShortLabels();

// The long texts of `property` with their short labels, in the current text language;
// empty when the property has none.
std::vector<std::pair<std::string, std::string>> ShortLabelsOf(const wchar_t* property);
