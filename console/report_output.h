// Where a result of the report tool goes: standard output, or the file of /out, which is
// created (or replaced) only when the result is ready. File errors are reported as the
// windows report them (messages 111 and 112 with the path). Results are stored in the
// ANSI code page, or in UTF-8 with /utf8; JSON is ASCII either way.
#pragma once
#include <functional>
#include <string>

#include "console/character_loss.h"
#include "console/exit_code.h"
#include "console/report_options.h"
#include "listtools/text_sink.h"

// Writes a result: `write(sink, path)` returns ExportResult::Done or ExportResult::WriteFailed (having
// reported it to `messages`). Returns ExitCode::Success, ExitCode::FileError, or
// ExitCode::CharactersLost after the warning.
using ResultWriter = std::function<ExportResult(TextSink& sink, const std::string& path)>;
ExitCode WriteResult(const ReportOptions& options, const ResultWriter& write, MessageSink& messages);

// Writes `text` (line ends "\n") as the result.
ExitCode WriteResultText(const ReportOptions& options, const std::string& text, MessageSink& messages);

// Whether the options' results are written in UTF-8 (/utf8, and no JSON, which stays ASCII).
bool ResultsInUtf8(const ReportOptions& options);

// The encoding of a result file: the ANSI code page, or UTF-8 with a byte-order mark.
inline TextEncoding ResultFileEncoding(bool utf8)
{
    return utf8 ? TextEncoding::Utf8WithBom : TextEncoding::Ansi;
}

// Creates (or replaces, whole or not at all) the file `path` in `encoding` with what
// `write` writes: ExitCode::Success, or ExitCode::FileError after the message. Characters the ANSI
// code page lacks are noted in `loss`.
ExitCode WriteResultFile(const std::string& path, TextEncoding encoding, const ResultWriter& write,
                    MessageSink& messages, CharacterLoss& loss);

// A writer of `text` (which must outlive it) that reports a failed write to `messages`.
ResultWriter TextWriter(const std::string& text, MessageSink& messages);

// True when the result can be written: to standard output, or into the /out file, which
// is opened as a save opens it and given up again (nothing is changed). False after
// message 111 with the path.
bool ResultTargetCanBeWritten(const ReportOptions& options, MessageSink& messages);
