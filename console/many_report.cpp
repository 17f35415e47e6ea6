#include "console/many_report.h"

#include <functional>
#include <mutex>
#include <unordered_map>
#include <unordered_set>

#include "base/format_text.h"
#include "base/run_folder.h"
#include "base/text_util.h"
#include "console/console_reporter.h"
#include "console/ctrl_c_stop.h"
#include "console/report_checks.h"
#include "console/report_output.h"
#include "console/store_recording.h"
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
#include "standard/category_catalog.h"
#include "standard/text_export.h"
#include "store/record_queue.h"
#include "storetools/check_capture.h"

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
    ManyReport(const ReportOptions& options, const WmiConnector& connector, const Credentials* asked,
               const std::vector<FoundComputer>* found)
        : options_(options), connector_(connector), asked_(asked), found_(found), stems_(ComputerFileStems(options.computers)),
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
    // The computers a source found that could not be reached (not found, no answer).
    void TellUnreachable(const std::vector<ComputerSummary>& summaries);
    // With /store: records a computer's check (its parts in `stored`) with the summary's
    // result; a check that could not be recorded becomes a file error of that computer.
    ComputerResult Keep(ComputerSummary& summary, ComputerResult result, StoredCheck stored);

    const ReportOptions& options_;
    const WmiConnector& connector_;
    const Credentials* asked_;
    const std::vector<FoundComputer>* found_;
    std::vector<std::string> stems_;
    std::unordered_map<std::string, size_t> indexOf_;   // computer -> place in the list
    ErrorStream errors_;
    ConsoleReporter messages_;
    CharacterLoss loss_;   // over every file of the run
    std::unique_ptr<RecordQueue> records_;   // with /store: its one writer
    std::mutex recordedLock_;
    std::unordered_set<std::string> recorded_;   // computers whose job recorded their check
};

ComputerResult ManyReport::Keep(ComputerSummary& summary, ComputerResult result, StoredCheck stored)
{
    if (!records_)
        return result;
    ReportOptions options = options_;
    options.computer = summary.computer;
    CheckTime checkedAt;
    if (!CheckTime::FromLocalText(summary.checkedAt, checkedAt))
        checkedAt = CheckTime::Now();
    StoredCheck check = NewStoredCheck(options, checkedAt, stored.header.kind);
    check.parts = std::move(stored.parts);
    if (stored.header.identified) {
        check.header.computer = stored.header.computer;
        check.header.domain = stored.header.domain;
        check.header.identified = true;
    }
    NoteCheckResult(check.header, result, summary, result == ComputerResult::Ok);
    check.header.seconds = static_cast<double>(CheckTime::Now().epoch - checkedAt.epoch);
    {
        std::lock_guard<std::mutex> guard(recordedLock_);
        recorded_.insert(summary.computer);
    }
    const RecordOutcome outcome = records_->Record(std::move(check));
    if (outcome.recorded)
        return result;
    summary.code = S_OK;
    summary.SetMessage(LoadText(IDS_STORE_NOT_RECORDED) + " " + outcome.message);
    return ComputerResult::FileError;
}

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
            result = Save(summary, result, "_Resource.json", [&](MessageSink& failure) { return TextWriter(json, failure); });
        } else {
            result = Save(summary, result, "_Resource.txt", [&](MessageSink& failure) -> ResultWriter {
                return [&](TextSink& sink, const std::string& path) {
                    return WriteStandardReport(stores, summary.computer, sink, path, failure);
                };
            });
        }
        StoredCheck stored;
        if (records_)
            CaptureStandardStores(stores, kCategoryCount, false, stored);
        return Keep(summary, result, std::move(stored));
    });
}

ComputerResult ManyReport::RunClass(CheckContext& check, ComputerSummary& summary)
{
    const ClassCatalogEntry* entry = FindClass(options_.classId);
    const std::string className = entry ? entry->className : "";
    const std::string suffix = "_" + className + (options_.json ? ".json" : ".csv");
    CategoryStore table;
    ClassQueryEntries entries;
    const ClassOutcome outcome = options_.json ? RunClassTableSurvey(check, options_.classId, table)
                                               : RunClassSurvey(check, options_.classId, records_ ? &entries : nullptr);
    ComputerResult result =
        ResultOfSurvey(check, outcome == ClassOutcome::Failed, outcome == ClassOutcome::Incomplete, summary);
    StoredCheck stored;
    stored.header.kind = className;
    NoteCheckedComputer(check, stored.header);
    if (!HasData(result))
        return Keep(summary, result, std::move(stored));
    if (outcome == ClassOutcome::NoData)
        return Keep(summary, ComputerResult::NoData, std::move(stored));
    const PartState state = result == ComputerResult::Ok ? PartState::Read : PartState::Incomplete;
    if (options_.json) {
        const std::string json = ClassJson({summary.computer, summary.checkedAt, result == ComputerResult::Ok,
                                            check.ComputerName(), check.ComputerDomain()},
                                           options_.classId, table);
        result = Save(summary, result, suffix, [&](MessageSink& failure) { return TextWriter(json, failure); });
        if (records_)
            CaptureClassTable(options_.classId, table, state, stored);
        return Keep(summary, result, std::move(stored));
    }
    ResultModel rows;
    for (UINT header : {IDS_COLUMN_GROUP, IDS_COLUMN_NAME, IDS_COLUMN_TYPE, IDS_COLUMN_VALUE})
        rows.AddColumn(ResultColumn{LoadText(header)});
    for (ClassResultRow& row : ReporterOf(check).ClassRows())
        rows.AppendRow(ResultRow{{std::to_string(row.objectNumber), std::move(row.name), std::move(row.typeText),
                                  std::move(row.value)}, row.itemData});
    result = Save(summary, result, suffix, [&](MessageSink& failure) -> ResultWriter {
        return [&](TextSink& sink, const std::string& path) {
            return WriteCsv(rows, sink, path, failure, options_.rawCsv ? CsvCells::Raw : CsvCells::Neutralised);
        };
    });
    if (records_)
        CaptureClassEntries(options_.classId, entries, state, stored);
    return Keep(summary, result, std::move(stored));
}

void ManyReport::Tell(const ComputerSummary& summary, size_t finished)
{
    bool recorded = true;
    if (records_) {
        std::lock_guard<std::mutex> guard(recordedLock_);
        recorded = recorded_.count(summary.computer) > 0;
    }
    if (!recorded && !summary.checkedAt.empty()) {
        // Its job never ran (not found, no answer, stopped first): its result is kept all the same.
        ComputerSummary copy = summary;
        StoredCheck stored;
        const ClassCatalogEntry* entry = FindClass(options_.classId);
        stored.header.kind = options_.command == ReportCommand::ClassCheck && entry ? entry->className : kStandardKind;
        // Its summary row keeps its own result: a check lost on the way is told even with /q.
        if (Keep(copy, summary.result, std::move(stored)) == ComputerResult::FileError)
            errors_.Message((summary.computer.empty() ? LoadText(IDS_LOCAL_COMPUTER) : summary.computer) + ": " +
                            copy.message);
    }
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

void ManyReport::TellUnreachable(const std::vector<ComputerSummary>& summaries)
{
    constexpr size_t kNamesShown = 20;
    std::unordered_set<std::string> found;
    for (const FoundComputer& computer : *found_)
        found.insert(computer.name);
    std::string names;
    size_t count = 0;
    for (const ComputerSummary& summary : summaries) {
        if ((summary.result != ComputerResult::HostNotFound && summary.result != ComputerResult::NoAnswer) ||
            !found.count(summary.computer))
            continue;
        if (++count <= kNamesShown)
            names += (count > 1 ? ", " : "") + summary.computer;
    }
    if (count > kNamesShown)
        names += ", ...";
    if (count > 0)
        errors_.Message(FillIn(LoadText(IDS_FOUND_UNREACHABLE), std::to_string(count), names));
}

ExitCode ManyReport::Run()
{
    for (size_t index = 0; index < options_.computers.size(); ++index)
        indexOf_.emplace(options_.computers[index], index);
    MultiCheckSettings settings;
    ConsoleRecording recording;
    if (!recording.Open(options_, messages_))
        return recording.OpenFailureExitCode();
    if (recording.Active())
        records_ = std::make_unique<RecordQueue>(StoreOpenerOf(options_), recording.Release());
    if (asked_)
        settings.credentials = *asked_;
    else if (!AskForAccount(options_, settings.credentials, messages_))
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
    records_.reset();   // every check recorded
    const std::vector<ComputerSummary> summaries = run.Summaries();
    if (!options_.quiet)
        errors_.Message(SummaryTally(summaries));
    if (found_)
        TellUnreachable(summaries);
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

ExitCode RunManyReport(const ReportOptions& options, const WmiConnector& connector, const Credentials* asked,
                       const std::vector<FoundComputer>* found)
{
    ManyReport report(options, connector, asked, found);
    return report.Run();
}
