#include "console/many_report.h"

#include <functional>
#include <unordered_map>

#include "base/format_text.h"
#include "console/console_reporter.h"
#include "console/ctrl_c_stop.h"
#include "console/report_checks.h"
#include "console/report_output.h"
#include "individual/class_catalog.h"
#include "individual/class_survey.h"
#include "inventory/class_table.h"
#include "inventory/json_export.h"
#include "inventory/multi_check.h"
#include "inventory/result_files.h"
#include "inventory/standard_job.h"
#include "inventory/summary_table.h"
#include "listtools/csv_export.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "standard/text_export.h"

namespace {

// Keeps the one message a failed file write shows, for the summary.
class MessageKeeper : public MessageSink {
public:
    int ShowMessage(const std::string& text, UINT) override
    {
        text_ = text;
        return IDOK;
    }
    const std::string& Text() const { return text_; }

private:
    std::string text_;
};

class ManyReport {
public:
    ManyReport(const ReportOptions& options, const WmiConnector& connector)
        : options_(options), connector_(connector), stems_(ComputerFileStems(options.computers)),
          errors_(options.utf8), messages_(errors_, {})
    {
    }
    ExitCode Run();

private:
    ComputerJob Job();
    ComputerResult RunClass(CheckContext& check, ComputerSummary& summary);
    // Writes the computer's file `suffix`: the result, or a file error with its message.
    using Writer = std::function<ResultWriter(MessageSink& failure)>;
    ComputerResult Save(ComputerSummary& summary, ComputerResult result, const std::string& suffix,
                        const Writer& writer);
    std::string FileOf(const ComputerSummary& summary, const std::string& suffix) const;
    void Tell(const ComputerSummary& summary, size_t finished);
    ExitCode WriteSummaries(const std::vector<ComputerSummary>& summaries);

    const ReportOptions& options_;
    const WmiConnector& connector_;
    std::vector<std::string> stems_;
    std::unordered_map<std::string, size_t> indexOf_;   // computer -> place in the list
    ErrorStream errors_;
    ConsoleReporter messages_;
    CharacterLoss loss_;   // over every file of the run
};

std::string ManyReport::FileOf(const ComputerSummary& summary, const std::string& suffix) const
{
    return PathIn(options_.outDir, stems_[indexOf_.at(summary.computer)] + suffix);
}

ComputerResult ManyReport::Save(ComputerSummary& summary, ComputerResult result, const std::string& suffix,
                                const Writer& writer)
{
    MessageKeeper failure;
    if (WriteResultFile(FileOf(summary, suffix), ResultFileEncoding(ResultsInUtf8(options_)), writer(failure),
                        failure, loss_) == ExitCode::Success)
        return result;
    summary.code = S_OK;
    summary.SetMessage(failure.Text());
    return ComputerResult::FileError;
}

ComputerJob ManyReport::Job()
{
    if (options_.command == ReportCommand::ClassCheck)
        return [this](CheckContext& check, ComputerSummary& summary) { return RunClass(check, summary); };
    return StandardJob([this](ComputerSummary& summary, ComputerResult result, StandardStores& stores) {
        if (options_.json) {
            const std::string json = StandardJson({summary.computer, summary.checkedAt, result == ComputerResult::Ok}, stores);
            return Save(summary, result, "_Resource.json", [&](MessageSink& failure) { return TextWriter(json, failure); });
        }
        return Save(summary, result, "_Resource.txt", [&](MessageSink& failure) -> ResultWriter {
            return [&](TextSink& sink, const std::string& path) {
                return WriteStandardReport(stores, summary.computer, sink, path, failure);
            };
        });
    });
}

ComputerResult ManyReport::RunClass(CheckContext& check, ComputerSummary& summary)
{
    const ClassCatalogEntry* entry = FindClass(options_.classId);
    const std::string suffix = "_" + std::string(entry ? entry->className : "") + (options_.json ? ".json" : ".csv");
    CategoryStore table;
    const ClassOutcome outcome = options_.json ? RunClassTableSurvey(check, options_.classId, table)
                                      : RunClassSurvey(check, options_.classId);
    const ComputerResult result =
        ResultOfSurvey(check, outcome == ClassOutcome::Failed, outcome == ClassOutcome::Incomplete, summary);
    if (!HasData(result))
        return result;
    if (outcome == ClassOutcome::NoData)
        return ComputerResult::NoData;
    if (options_.json) {
        const std::string json = ClassJson({summary.computer, summary.checkedAt, result == ComputerResult::Ok},
                                           options_.classId, table);
        return Save(summary, result, suffix, [&](MessageSink& failure) { return TextWriter(json, failure); });
    }
    ResultModel rows;
    for (UINT header : {IDS_COLUMN_GROUP, IDS_COLUMN_NAME, IDS_COLUMN_TYPE, IDS_COLUMN_VALUE})
        rows.AddColumn(ResultColumn{LoadText(header)});
    for (ClassResultRow& row : ReporterOf(check).ClassRows())
        rows.AppendRow(ResultRow{{std::to_string(row.objectNumber), std::move(row.name), std::move(row.typeText),
                                  std::move(row.value)}, row.itemData});
    return Save(summary, result, suffix, [&](MessageSink& failure) -> ResultWriter {
        return [&](TextSink& sink, const std::string& path) {
            return WriteCsv(rows, sink, path, failure, options_.rawCsv ? CsvCells::Raw : CsvCells::Neutralised);
        };
    });
}

void ManyReport::Tell(const ComputerSummary& summary, size_t finished)
{
    if (options_.quiet)
        return;
    std::string line = "[" + std::to_string(finished) + "/" + std::to_string(options_.computers.size()) + "] " +
                       (summary.computer.empty() ? LoadText(IDS_LOCAL_COMPUTER) : summary.computer) + ": " +
                       ComputerResultText(summary.result);
    if (!summary.message.empty())
        line += ": " + summary.message;
    if (!summary.checkedAt.empty())
        line += FormatText(", %.1f s", summary.seconds);
    errors_.Message(line);
}

ExitCode ManyReport::WriteSummaries(const std::vector<ComputerSummary>& summaries)
{
    ResultModel model = SummaryModel();
    for (size_t index = 0; index < summaries.size(); ++index)
        model.AppendRow(SummaryRow(summaries[index], static_cast<LPARAM>(index)));
    const ExitCode csv = WriteResultFile(PathIn(options_.outDir, kSummaryCsvName), ResultFileEncoding(options_.utf8),
                                    [&](TextSink& sink, const std::string& path) {
                                        return WriteCsv(model, sink, path, messages_);
                                    },
                                    messages_, loss_);
    if (csv != ExitCode::Success)
        return csv;
    const std::string json = SummaryJson(summaries);   // ASCII: \u escapes beyond it
    return WriteResultFile(PathIn(options_.outDir, kSummaryJsonName), TextEncoding::Ansi, TextWriter(json, messages_),
                           messages_, loss_);
}

ExitCode ManyReport::Run()
{
    for (size_t index = 0; index < options_.computers.size(); ++index)
        indexOf_.emplace(options_.computers[index], index);
    MultiCheckSettings settings;
    if (!AskForAccount(options_, settings.credentials, messages_))
        return ExitCode::Usage;
    RunFolder folder;   // what it creates goes again if the run ends without a file in it
    if (!folder.Create(options_.outDir)) {
        messages_.ShowMessage(LoadText(IDS_REPORT_FOLDER_FAILED) + options_.outDir, MB_ICONEXCLAMATION);
        return ExitCode::FileError;
    }
    // A summary that cannot be written is told before the checks start.
    for (const char* name : {kSummaryCsvName, kSummaryJsonName}) {
        FileTextSink probe;
        if (!probe.Open(PathIn(options_.outDir, name))) {
            ReportFileOpenError(messages_, PathIn(options_.outDir, name));
            return ExitCode::FileError;
        }
    }
    settings.parallel = options_.parallel > 0 ? options_.parallel : kDefaultParallelChecks;
    settings.ping = !options_.noPing;
    if (options_.timeoutSeconds > 0)
        settings.limits.queryTimeLimitMs = options_.timeoutSeconds * 1000;
    settings.connector = connector_;
    MultiCheck run;
    {
        CtrlCStops ctrlC([&run] { run.RequestStop(); });
        run.Start(options_.computers, std::move(settings), Job(),
                  [this](const ComputerSummary& summary, size_t finished) { Tell(summary, finished); });
        run.Wait();
    }
    const std::vector<ComputerSummary> summaries = run.Summaries();
    if (!options_.quiet)
        errors_.Message(SummaryTally(summaries));
    const ExitCode written = WriteSummaries(summaries);
    if (loss_.Any())
        messages_.ShowMessage(loss_.Warning(), MB_ICONWARNING);   // one for the run, not one per file
    if (written != ExitCode::Success)
        return written;
    for (const ComputerSummary& summary : summaries)
        if (summary.result != ComputerResult::Ok)
            return ExitCode::SomeFailed;
    return loss_.Any() ? ExitCode::CharactersLost : ExitCode::Success;
}

}  // namespace

ExitCode RunManyReport(const ReportOptions& options, const WmiConnector& connector)
{
    ManyReport report(options, connector);
    return report.Run();
}
