#include "render/route_index.h"

#include <algorithm>
#include <string>
#include <vector>

#include "render/property_routes.h"

namespace {

constexpr size_t kLongestName = 63;

// ASCII letters folded to lower case into `buffer`; false for a name that cannot be in
// the lists (too long, or with a character outside ASCII).
bool FoldName(std::string_view name, char* buffer, size_t& length)
{
    if (name.size() > kLongestName)
        return false;
    for (size_t index = 0; index < name.size(); ++index) {
        auto c = static_cast<unsigned char>(name[index]);
        if (c >= 0x80)
            return false;
        buffer[index] = static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
    }
    length = name.size();
    return true;
}

std::string FoldedName(std::string_view name)
{
    char buffer[kLongestName + 1];
    size_t length = 0;
    FoldName(name, buffer, length);
    return std::string(buffer, length);
}

class PropertyIndex {
public:
    PropertyIndex()
    {
        std::span<const PropertyRoute> routes = PropertyRoutes();
        decoders_.reserve(routes.size());  // entries point into it: no reallocation
        for (const PropertyRoute& route : routes)
            Add(route.name).decoder = &DecoderNamed(route.decoder);
        for (const char* name : NumericPropertyNames())
            Add(name).numeric = true;
        std::sort(entries_.begin(), entries_.end(),
                  [](const Entry& left, const Entry& right) { return left.name < right.name; });
    }

    const PropertyEntry* Find(std::string_view name) const
    {
        char buffer[kLongestName + 1];
        size_t length = 0;
        if (!FoldName(name, buffer, length))
            return nullptr;
        std::string_view folded(buffer, length);
        auto found = std::lower_bound(entries_.begin(), entries_.end(), folded,
                                      [](const Entry& entry, std::string_view key) { return entry.name < key; });
        if (found == entries_.end() || found->name != folded)
            return nullptr;
        return &found->entry;
    }

private:
    struct Entry {
        std::string name;  // folded to lower case
        PropertyEntry entry;
    };

    PropertyEntry& Add(std::string_view name)
    {
        std::string folded = FoldedName(name);
        for (Entry& existing : entries_)
            if (existing.name == folded)
                return existing.entry;
        entries_.push_back({folded, {}});
        return entries_.back().entry;
    }

    const RoutedDecoder& DecoderNamed(std::string_view name)
    {
        for (const RoutedDecoder& decoder : decoders_)
            if (decoder.name == name)
                return decoder;
        decoders_.push_back(ResolveDecoder(name));
        return decoders_.back();
    }

    std::vector<RoutedDecoder> decoders_;
    std::vector<Entry> entries_;
};

const PropertyIndex& Index()
{
    static const PropertyIndex index;  // built once, thread-safely, then read only
    return index;
}

}  // namespace

const PropertyEntry* FindPropertyEntry(std::string_view name)
{
    return Index().Find(name);
}
