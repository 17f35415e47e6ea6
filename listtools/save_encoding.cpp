#include "listtools/save_encoding.h"

#include <windows.h>

#include <algorithm>

#include "base/narrow.h"
#include "base/text_util.h"
#include "resources/resource.h"
#include "resources/text.h"

namespace {

// A value in a one-line message: long ones are cut, keeping the lost character in view.
constexpr size_t kShownCharacters = 80;
constexpr size_t kShownBeforeLost = 20;

// Never starts or ends between the halves of a surrogate pair.
std::wstring Excerpt(const std::wstring& text, size_t start, size_t end)
{
    if (start > 0 && start < text.size() && IS_HIGH_SURROGATE(text[start - 1]))
        --start;
    if (end < text.size() && end > start && IS_HIGH_SURROGATE(text[end - 1]))
        ++end;
    return (start > 0 ? L"..." : L"") + text.substr(start, end - start) + (end < text.size() ? L"..." : L"");
}

}  // namespace

size_t FirstCharacterOutsideAnsi(const std::wstring& text)
{
    for (size_t at = 0; at < text.size(); ++at) {
        const size_t length = IS_HIGH_SURROGATE(text[at]) && at + 1 < text.size() ? 2 : 1;
        if (!FitsCodePage(ToNarrow(std::wstring_view(text).substr(at, length))))
            return at;
        at += length - 1;
    }
    return text.size();
}

std::string LossExcerpt(const std::string& value)
{
    const std::wstring wide = ToWide(value);
    const size_t lost = std::min(FirstCharacterOutsideAnsi(wide), wide.size());
    const size_t from = lost + kShownBeforeLost >= kShownCharacters ? lost - kShownBeforeLost : 0;
    return ToNarrow(Excerpt(wide, from, std::min(wide.size(), from + kShownCharacters)));
}

std::string WithUtf8FileType(const std::string& filter, const std::string& utf8Type)
{
    const size_t name = filter.find('|');
    const size_t pattern = name == std::string::npos ? name : filter.find('|', name + 1);
    if (pattern == std::string::npos)
        return filter;
    return filter.substr(0, pattern + 1) + utf8Type + "|" + filter.substr(pattern + 1);
}

std::optional<std::string> FirstTextOutsideAnsi(const ResultModel& model)
{
    for (int column = 0; column < model.ColumnCount(); ++column)
        if (!FitsCodePage(model.Column(column).header))
            return model.Column(column).header;
    for (int row = 0; row < model.RowCount(); ++row)
        for (int column = 0; column < model.ColumnCount(); ++column)
            if (!FitsCodePage(model.Cell(row, column)))
                return model.Cell(row, column);
    return std::nullopt;
}

std::optional<TextEncoding> ConfirmSaveEncoding(int fileType, const std::optional<std::string>& firstLostText,
                                                MessageSink& messages)
{
    if (fileType == kUtf8FileType)
        return TextEncoding::Utf8WithBom;
    if (!firstLostText)
        return TextEncoding::Ansi;
    const std::string question = FillIn(LoadText(IDS_ANSI_LOSES_CHARACTERS), LossExcerpt(*firstLostText));
    switch (messages.ShowMessage(question, MB_YESNOCANCEL | MB_ICONWARNING)) {
    case IDYES: return TextEncoding::Utf8WithBom;
    case IDNO: return TextEncoding::Ansi;
    default: return std::nullopt;
    }
}
