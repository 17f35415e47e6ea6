#include "console/report_output.h"

#include "console/console_output.h"
#include "resources/resource.h"
#include "resources/text.h"

int WriteResultFile(const std::string& path, const ResultWriter& write, MessageSink& messages)
{
    FileTextSink file;
    if (!file.Open(path)) {
        ReportFileOpenError(messages, path);
        return kExitFileError;
    }
    if (write(file, path) != kExportDone)
        return kExitFileError;
    if (!file.Finish()) {
        ReportFileWriteError(messages, path);
        return kExitFileError;
    }
    return kExitSuccess;
}

ResultWriter TextWriter(const std::string& text, MessageSink& messages)
{
    return [&text, &messages](TextSink& sink, const std::string& path) {
        if (sink.Write(text))
            return kExportDone;
        ReportFileWriteError(messages, path);
        return kExportWriteFailed;
    };
}

int WriteResult(const ReportOptions& options, const ResultWriter& write, MessageSink& messages)
{
    if (!options.outPath.empty())
        return WriteResultFile(options.outPath, write, messages);
    StdHandleSink output(STD_OUTPUT_HANDLE);
    return write(output, LoadText(IDS_REPORT_STANDARD_OUTPUT)) == kExportDone ? kExitSuccess
                                                                              : kExitFileError;
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

int WriteResultText(const ReportOptions& options, const std::string& text, MessageSink& messages)
{
    return WriteResult(options, TextWriter(text, messages), messages);
}
