#include "store/raw_cell.h"

#include <charconv>
#include <cstdlib>
#include <utility>

#include <nlohmann/json.hpp>

#include "base/raw_value_json.h"

namespace {

using Json = nlohmann::json;

Json ToJson(const RawValue& raw)
{
    return RawValueJson<Json>(raw);
}

RawValue FromJson(const Json& json)
{
    switch (json.type()) {
    case Json::value_t::boolean:
        return RawValue{json.get<bool>()};
    case Json::value_t::number_integer:
        return RawValue{json.get<int64_t>()};
    case Json::value_t::number_unsigned:
        return RawValue{json.get<uint64_t>()};
    case Json::value_t::number_float:
        return RawValue{json.get<double>()};
    case Json::value_t::string:
        return RawValue{json.get<std::string>()};
    case Json::value_t::array: {
        RawArray elements;
        for (const Json& element : json)
            elements.push_back(FromJson(element));
        return RawValue{std::move(elements)};
    }
    default:
        return RawValue{};
    }
}

std::string RealText(double value)
{
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

template <class Number>
bool ReadNumber(const std::string& text, Number& number)
{
    const auto result = std::from_chars(text.data(), text.data() + text.size(), number);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

}  // namespace

RawCellText EncodeRaw(const RawValue& raw)
{
    return std::visit([&raw](const auto& value) -> RawCellText {
        using Type = std::decay_t<decltype(value)>;
        if constexpr (std::is_same_v<Type, std::monostate>)
            return {RawKind::Null, {}};
        else if constexpr (std::is_same_v<Type, bool>)
            return {RawKind::Boolean, value ? "1" : "0"};
        else if constexpr (std::is_same_v<Type, int64_t>)
            return {RawKind::Signed, std::to_string(value)};
        else if constexpr (std::is_same_v<Type, uint64_t>)
            return {RawKind::Unsigned, std::to_string(value)};
        else if constexpr (std::is_same_v<Type, double>)
            return {RawKind::Real, RealText(value)};
        else if constexpr (std::is_same_v<Type, std::string>)
            return {RawKind::Text, value};
        else
            return {RawKind::Array, ToJson(raw).dump(-1, ' ', false, Json::error_handler_t::replace)};
    }, raw.value);
}

RawValue DecodeRaw(int kind, std::string text, unsigned short vartype)
{
    RawValue raw;
    switch (static_cast<RawKind>(kind)) {
    case RawKind::Boolean:
        raw.value = text == "1";
        break;
    case RawKind::Signed:
        if (int64_t number = 0; ReadNumber(text, number))
            raw.value = number;
        break;
    case RawKind::Unsigned:
        if (uint64_t number = 0; ReadNumber(text, number))
            raw.value = number;
        break;
    case RawKind::Real:
        if (double number = 0; ReadNumber(text, number))
            raw.value = number;
        break;
    case RawKind::Text:
        raw.value = std::move(text);
        break;
    case RawKind::Array:
        raw = FromJson(Json::parse(text, nullptr, false));
        break;
    case RawKind::Null:
        break;
    }
    raw.vartype = vartype;
    return raw;
}
