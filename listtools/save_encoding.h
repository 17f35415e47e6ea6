// The file types of the two saves: the classic type in the ANSI code page (first, the
// default) and the same type in UTF-8 with a byte-order mark (second). An ANSI save
// that would turn characters into "?" is not made without asking.
#pragma once
#include <optional>
#include <string>

#include "base/message_sink.h"
#include "listtools/result_model.h"
#include "listtools/text_sink.h"

// The dialog's type number (1-based) of the UTF-8 type.
inline constexpr int kUtf8FileType = 2;

// `filter` ("Name (*.x)|*.x|...||") with `utf8Type` ("Name, UTF-8 (*.x)|*.x") as its
// second type.
std::string WithUtf8FileType(const std::string& filter, const std::string& utf8Type);

// The index of the first character (a surrogate pair counts as one) that the ANSI code
// page lacks; the text's size when it has them all.
size_t FirstCharacterOutsideAnsi(const std::wstring& text);

// `value` as a message names it: at most 80 characters, cut ("...") so that its first
// character the ANSI code page lacks stays in view.
std::string LossExcerpt(const std::string& value);

// The first header or cell of `model` that the ANSI code page cannot hold whole.
std::optional<std::string> FirstTextOutsideAnsi(const ResultModel& model);

// The encoding of the chosen file type. For the ANSI type with a text it cannot hold,
// the user is asked first (the text named): Yes saves as UTF-8, No as ANSI all the same,
// Cancel not at all (nullopt).
std::optional<TextEncoding> ConfirmSaveEncoding(int fileType, const std::optional<std::string>& firstLostText,
                                                MessageSink& messages);
