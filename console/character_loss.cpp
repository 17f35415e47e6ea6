#include "console/character_loss.h"

#include "base/narrow.h"
#include "base/text_util.h"
#include "listtools/save_encoding.h"
#include "resources/resource.h"
#include "resources/text.h"

namespace {

bool IsDelimiter(wchar_t c) { return c == L'"' || c == L'\t'; }

}  // namespace

std::string LostValueOf(const std::string& line)
{
    const std::wstring wide = ToWide(line);
    const size_t lost = FirstCharacterOutsideAnsi(wide);
    if (lost == wide.size())
        return TrimWhiteSpace(line);
    size_t start = lost, end = lost;
    while (start > 0 && !IsDelimiter(wide[start - 1]))
        --start;
    while (end < wide.size() && !IsDelimiter(wide[end]))
        ++end;
    return TrimWhiteSpace(LossExcerpt(ToNarrow(std::wstring_view(wide).substr(start, end - start))));
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
