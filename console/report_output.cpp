#include "console/report_output.h"

#include "console/console_output.h"
#include "resources/resource.h"
#include "resources/text.h"

namespace {

// A written result that lost characters is still a result: warned about, exit code 8.
ExitCode WarnOfLoss(ExitCode written, const CharacterLoss& loss, MessageSink& messages)
{
    if (written != ExitCode::Success || !loss.Any())
        return written;
    messages.ShowMessage(loss.Warning(), MB_ICONWARNING);
    return ExitCode::CharactersLost;
}

}  // namespace

bool ResultsInUtf8(const ReportOptions& options)
{
    return options.utf8 && !options.json;
}

ExitCode WriteResultFile(const std::string& path, TextEncoding encoding, const ResultWriter& write,
                    MessageSink& messages, CharacterLoss& loss)
{
    FileTextSink file;
    if (!file.Open(path)) {
        ReportFileOpenError(messages, path);
        return ExitCode::FileError;
    }
    file.SetEncoding(encoding);
    if (write(file, path) != ExportResult::Done)
        return ExitCode::FileError;
    if (!file.Finish()) {
        ReportFileWriteError(messages, path);
        return ExitCode::FileError;
    }
    loss.Note(file, path);
    return ExitCode::Success;
}

ResultWriter TextWriter(const std::string& text, MessageSink& messages)
{
    return [&text, &messages](TextSink& sink, const std::string& path) {
        if (sink.Write(text))
            return ExportResult::Done;
        ReportFileWriteError(messages, path);
        return ExportResult::WriteFailed;
    };
}

ExitCode WriteResult(const ReportOptions& options, const ResultWriter& write, MessageSink& messages)
{
    CharacterLoss loss;
    if (!options.outPath.empty()) {
        const ExitCode written = WriteResultFile(options.outPath, ResultFileEncoding(ResultsInUtf8(options)), write,
                                            messages, loss);
        return WarnOfLoss(written, loss, messages);
    }
    StdHandleSink output(STD_OUTPUT_HANDLE, ResultsInUtf8(options), StreamUse::Result);
    const std::string name = LoadText(IDS_REPORT_STANDARD_OUTPUT);
    if (write(output, name) != ExportResult::Done)
        return ExitCode::FileError;
    loss.Note(output, name);
    return WarnOfLoss(ExitCode::Success, loss, messages);
}

bool ResultTargetCanBeWritten(const ReportOptions& options, MessageSink& messages)
{
    if (options.outPath.empty())
        return true;
    FileTextSink file;
    if (file.Open(options.outPath))
        return true;   // given up unfinished: the target stays as it was
    ReportFileOpenError(messages, options.outPath);
    return false;
}

ExitCode WriteResultText(const ReportOptions& options, const std::string& text, MessageSink& messages)
{
    return WriteResult(options, TextWriter(text, messages), messages);
}
