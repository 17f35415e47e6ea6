#include "storetools/comparison_report.h"

#include <nlohmann/json.hpp>

#include "base/raw_value_json.h"
#include "base/text_util.h"
#include "individual/class_catalog.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "standard/category_catalog.h"
#include "storetools/check_rebuild.h"

namespace {

using Json = nlohmann::ordered_json;

// One line per value: a line break inside a value becomes a space, as in the text report.
std::string OneLine(std::string text)
{
    for (char& character : text)
        if (character == '\r' || character == '\n')
            character = ' ';
    return text;
}

const char* ChangeKey(ChangeKind kind)
{
    return kind == ChangeKind::Added ? "added" : kind == ChangeKind::Removed ? "removed" : "changed";
}

UINT ChangeTextId(ChangeKind kind)
{
    return kind == ChangeKind::Added ? IDS_COMPARE_ADDED : kind == ChangeKind::Removed ? IDS_COMPARE_REMOVED
                                                                                        : IDS_COMPARE_CHANGED;
}

// An object as a comparison names it: its identity, or for the one object of a class that
// has one per computer (the operating system, the BIOS) a word saying so.
std::string ObjectName(const ObjectChange& change)
{
    return change.identity.empty() ? "(" + LoadText(IDS_COMPARE_THE_OBJECT) + ")" : OneLine(change.identity);
}

// " (DisplayName: Mirel Test; PathName: C:\x.exe)" for an object recognised by those.
std::string RecognisedText(const ObjectChange& change)
{
    std::string text;
    for (const auto& [property, shown] : change.recognisedBy)
        text += (text.empty() ? " (" : "; ") + property + ": " + OneLine(shown);
    return text.empty() ? text : text + ")";
}

bool Shown(const ObjectChange& change, bool withVolatile)
{
    return withVolatile || !change.isVolatile;
}

Json RawJson(const RawValue& raw)
{
    return RawValueJson<Json>(raw);
}

}  // namespace

std::string PartLabel(const std::string& className, bool standard)
{
    if (standard) {
        for (const StandardCategory& category : kStandardCategories)
            if (EqualsNoCase(category.className, className))
                return LoadText(category.labelStringId);
    }
    StoredPart part;
    part.className = className;
    const int classId = ClassIdOfPart(part);
    return classId ? ClassDisplayText(classId) : className;
}

std::string ComparisonText(const CheckComparison& comparison, bool withVolatile)
{
    const bool standard = comparison.after.kind == kStandardKind;
    std::string text = FillIn(LoadText(IDS_COMPARE_TITLE),
                              {comparison.after.computer, std::to_string(comparison.before.id),
                               comparison.before.checkedAt.local, std::to_string(comparison.after.id),
                               comparison.after.checkedAt.local});
    text += "\n";
    for (const PartComparison& part : comparison.parts) {
        const std::string label = PartLabel(part.className, standard);
        if (!part.compared) {
            text += "\n" + label + ": " + LoadText(IDS_COMPARE_NOT_COMPARED) + "\n";
            continue;
        }
        const int added = part.Count(ChangeKind::Added, withVolatile);
        const int removed = part.Count(ChangeKind::Removed, withVolatile);
        const int changed = part.Count(ChangeKind::Changed, withVolatile);
        if (added + removed + changed == 0)
            continue;
        text += "\n" + label + ": " +
                FillIn(LoadText(IDS_COMPARE_PART_COUNTS),
                       {std::to_string(added), std::to_string(removed), std::to_string(changed)}) + "\n";
        const ObjectChange* last = nullptr;   // the changed object whose properties are being listed
        for (const ObjectChange& change : part.changes) {
            if (!Shown(change, withVolatile))
                continue;
            if (change.kind != ChangeKind::Changed) {
                text += "  " + LoadText(ChangeTextId(change.kind)) + ": " + ObjectName(change) +
                        RecognisedText(change) + "\n";
                last = nullptr;
                continue;
            }
            if (!last || last->identity != change.identity) {
                text += "  " + LoadText(IDS_COMPARE_CHANGED) + ": " + ObjectName(change) + "\n";
                last = &change;
            }
            text += "    " + change.property + ": \"" + OneLine(change.before.text) + "\" -> \"" +
                    OneLine(change.after.text) + "\"\n";
        }
    }
    const int64_t count = comparison.ChangeCount(withVolatile);
    text += "\n";
    if (!withVolatile)
        text += LoadText(IDS_COMPARE_VOLATILE_LEFT) + "\n";
    text += count == 0   ? LoadText(IDS_COMPARE_NO_CHANGES)
            : count == 1 ? LoadText(IDS_COMPARE_ONE_CHANGE)
                         : FillIn(LoadText(IDS_COMPARE_TOTAL), std::to_string(count));
    return text + "\n";
}

ResultModel ComparisonModel(const CheckComparison& comparison, bool withVolatile, bool recognised)
{
    const bool standard = comparison.after.kind == kStandardKind;
    ResultModel model;
    const int columns = withVolatile ? 7 : 6;
    for (int column = 0; column < columns; ++column)
        model.AddColumn(ResultColumn{LoadText(IDS_COMPARE_FIRST_COLUMN + column)});
    for (const PartComparison& part : comparison.parts) {
        const std::string label = PartLabel(part.className, standard);
        for (const ObjectChange& change : part.changes) {
            if (!Shown(change, withVolatile))
                continue;
            const bool changed = change.kind == ChangeKind::Changed;
            if (recognised && !changed && !change.recognisedBy.empty()) {
                for (const auto& [property, shown] : change.recognisedBy) {
                    const bool added = change.kind == ChangeKind::Added;
                    std::vector<std::string> cells = {label, ObjectName(change), LoadText(ChangeTextId(change.kind)),
                                                      property, added ? "" : shown, added ? shown : ""};
                    if (withVolatile)
                        cells.push_back(change.isVolatile ? "1" : "0");
                    model.AppendRow(ResultRow{std::move(cells), static_cast<LPARAM>(model.RowCount())});
                }
                continue;
            }
            std::vector<std::string> cells = {label, ObjectName(change), LoadText(ChangeTextId(change.kind)),
                                              change.property, changed ? change.before.text : "",
                                              changed ? change.after.text : ""};
            if (withVolatile)
                cells.push_back(change.isVolatile ? "1" : "0");
            model.AppendRow(ResultRow{std::move(cells), static_cast<LPARAM>(model.RowCount())});
        }
    }
    return model;
}

std::string ComparisonJson(const CheckComparison& comparison, bool withVolatile)
{
    const bool standard = comparison.after.kind == kStandardKind;
    Json parts = Json::array();
    for (const PartComparison& part : comparison.parts) {
        Json changes = Json::array();
        for (const ObjectChange& change : part.changes) {
            if (!Shown(change, withVolatile))
                continue;
            Json entry = {{"object", change.identity}, {"change", ChangeKey(change.kind)}};
            if (!change.recognisedBy.empty()) {
                Json shown = Json::object();
                for (const auto& [property, text] : change.recognisedBy)
                    shown[property] = text;
                entry["recognisedBy"] = std::move(shown);
            }
            if (change.kind == ChangeKind::Changed) {
                entry["property"] = change.property;
                entry["before"] = {{"raw", RawJson(change.before.raw)}, {"text", change.before.text}};
                entry["after"] = {{"raw", RawJson(change.after.raw)}, {"text", change.after.text}};
            }
            entry["volatile"] = change.isVolatile;
            changes.push_back(std::move(entry));
        }
        parts.push_back({{"class", part.className}, {"label", PartLabel(part.className, standard)},
                         {"compared", part.compared}, {"changes", std::move(changes)}});
    }
    const Json document = {
        {"computer", comparison.after.computer},
        {"kind", comparison.after.kind},
        {"before", {{"check", comparison.before.id}, {"checkedAt", comparison.before.checkedAt.local}}},
        {"after", {{"check", comparison.after.id}, {"checkedAt", comparison.after.checkedAt.local}}},
        {"volatileIncluded", withVolatile},
        {"changeCount", comparison.ChangeCount(withVolatile)},
        {"parts", std::move(parts)},
    };
    return document.dump(1, '\t', true, Json::error_handler_t::replace) + "\n";
}
