#include "report/check_facts.h"

#include "base/text_util.h"
#include "store/raw_cell.h"

const std::vector<StoredObject>& CheckFacts::Objects(const char* className) const
{
    const StoredPart* part = Part(className);
    return part ? part->objects : none_;
}

const StoredCell* CheckFacts::Cell(const StoredPart& part, const StoredObject& object, std::string_view property)
{
    for (size_t column = 0; column < part.properties.size() && column < object.cells.size(); ++column)
        if (EqualsNoCase(part.properties[column], std::string(property)))
            return &object.cells[column];
    return nullptr;
}

namespace {

// A cell of results that kept no raw values (the lists keep texts only): its shown text.
bool ShownOnly(const StoredCell& cell)
{
    return cell.raw.vartype == 0 && cell.raw.IsNull();
}

}  // namespace

std::string CheckFacts::Raw(const StoredPart& part, const StoredObject& object, std::string_view property)
{
    const StoredCell* cell = Cell(part, object, property);
    if (!cell)
        return {};
    if (!ShownOnly(*cell))
        return EncodeRaw(cell->raw).text;
    return cell->text == "True" ? "1" : cell->text == "False" ? "0" : cell->text;
}

std::string CheckFacts::Shown(const StoredPart& part, const StoredObject& object, std::string_view property)
{
    const StoredCell* cell = Cell(part, object, property);
    return cell ? cell->text : std::string();
}

bool CheckFacts::Number(const StoredPart& part, const StoredObject& object, std::string_view property,
                        int64_t& number)
{
    const StoredCell* cell = Cell(part, object, property);
    if (!cell)
        return false;
    if (!ShownOnly(*cell))
        return cell->raw.AsInteger(number);
    // Shown with its digits grouped: "500,105,249,280".
    std::string digits;
    for (char character : cell->text)
        if (character != ',')
            digits += character;
    return RawValue{digits}.AsInteger(number);
}

std::vector<std::string> CheckFacts::Texts(const StoredPart& part, const StoredObject& object,
                                           std::string_view property)
{
    std::vector<std::string> texts;
    const StoredCell* cell = Cell(part, object, property);
    if (!cell)
        return texts;
    if (ShownOnly(*cell)) {
        if (!cell->text.empty())
            texts.push_back(cell->text);
        return texts;
    }
    if (const RawArray* array = std::get_if<RawArray>(&cell->raw.value)) {
        for (const RawValue& element : *array) {
            std::string text = EncodeRaw(element).text;
            if (!text.empty())
                texts.push_back(std::move(text));
        }
    } else if (std::string text = EncodeRaw(cell->raw).text; !text.empty()) {
        texts.push_back(std::move(text));
    }
    return texts;
}

std::string CheckFacts::FirstRaw(const char* className, std::string_view property) const
{
    const StoredPart* part = Part(className);
    return part && !part->objects.empty() ? Raw(*part, part->objects.front(), property) : std::string();
}

std::string CheckFacts::FirstShown(const char* className, std::string_view property) const
{
    const StoredPart* part = Part(className);
    return part && !part->objects.empty() ? Shown(*part, part->objects.front(), property) : std::string();
}
