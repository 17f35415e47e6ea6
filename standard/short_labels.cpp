#include "standard/short_labels.h"

#include <cwchar>

#include "resources/text.h"

std::vector<std::pair<std::string, std::string>> ShortLabelsOf(const wchar_t* property)
{
    std::vector<std::pair<std::string, std::string>> labels;
    for (const ShortLabel& label : ShortLabels())
        if (property && std::wcscmp(label.property, property) == 0)
            labels.emplace_back(LoadText(static_cast<UINT>(label.longId)), LoadText(static_cast<UINT>(label.shortId)));
    return labels;
}
