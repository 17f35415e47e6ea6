// A raw value as JSON: null for an empty value, an array for an array, the number, boolean or
// text itself otherwise. A template over the JSON type, so that the exports (whose keys keep
// their order) and the store (which only reads values back) share it.
#pragma once
#include <type_traits>
#include <variant>

#include "base/raw_value.h"

template <class Json>
Json RawValueJson(const RawValue& raw)
{
    return std::visit([](const auto& value) -> Json {
        using Type = std::decay_t<decltype(value)>;
        if constexpr (std::is_same_v<Type, std::monostate>) {
            return nullptr;
        } else if constexpr (std::is_same_v<Type, RawArray>) {
            Json elements = Json::array();
            for (const RawValue& element : value)
                elements.push_back(RawValueJson<Json>(element));
            return elements;
        } else {
            return Json(value);
        }
    }, raw.value);
}
