#include "listtools/save_encoding.h"

#include <windows.h>

#include "base/narrow.h"
#include "base/text_util.h"
#include "resources/resource.h"
#include "resources/text.h"

namespace {

// Long values are named by their beginning; the message must stay readable.
constexpr size_t kNamedTextCharacters = 120;

std::string Shortened(const std::string& text)
{
    std::wstring wide = ToWide(text);
    if (wide.size() <= kNamedTextCharacters)
        return text;
    size_t cut = kNamedTextCharacters;
    if (cut > 0 && wide[cut - 1] >= 0xD800 && wide[cut - 1] <= 0xDBFF)
        --cut;
    wide.resize(cut);
    return ToNarrow(wide) + "...";
}

}  // namespace

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
    const std::string question = FillIn(LoadText(IDS_ANSI_LOSES_CHARACTERS), Shortened(*firstLostText));
    switch (messages.ShowMessage(question, MB_YESNOCANCEL | MB_ICONWARNING)) {
    case IDYES: return TextEncoding::Utf8WithBom;
    case IDNO: return TextEncoding::Ansi;
    default: return std::nullopt;
    }
}
