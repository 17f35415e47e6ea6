#include "console/store_commands.h"

#include <map>
#include <string>

#include <nlohmann/json.hpp>

#include "base/narrow.h"
#include "base/read_file.h"
#include "base/text_util.h"
#include "console/answer_writer.h"
#include "console/console_reporter.h"
#include "console/ctrl_c_stop.h"
#include "console/report_output.h"
#include "console/store_recording.h"
#include "inventory/computer_summary.h"
#include "inventory/json_export.h"
#include "listtools/csv_export.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "standard/text_export.h"
#include "store/check_comparison.h"
#include "store/check_reader.h"
#include "store/store_copy.h"
#include "store/store_history.h"
#include "store/store_prune.h"
#include "store/store_query.h"
#include "store/store_verify.h"
#include "storetools/check_import.h"
#include "storetools/check_rebuild.h"
#include "storetools/comparison_report.h"

namespace {

using Json = nlohmann::ordered_json;

class StoreCommand {
public:
    explicit StoreCommand(const ReportOptions& options)
        : options_(options), errors_(options.utf8), messages_(errors_, {})
    {
    }
    ExitCode Run();

private:
    ExitCode History();
    ExitCode Show();
    ExitCode Compare();
    ExitCode Import();
    ExitCode Prune();
    ExitCode CopyTo();
    ExitCode Delete();
    ExitCode Query();
    ExitCode Question();
    ExitCode Questions();
    ExitCode Verify();
    ExitCode Answer(const std::string& sql, const std::vector<QueryValue>& values);
    ExitCode ShowCheck(const StoredCheck& check);
    ExitCode Fail(const std::string& message, ExitCode exitCode)
    {
        messages_.ShowMessage(message, MB_ICONEXCLAMATION);
        return exitCode;
    }
    ExitCode DatabaseFailed() { return Fail(store_->FailureMessage(), ExitCode::FileError); }
    // Loads a check by number: ExitCode::Success, or the exit code after the message.
    ExitCode Load(int64_t id, StoredCheck& check);
    ExitCode LoadPair(int64_t first, int64_t second, StoredCheck& firstCheck, StoredCheck& secondCheck);

    const ReportOptions& options_;
    ErrorStream errors_;
    ConsoleReporter messages_;
    std::unique_ptr<InventoryStore> store_;
    StoredCheck imported_;   // /import: the file's check, read before the store is opened
};

ExitCode StoreCommand::Load(int64_t id, StoredCheck& check)
{
    switch (LoadCheck(store_->Statements(), id, check)) {
    case LoadResult::Loaded:
        return ExitCode::Success;
    case LoadResult::NotFound:
        return Fail(FillIn(LoadText(IDS_STORE_NO_CHECK), std::to_string(id)), ExitCode::Usage);
    case LoadResult::Failed:
        break;
    }
    return DatabaseFailed();
}

ExitCode StoreCommand::LoadPair(int64_t first, int64_t second, StoredCheck& firstCheck, StoredCheck& secondCheck)
{
    switch (LoadCheckPair(store_->Statements(), first, second, firstCheck, secondCheck)) {
    case LoadResult::Loaded:
        return ExitCode::Success;
    case LoadResult::NotFound: {
        const int64_t missing = firstCheck.header.id == 0 ? first : second;
        return Fail(FillIn(LoadText(IDS_STORE_NO_CHECK), std::to_string(missing)), ExitCode::Usage);
    }
    case LoadResult::Failed:
        break;
    }
    return DatabaseFailed();
}

ExitCode StoreCommand::History()
{
    std::vector<StoredCheckHeader> checks;
    switch (ListChecks(store_->Statements(), options_.historyComputer, checks)) {
    case Lookup::NotFound:
        return Fail(FillIn(LoadText(IDS_STORE_NO_COMPUTER), options_.historyComputer), ExitCode::Usage);
    case Lookup::Failed:
        return DatabaseFailed();
    case Lookup::Found:
        break;
    }
    if (options_.json) {
        Json list = Json::array();
        for (const StoredCheckHeader& check : checks)
            list.push_back({{"check", check.id}, {"computer", check.computer}, {"typedAs", check.target},
                            {"checkedAt", check.checkedAt.local},
                            {"kind", check.kind}, {"result", check.result}, {"complete", check.complete},
                            {"changes", check.changes < 0 ? Json(nullptr) : Json(check.changes)}});
        return WriteResultText(options_, list.dump(1, '\t', true, Json::error_handler_t::replace) + "\n", messages_);
    }
    ResultModel model;
    const UINT columns[] = {IDS_HISTORY_FIRST_COLUMN, IDS_HISTORY_FIRST_COLUMN + 1, IDS_HISTORY_TYPED_AS,
                            IDS_HISTORY_FIRST_COLUMN + 2, IDS_HISTORY_FIRST_COLUMN + 3, IDS_HISTORY_FIRST_COLUMN + 4,
                            IDS_HISTORY_FIRST_COLUMN + 5, IDS_HISTORY_FIRST_COLUMN + 6};
    for (UINT column : columns)
        model.AddColumn(ResultColumn{LoadText(column)});
    // A result's text is looked up once per result, not once per check.
    std::map<std::string, std::string> resultTexts;
    for (const StoredCheckHeader& check : checks) {
        auto [result, added] = resultTexts.try_emplace(check.result);
        if (added)
            result->second = ComputerResultTextOfKey(check.result);
        model.AppendRow(ResultRow{{std::to_string(check.id), check.computer, check.target, check.checkedAt.local, check.kind,
                                   result->second, check.complete ? "1" : "0",
                                   check.changes < 0 ? "" : std::to_string(check.changes)}});
    }
    return WriteResult(options_, [&](TextSink& sink, const std::string& path) {
        return WriteCsv(model, sink, path, messages_);
    }, messages_);
}

// Writes a stored check as the live check wrote it: the text report, the class CSV, or JSON.
ExitCode StoreCommand::ShowCheck(const StoredCheck& check)
{
    const CheckHeader header{check.header.target, check.header.checkedAt.local, check.header.complete,
                             check.header.computer, check.header.domain};
    if (check.IsStandard()) {
        StandardStores stores;
        RebuildStandardStores(check, stores);
        if (options_.json)
            return WriteResultText(options_, StandardJson(header, stores), messages_);
        return WriteResult(options_, [&](TextSink& sink, const std::string& path) {
            return WriteStandardReport(stores, check.header.target, sink, path, messages_);
        }, messages_);
    }
    if (check.parts.empty())
        return Fail(FillIn(LoadText(IDS_STORE_NO_CHECK), std::to_string(check.header.id)), ExitCode::Usage);
    const StoredPart& part = check.parts.front();
    if (options_.json) {
        CategoryStore table;
        RebuildClassTable(part, table);
        return WriteResultText(options_, ClassJson(header, ClassIdOfPart(part), table), messages_);
    }
    ConsoleReporter rows(errors_, {});
    rows.AddClassRows(RebuildClassRows(part));
    return WriteResult(options_, [&](TextSink& sink, const std::string& path) {
        return WriteCsv(rows.ClassRows(), sink, path, messages_);
    }, messages_);
}

ExitCode StoreCommand::Show()
{
    StoredCheck check;
    const ExitCode loaded = Load(options_.checkId, check);
    return loaded == ExitCode::Success ? ShowCheck(check) : loaded;
}

ExitCode StoreCommand::Compare()
{
    int64_t older = options_.compareIds[0], newer = options_.compareIds[1];
    if (older == 0) {
        StoredComputer computer;
        const std::string name = options_.compareComputer;
        switch (FindComputer(store_->Statements(), name, computer)) {
        case Lookup::NotFound:
            return Fail(FillIn(LoadText(IDS_STORE_NO_COMPUTER), name.empty() ? LoadText(IDS_LOCAL_COMPUTER) : name),
                        ExitCode::Usage);
        case Lookup::Failed:
            return DatabaseFailed();
        case Lookup::Found:
            break;
        }
        switch (LatestTwoChecks(store_->Statements(), computer.id, older, newer)) {
        case Lookup::NotFound:
            return Fail(FillIn(LoadText(IDS_STORE_TOO_FEW), computer.name), ExitCode::Usage);
        case Lookup::Failed:
            return DatabaseFailed();
        case Lookup::Found:
            break;
        }
    }
    StoredCheck before, after;
    const ExitCode loaded = LoadPair(older, newer, before, after);
    if (loaded != ExitCode::Success)
        return loaded;
    if (before.header.kind != after.header.kind)
        return Fail(FillIn(LoadText(IDS_STORE_KINDS_DIFFER), std::to_string(older), std::to_string(newer)), ExitCode::Usage);
    if (before.header.checkedAt.epoch > after.header.checkedAt.epoch)
        std::swap(before, after);   // earlier against later, whichever order they were named in
    const CheckComparison comparison = CompareChecks(before, after);
    ExitCode written;
    if (options_.json) {
        written = WriteResultText(options_, ComparisonJson(comparison, options_.withVolatile), messages_);
    } else if (options_.csv) {
        const ResultModel model = ComparisonModel(comparison, options_.withVolatile);
        written = WriteResult(options_, [&](TextSink& sink, const std::string& path) {
            return WriteCsv(model, sink, path, messages_);
        }, messages_);
    } else {
        written = WriteResultText(options_, ComparisonText(comparison, options_.withVolatile), messages_);
    }
    const bool writtenWhole = written == ExitCode::Success || written == ExitCode::CharactersLost;
    if (writtenWhole && comparison.ChangeCount(options_.withVolatile) > 0)
        return ExitCode::Changed;
    return written;
}

ExitCode StoreCommand::Import()
{
    StoredCheck& check = imported_;
    check.header.language = TextLanguage();
    if (!store_->Record(check))
        return Fail(LoadText(IDS_STORE_NOT_RECORDED) + "\n" + store_->FailureMessage(), ExitCode::FileError);
    if (!options_.quiet)
        messages_.ShowMessage(FillIn(LoadText(store_->AlreadyStored() ? IDS_STORE_ALREADY_STORED : IDS_STORE_IMPORTED),
                                     std::to_string(check.header.id)),
                              MB_ICONINFORMATION);
    return ExitCode::Success;
}

// Every check of the store into the one /copyto: names, skipping those already there.
ExitCode StoreCommand::CopyTo()
{
    StoreLocation target;
    if (!ParseStoreLocation(options_.copyToText, target))
        return Fail(FillIn(LoadText(IDS_REPORT_NEEDS_VALUE), "/copyto:" + options_.copyToText), ExitCode::Usage);
    const StoreLocation& source = store_->Location();
    if (target.kind == source.kind && EqualsNoCase(target.path, source.path) && target.connection == source.connection)
        return Fail(LoadText(IDS_STORE_COPY_SAME), ExitCode::Usage);
    std::string message;
    StoreOpenFailure failure = StoreOpenFailure::None;
    std::unique_ptr<InventoryStore> to =
        InventoryStore::Open(target, StoreAccess::Record, options_.timeoutSeconds, message, failure);
    if (!to)
        return Fail(message, ExitCode::FileError);
    CopyResult result;
    if (!CopyChecks(*store_, *to, [] { return CtrlCRun::Pressed(); }, result)) {
        if (result.failedCheck == 0 && !result.readFailed)
            return ExitCode::Incomplete;   // Ctrl+C: what was copied stays
        const std::string why = result.readFailed ? store_->FailureMessage() : to->FailureMessage();
        return Fail(FillIn(LoadText(IDS_STORE_COPY_FAILED), {std::to_string(result.failedCheck),
                                                             std::to_string(result.copied), why}),
                    ExitCode::FileError);
    }
    if (!options_.quiet)
        messages_.ShowMessage(FillIn(LoadText(IDS_STORE_COPIED),
                                     {std::to_string(result.copied), DescribeStoreLocation(source),
                                      DescribeStoreLocation(target), std::to_string(result.alreadyThere)}),
                              MB_ICONINFORMATION);
    return ExitCode::Success;
}

ExitCode StoreCommand::Prune()
{
    PruneResult result;
    if (!PruneStore(store_->Db(), options_.pruneDays, CheckTime::Now().epoch, result))
        return DatabaseFailed();
    if (!options_.quiet)
        messages_.ShowMessage(FillIn(LoadText(IDS_STORE_PRUNED), {CountText(result.removed, IDS_COUNT_CHECKS),
                                                                 CountText(options_.pruneDays, IDS_COUNT_DAYS),
                                                                 CountText(result.remaining, IDS_COUNT_CHECKS)}),
                              MB_ICONINFORMATION);
    if (!result.notCompacted.empty())
        messages_.ShowMessage(FillIn(LoadText(IDS_PRUNE_NOT_COMPACTED), result.notCompacted), MB_ICONEXCLAMATION);
    return ExitCode::Success;
}

// Deletes the checks named, all or none: a number the store does not hold is a usage error.
ExitCode StoreCommand::Delete()
{
    const std::vector<int64_t> ids(options_.deleteIds.begin(), options_.deleteIds.end());
    PruneResult result;
    std::vector<int64_t> missing;
    if (!DeleteChecks(store_->Db(), ids, result, missing))
        return DatabaseFailed();
    if (!missing.empty())
        return Fail(FillIn(LoadText(IDS_STORE_NO_CHECK), std::to_string(missing.front())), ExitCode::Usage);
    if (!options_.quiet)
        messages_.ShowMessage(DeletedChecksText(result), MB_ICONINFORMATION);
    return ExitCode::Success;
}

// The answer as CSV (a header of the column names) or, with /format:json, as JSON with
// typed values, written as it comes. Ctrl+C and /timeout: end the statement where it is,
// on a server too; a result file then keeps what it held before.
ExitCode StoreCommand::Answer(const std::string& sql, const std::vector<QueryValue>& values)
{
    Database& database = store_->Db();
    database.SetQueryTimeLimit(options_.timeoutSeconds);
    CtrlCStops ctrlC([&database] { database.Interrupt(); });
    AnswerOutcome outcome = AnswerOutcome::NotTaken;   // until the query runs
    std::string message;
    const ExitCode written = WriteResult(options_, [&](TextSink& sink, const std::string& path) {
        AnswerWriter writer(sink, path, messages_, options_.json ? AnswerFormat::Json : AnswerFormat::Csv);
        outcome = RunReadOnlyQuery(database, sql, values, writer, message);
        if (outcome == AnswerOutcome::Answered && !writer.Finish())
            outcome = AnswerOutcome::NotTaken;
        return outcome == AnswerOutcome::Answered ? ExportResult::Done : ExportResult::WriteFailed;
    }, messages_);
    switch (outcome) {
    case AnswerOutcome::Answered:
    case AnswerOutcome::NotTaken:   // a write failed, and was reported
        return written;
    case AnswerOutcome::Refused:
        return Fail(message, ExitCode::Usage);
    case AnswerOutcome::Stopped:
        if (database.LastError().failure == DbFailure::Interrupted)
            return ExitCode::Incomplete;   // Ctrl+C: the run says so as it ends
        return Fail(FillIn(LoadText(IDS_QUESTION_TIMED_OUT), std::to_string(options_.timeoutSeconds)),
                    ExitCode::Incomplete);
    case AnswerOutcome::Failed:
        break;
    }
    // The store failing is a file error; anything the statement itself met, a usage error.
    switch (database.LastError().failure) {
    case DbFailure::Busy:
    case DbFailure::Full:
    case DbFailure::NotADatabase:
    case DbFailure::CannotOpen:
    case DbFailure::Connection:
    case DbFailure::Login:
        return Fail(store_->FailureMessage(), ExitCode::FileError);
    default:
        return Fail(message, ExitCode::Usage);
    }
}

ExitCode StoreCommand::Query()
{
    std::string sql = options_.queryText;
    if (!sql.empty() && sql[0] == '@') {
        const std::string path = sql.substr(1);
        std::string bytes;
        constexpr unsigned long long kMaxQueryBytes = 16ull * 1024 * 1024;
        if (ReadWholeFile(path, kMaxQueryBytes, bytes) != ReadFileResult::Read)
            return Fail(LoadText(IDS_STORE_QUERY_UNREADABLE) + path, ExitCode::Usage);
        sql = ToNarrow(ToWideFromUtf8OrAnsi(bytes));
        if (sql.rfind("\xEF\xBB\xBF", 0) == 0)
            sql.erase(0, 3);
    }
    return Answer(sql, {});
}

ExitCode StoreCommand::Question()
{
    const ::Question* question = FindQuestion(options_.questionName);
    std::vector<QueryValue> values;
    std::string message;
    if (!BindQuestion(*question, options_.questionParameters, CheckTime::Now().epoch, values, message))
        return Fail(message, ExitCode::Usage);
    return Answer(question->sql, values);
}

// The questions with what they ask and their parameters, for a person, or as JSON.
ExitCode StoreCommand::Questions()
{
    if (options_.json) {
        Json list = Json::array();
        for (const ::Question& question : ReadyQuestions()) {
            Json parameters = Json::array();
            for (const QuestionParameter& parameter : question.parameters)
                parameters.push_back({{"name", parameter.name}, {"optional", parameter.optional},
                                      {"description", LoadText(parameter.labelId)},
                                      {"example", LoadText(parameter.promptId)}});
            list.push_back({{"name", question.name}, {"title", LoadText(question.titleId)},
                            {"description", LoadText(question.descriptionId)}, {"parameters", std::move(parameters)}});
        }
        return WriteResultText(options_, list.dump(1, '\t', true, Json::error_handler_t::replace) + "\n", messages_);
    }
    std::string text;
    for (const ::Question& question : ReadyQuestions()) {
        text += std::string(question.name) + "\t" + LoadText(question.titleId) + "\n    " +
                LoadText(question.descriptionId) + "\n";
        for (const QuestionParameter& parameter : question.parameters)
            text += "    /param:" + std::string(parameter.name) + "=...\t" + LoadText(parameter.labelId) + " (" +
                    LoadText(parameter.promptId) + ")" +
                    (parameter.optional ? " " + LoadText(IDS_QUESTION_OPTIONAL) : "") + "\n";
    }
    return WriteResultText(options_, text, messages_);
}

// SQLite's integrity check over the store file: the findings on standard output (or /out),
// the verdict as a message.
ExitCode StoreCommand::Verify()
{
    const StoreVerdict verdict = VerifyStore(StoreLocationOf(options_), options_.timeoutSeconds);
    switch (verdict.soundness) {
    case StoreSoundness::Sound:
        if (!options_.quiet)
            messages_.ShowMessage(verdict.message, MB_ICONINFORMATION);
        return ExitCode::Success;
    case StoreSoundness::Damaged: {
        std::string findings;
        for (const std::string& finding : verdict.damage)
            findings += finding + "\n";
        WriteResultText(options_, findings, messages_);
        return Fail(verdict.message, ExitCode::FileError);
    }
    case StoreSoundness::NotVerified:
        break;
    }
    return Fail(verdict.message, ExitCode::FileError);
}

ExitCode StoreCommand::Run()
{
    if (options_.command == ReportCommand::Questions)
        return Questions();   // the list is the program's own: no store needed
    if (options_.command == ReportCommand::Question && !FindQuestion(options_.questionName))
        return Fail(FillIn(LoadText(IDS_QUESTION_UNKNOWN), options_.questionName), ExitCode::Usage);
    const bool writes = options_.command == ReportCommand::Import || options_.command == ReportCommand::Prune ||
                        options_.command == ReportCommand::Delete;
    if (options_.command == ReportCommand::Import) {
        // A file that is not a check is refused before the store is touched.
        std::string message;
        if (!ReadCheckFile(options_.importPath, imported_, message))
            return Fail(message, ExitCode::Usage);
    }
    if (!writes && !ResultTargetCanBeWritten(options_, messages_))
        return ExitCode::FileError;
    if (options_.command == ReportCommand::Verify)
        return Verify();   // opens the file its own way, whatever state it is in
    std::string message;
    StoreOpenFailure failure = StoreOpenFailure::None;
    const bool asks = options_.command == ReportCommand::Query || options_.command == ReportCommand::Question;
    const StoreAccess access = writes ? StoreAccess::Record : asks ? StoreAccess::Query : StoreAccess::Read;
    store_ = InventoryStore::Open(StoreLocationOf(options_), access, options_.timeoutSeconds, message, failure);
    if (!store_)
        return Fail(message, failure == StoreOpenFailure::Empty ? ExitCode::Usage : ExitCode::FileError);
    switch (options_.command) {
    case ReportCommand::History: return History();
    case ReportCommand::Show: return Show();
    case ReportCommand::Compare: return Compare();
    case ReportCommand::Import: return Import();
    case ReportCommand::Prune: return Prune();
    case ReportCommand::CopyTo: return CopyTo();
    case ReportCommand::Delete: return Delete();
    case ReportCommand::Query: return Query();
    case ReportCommand::Question: return Question();
    default: return ExitCode::Usage;
    }
}

}  // namespace

ExitCode RunStoreCommand(const ReportOptions& options)
{
    StoreCommand command(options);
    return command.Run();
}
