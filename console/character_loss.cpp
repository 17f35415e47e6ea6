#include "console/character_loss.h"

#include "base/narrow.h"
#include "base/text_util.h"
#include "resources/resource.h"
#include "resources/text.h"

namespace {

// A value in a one-line warning: long ones are cut, keeping the lost character in view.
constexpr size_t kShownCharacters = 80;
constexpr size_t kShownBeforeLost = 20;

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }

bool IsDelimiter(wchar_t c) { return c == L'"' || c == L'\t'; }

// The index of the first character (a surrogate pair counts as one) that the ANSI code
// page lacks; the text's size when it has them all.
size_t FirstLostCharacter(const std::wstring& text)
{
    for (size_t at = 0; at < text.size(); ++at) {
        const size_t length = IsHighSurrogate(text[at]) && at + 1 < text.size() ? 2 : 1;
        if (!FitsCodePage(ToNarrow(std::wstring_view(text).substr(at, length))))
            return at;
        at += length - 1;
    }
    return text.size();
}

// Never starts or ends between the halves of a surrogate pair.
std::wstring Window(const std::wstring& text, size_t start, size_t end)
{
    if (start > 0 && start < text.size() && IsHighSurrogate(text[start - 1]))
        --start;
    if (end < text.size() && end > start && IsHighSurrogate(text[end - 1]))
        ++end;
    return (start > 0 ? L"..." : L"") + text.substr(start, end - start) + (end < text.size() ? L"..." : L"");
}

}  // namespace

std::string LostValueOf(const std::string& line)
{
    const std::wstring wide = ToWide(line);
    const size_t lost = FirstLostCharacter(wide);
    if (lost == wide.size())
        return TrimWhiteSpace(line);
    size_t start = lost, end = lost;
    while (start > 0 && !IsDelimiter(wide[start - 1]))
        --start;
    while (end < wide.size() && !IsDelimiter(wide[end]))
        ++end;
    const std::wstring value = wide.substr(start, end - start);
    const size_t lostInValue = lost - start;
    size_t from = lostInValue + kShownBeforeLost >= kShownCharacters ? lostInValue - kShownBeforeLost : 0;
    return TrimWhiteSpace(ToNarrow(Window(value, from, std::min(value.size(), from + kShownCharacters))));
}

void CharacterLoss::Note(const TextSink& sink, const std::string& where)
{
    if (!sink.LostCharacters())
        return;
    std::lock_guard<std::mutex> hold(lock_);
    if (results_++ == 0) {
        firstWhere_ = where;
        firstLine_ = sink.FirstLostLine();
    }
}

bool CharacterLoss::Any() const
{
    std::lock_guard<std::mutex> hold(lock_);
    return results_ > 0;
}

std::string CharacterLoss::Warning() const
{
    std::lock_guard<std::mutex> hold(lock_);
    if (results_ == 0)
        return {};
    std::string where = firstWhere_;
    if (results_ > 1)
        where = FillIn(LoadText(IDS_REPORT_LOST_ELSEWHERE), where, std::to_string(results_ - 1));
    return FillIn(LoadText(IDS_REPORT_CHARACTERS_LOST), where, LostValueOf(firstLine_)) + "\n" +
           LoadText(IDS_REPORT_USE_UTF8);
}
