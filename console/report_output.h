// Where a result of the report tool goes: standard output, or the file of /out, which is
// created (or replaced) only when the result is ready. File errors are reported as the
// windows report them (messages 111 and 112 with the path). Results are stored in the
// ANSI code page, or in UTF-8 with /utf8; JSON is ASCII either way.
#pragma once
#include <functional>
#include <string>

#include "console/character_loss.h"
#include "console/report_options.h"
#include "listtools/text_sink.h"

// Exit codes of mirelrep. When several apply, a failure (2 to 5, 7) wins over 6, and 6
// over 8: data that are missing matter more than characters written as "?", and the
// warning about those is on standard error all the same.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitNoData = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitHostUnreachable = 3;
inline constexpr int kExitWmiFailure = 4;
inline constexpr int kExitFileError = 5;
inline constexpr int kExitIncomplete = 6;   // written, but a reading broke off part way
inline constexpr int kExitSomeFailed = 7;   // a run over many computers: not every one was OK
inline constexpr int kExitCharactersLost = 8;   // written, some characters as "?" (ANSI)

// Writes a result: `write(sink, path)` returns kExportDone or kExportWriteFailed (having
// reported it to `messages`). Returns kExitSuccess, kExitFileError, or
// kExitCharactersLost after the warning.
using ResultWriter = std::function<int(TextSink& sink, const std::string& path)>;
int WriteResult(const ReportOptions& options, const ResultWriter& write, MessageSink& messages);

// Writes `text` (line ends "\n") as the result.
int WriteResultText(const ReportOptions& options, const std::string& text, MessageSink& messages);

// Whether the options' results are written in UTF-8 (/utf8, and no JSON, which stays ASCII).
bool ResultsInUtf8(const ReportOptions& options);

// The encoding of a result file: the ANSI code page, or UTF-8 with a byte-order mark.
inline TextEncoding ResultFileEncoding(bool utf8)
{
    return utf8 ? TextEncoding::Utf8WithBom : TextEncoding::Ansi;
}

// Creates (or replaces, whole or not at all) the file `path` in `encoding` with what
// `write` writes: kExitSuccess, or kExitFileError after the message. Characters the ANSI
// code page lacks are noted in `loss`.
int WriteResultFile(const std::string& path, TextEncoding encoding, const ResultWriter& write,
                    MessageSink& messages, CharacterLoss& loss);

// A writer of `text` (which must outlive it) that reports a failed write to `messages`.
ResultWriter TextWriter(const std::string& text, MessageSink& messages);

// True when the result can be written: to standard output, or into the /out file, which
// is opened as a save opens it and given up again (nothing is changed). False after
// message 111 with the path.
bool ResultTargetCanBeWritten(const ReportOptions& options, MessageSink& messages);
