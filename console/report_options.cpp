#include "console/report_options.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "console/class_argument.h"
#include "base/narrow.h"
#include "base/text_util.h"
#include "inventory/computer_list.h"
#include "inventory/multi_check.h"
#include "store/store_prune.h"
#include "resources/resource.h"
#include "resources/text.h"

namespace {

struct Option {
    std::string text;    // as given
    std::string name;    // lower case, without the leading character and the value
    std::string value;
    bool hasValue = false;
};

bool IsOption(const std::string& argument)
{
    return !argument.empty() && (argument[0] == '/' || argument[0] == '-');
}

Option SplitOption(const std::string& argument)
{
    Option option;
    option.text = argument;
    size_t colon = argument.find(':');
    option.name = argument.substr(1, colon == std::string::npos ? std::string::npos : colon - 1);
    for (char& character : option.name)
        character = static_cast<char>(std::tolower(static_cast<unsigned char>(character)));
    if (colon != std::string::npos) {
        option.value = argument.substr(colon + 1);
        option.hasValue = true;
    }
    return option;
}

// A whole number of decimal digits alone, from `minimum` to `maximum`.
bool ReadNumberInRange(const std::string& text, unsigned long minimum, unsigned long maximum, unsigned long& number)
{
    number = 0;
    for (char digit : text) {
        if (digit < '0' || digit > '9' || number > maximum)
            return false;
        number = number * 10 + static_cast<unsigned long>(digit - '0');
    }
    return !text.empty() && number >= minimum && number <= maximum;
}

// A check number: decimal digits, 1 or more, within the 63-bit range of the store's keys.
bool ReadCheckNumber(const std::string& text, unsigned long long& number)
{
    number = 0;
    if (text.empty() || text.size() > 18)
        return false;
    for (char digit : text) {
        if (digit < '0' || digit > '9')
            return false;
        number = number * 10 + static_cast<unsigned long long>(digit - '0');
    }
    return number > 0;
}

class OptionReader {
public:
    OptionReader(ReportOptions& options, std::string& reason) : options_(options), reason_(reason) {}

    bool Read(const std::vector<std::string>& arguments);

private:
    bool ReadOption(const Option& option);
    bool ReadValueOption(const Option& option);
    bool ReadCheckOption(const Option& option);
    bool SetCommand(ReportCommand command, const Option& option);
    bool Fail(UINT messageId, const std::string& subject)
    {
        reason_ = LoadText(messageId) + subject;
        return false;
    }
    bool CheckCombination();
    bool ReadComputer(const std::string& argument);
    bool ReadManyOption(const Option& option);
    bool ReadStoreOption(const Option& option);
    bool ReadStoreCommandValue(ReportCommand command, const Option& option);
    bool CheckStoreCombination();
    bool CheckMany();
    bool ReadSourceOption(const Option& option);
    bool CheckSources();

    ReportOptions& options_;
    std::string& reason_;
    std::optional<std::string> commandText_, computerText_, outText_, typeText_, rawCsvText_;
    std::optional<std::string> checkOnlyText_;   // the first option that needs a check
    std::optional<std::string> secondComputerText_, listFileText_, outDirText_, parallelText_, formatText_;
    std::optional<std::string> timeoutText_, userText_, passwordText_;
    std::optional<std::string> storeText_, volatileText_, paramText_;
    std::optional<std::string> directoryText_, activeText_, osText_, rangeText_, namesText_, freshText_;
    ComputerList computers_;
};

bool OptionReader::Read(const std::vector<std::string>& arguments)
{
    for (const std::string& argument : arguments) {
        if (argument == "/?" || argument == "-?") {
            options_ = ReportOptions{};
            options_.command = ReportCommand::Help;
            options_.utf8 = AsksForUtf8(arguments);
            return true;
        }
    }
    for (const std::string& argument : arguments) {
        if (IsOption(argument)) {
            if (!ReadOption(SplitOption(argument)))
                return false;
        } else if (!ReadComputer(argument)) {
            return false;
        }
    }
    return CheckCombination() && CheckSources() && CheckMany();
}

// /directory[:address], /active:days, /os:pattern, /range:range, /names and /fresh:hours.
bool OptionReader::ReadSourceOption(const Option& option)
{
    std::optional<std::string>& seen = option.name == "directory" ? directoryText_
                                       : option.name == "active"  ? activeText_
                                       : option.name == "os"      ? osText_
                                       : option.name == "range"   ? rangeText_
                                       : option.name == "names"   ? namesText_
                                                                  : freshText_;
    if (seen)
        return Fail(IDS_REPORT_TWICE, option.text);
    seen = option.text;
    if (option.name == "names")
        return option.hasValue ? Fail(IDS_REPORT_UNKNOWN_OPTION, option.text) : (options_.listNames = true);
    if (option.name == "directory") {
        options_.directory = true;
        return option.value.empty() || ParseDirectoryAddress(option.value, options_.directorySource, reason_);
    }
    if (option.value.empty())
        return Fail(IDS_REPORT_NEEDS_VALUE, option.text);
    unsigned long number = 0;
    if (option.name == "active") {
        if (!ReadNumberInRange(option.value, 1, kMaxActiveDays, number))
            return Fail(IDS_REPORT_BAD_ACTIVE, option.text);
        options_.directorySource.activeDays = static_cast<int>(number);
        return true;
    }
    if (option.name == "os") {
        const std::wstring pattern = ToWide(option.value);
        if (std::any_of(pattern.begin(), pattern.end(), [](wchar_t character) { return character < 0x20; }))
            return Fail(IDS_REPORT_UNKNOWN_OPTION, option.text);
        options_.directorySource.osPattern = pattern;
        return true;
    }
    if (option.name == "range") {
        options_.range = true;
        return ParseAddressRange(option.value, options_.addressRange, reason_);
    }
    if (!ReadNumberInRange(option.value, 1, 8760, number))
        return Fail(IDS_REPORT_BAD_FRESH, option.text);
    options_.freshHours = static_cast<int>(number);
    return true;
}

// The filters go with their source, /names with a source, /fresh: with the store; a source
// is a source of computers to check.
bool OptionReader::CheckSources()
{
    if ((activeText_ || osText_) && !directoryText_)
        return Fail(IDS_REPORT_DIRECTORY_ONLY, activeText_.value_or(osText_.value_or("")));
    if (namesText_ && !directoryText_ && !rangeText_)
        return Fail(IDS_REPORT_SOURCE_ONLY, *namesText_);
    const bool takesComputer = options_.command == ReportCommand::StandardCheck ||
                               options_.command == ReportCommand::ClassCheck;
    const std::optional<std::string> source = directoryText_ ? directoryText_ : rangeText_;
    if (source && !takesComputer)
        return Fail(IDS_REPORT_NO_COMPUTER, *commandText_);
    if (freshText_ && !storeText_)
        return Fail(IDS_REPORT_FRESH_STORE, *freshText_);
    if (freshText_ && !takesComputer)
        return Fail(IDS_REPORT_CHECK_ONLY, *freshText_);
    if (namesText_ && outDirText_)
        return Fail(IDS_REPORT_EXCLUSIVE, *namesText_ + " " + *outDirText_);
    if (namesText_ && (storeText_ || freshText_ || formatText_))
        return Fail(IDS_REPORT_EXCLUSIVE, *namesText_ + " " + storeText_.value_or(freshText_.value_or(*formatText_)));
    return true;
}

// A computer name, or "@file" with a list of them.
bool OptionReader::ReadComputer(const std::string& argument)
{
    if (!argument.empty() && argument[0] == '@') {
        listFileText_ = listFileText_.value_or(argument);
        std::string text;
        return ReadComputerListFile(argument.substr(1), text, reason_) && computers_.AddLines(text, reason_);
    }
    if (computerText_)
        secondComputerText_ = secondComputerText_.value_or(argument);
    else
        computerText_ = argument;
    return computers_.Add(argument, reason_);
}

// /outdir:folder, /parallel:n and /format:json|csv.
bool OptionReader::ReadManyOption(const Option& option)
{
    if (option.value.empty())
        return Fail(IDS_REPORT_NEEDS_VALUE, option.text);
    std::optional<std::string>& seen =
        option.name == "outdir" ? outDirText_ : option.name == "parallel" ? parallelText_ : formatText_;
    if (seen)
        return Fail(IDS_REPORT_TWICE, option.text);
    seen = option.text;
    if (option.name == "format") {
        options_.json = EqualsNoCase(option.value, "json");
        options_.csv = EqualsNoCase(option.value, "csv");
        return options_.json || options_.csv ? true : Fail(IDS_REPORT_BAD_FORMAT, option.text);
    }
    checkOnlyText_ = checkOnlyText_.value_or(option.text);
    if (option.name == "outdir") {
        options_.outDir = option.value;
        return true;
    }
    unsigned long count = 0;
    if (!ReadNumberInRange(option.value, 1, kMaxParallelChecks, count))
        return Fail(IDS_REPORT_BAD_PARALLEL, option.text);
    options_.parallel = static_cast<int>(count);
    return true;
}

// /store[:location], /history[:computer], /show:n, /compare[:computer|n,n], /import:file,
// /prune:days, /delete:n[,n...], /verify and /volatile.
bool OptionReader::ReadStoreOption(const Option& option)
{
    if (option.name == "store") {
        if (storeText_)
            return Fail(IDS_REPORT_TWICE, option.text);
        storeText_ = option.text;
        options_.store = true;
        options_.storeText = option.value;
        return true;
    }
    if (option.name == "volatile") {
        if (option.hasValue)
            return Fail(IDS_REPORT_UNKNOWN_OPTION, option.text);
        volatileText_ = option.text;
        options_.withVolatile = true;
        return true;
    }
    if (option.name == "param") {
        paramText_ = paramText_.value_or(option.text);
        options_.questionParameters.push_back(option.value);
        return true;
    }
    if ((option.name == "questions" || option.name == "verify") && option.hasValue)
        return Fail(IDS_REPORT_UNKNOWN_OPTION, option.text);
    const std::pair<const char*, ReportCommand> commands[] = {
        {"history", ReportCommand::History}, {"show", ReportCommand::Show}, {"compare", ReportCommand::Compare},
        {"import", ReportCommand::Import}, {"prune", ReportCommand::Prune}, {"delete", ReportCommand::Delete},
        {"query", ReportCommand::Query}, {"questions", ReportCommand::Questions}, {"question", ReportCommand::Question},
        {"report", ReportCommand::Report}, {"verify", ReportCommand::Verify}, {"copyto", ReportCommand::CopyTo}};
    for (const auto& [name, command] : commands) {
        if (option.name != name)
            continue;
        if (!SetCommand(command, option))
            return false;
        const bool needsValue = command == ReportCommand::Show || command == ReportCommand::Import ||
                                command == ReportCommand::Prune || command == ReportCommand::Query ||
                                command == ReportCommand::Question || command == ReportCommand::Delete ||
                                command == ReportCommand::CopyTo;
        if (needsValue && option.value.empty())
            return Fail(IDS_REPORT_NEEDS_VALUE, option.text);
        return ReadStoreCommandValue(command, option);
    }
    return Fail(IDS_REPORT_UNKNOWN_OPTION, option.text);
}

bool OptionReader::ReadStoreCommandValue(ReportCommand command, const Option& option)
{
    unsigned long long number = 0;
    switch (command) {
    case ReportCommand::History:
        options_.historyComputer = TrimWhiteSpace(option.value);
        return true;
    case ReportCommand::Show:
        if (!ReadCheckNumber(option.value, number))
            return Fail(IDS_STORE_BAD_ID, option.text);
        options_.checkId = static_cast<long long>(number);
        return true;
    case ReportCommand::Compare: {
        const size_t comma = option.value.find(',');
        unsigned long long second = 0;
        if (comma != std::string::npos) {
            if (!ReadCheckNumber(option.value.substr(0, comma), number) ||
                !ReadCheckNumber(option.value.substr(comma + 1), second))
                return Fail(IDS_STORE_BAD_ID, option.text);
            options_.compareIds[0] = static_cast<long long>(number);
            options_.compareIds[1] = static_cast<long long>(second);
            return true;
        }
        options_.compareComputer = TrimWhiteSpace(option.value);
        return true;
    }
    case ReportCommand::Import:
        options_.importPath = option.value;
        return true;
    case ReportCommand::CopyTo:
        options_.copyToText = option.value;
        return true;
    case ReportCommand::Query:
        options_.queryText = option.value;
        return true;
    case ReportCommand::Question:
        options_.questionName = TrimWhiteSpace(option.value);
        return true;
    case ReportCommand::Questions:
    case ReportCommand::Verify:
        return true;
    case ReportCommand::Report:
        options_.reportComputer = TrimWhiteSpace(option.value);
        return true;
    case ReportCommand::Delete:
        for (size_t start = 0; start <= option.value.size();) {
            const size_t comma = std::min(option.value.find(',', start), option.value.size());
            if (!ReadCheckNumber(option.value.substr(start, comma - start), number))
                return Fail(IDS_STORE_BAD_ID, option.text);
            options_.deleteIds.push_back(static_cast<long long>(number));
            start = comma + 1;
        }
        return true;
    case ReportCommand::Prune: {
        unsigned long days = 0;
        if (!ReadNumberInRange(option.value, 1, kMaxPruneDays, days))
            return Fail(IDS_STORE_BAD_DAYS, option.text);
        options_.pruneDays = static_cast<int>(days);
        return true;
    }
    default:
        return false;
    }
}

// Several computers, a list or /outdir: a run over many, whose results need the folder.
bool OptionReader::CheckMany()
{
    const bool takesComputer = options_.command == ReportCommand::StandardCheck ||
                               options_.command == ReportCommand::ClassCheck;
    options_.many = takesComputer && !options_.listNames &&
                    (secondComputerText_ || listFileText_ || outDirText_ || options_.HasFoundSource() ||
                     options_.freshHours > 0);
    if (!options_.many) {
        if (parallelText_ && takesComputer)
            return Fail(IDS_REPORT_OUTDIR_ONLY, *parallelText_);
        return true;
    }
    if (!outDirText_)
        return Fail(IDS_REPORT_ONE_COMPUTER,
                    secondComputerText_.value_or(listFileText_.value_or(directoryText_.value_or(
                        rangeText_.value_or(freshText_.value_or(""))))));
    if (outText_)
        return Fail(IDS_REPORT_EXCLUSIVE, *outText_ + " " + *outDirText_);
    if (computers_.Empty() && listFileText_)
        return Fail(IDS_LIST_EMPTY, "");
    options_.computers = computers_.Names();
    if (options_.computers.empty() && !options_.HasFoundSource())
        options_.computers.push_back({});   // no name: the local computer
    options_.computer.clear();
    return true;
}

bool OptionReader::ReadOption(const Option& option)
{
    if (option.name == "q" && !option.hasValue) {
        options_.quiet = true;
        return true;
    }
    if (option.name == "rawcsv" && !option.hasValue) {
        options_.rawCsv = true;
        rawCsvText_ = option.text;
        return true;
    }
    if (option.name == "utf8" && !option.hasValue) {
        options_.utf8 = true;
        return true;
    }
    if (option.name == "noping" && !option.hasValue) {
        options_.noPing = true;
        checkOnlyText_ = checkOnlyText_.value_or(option.text);
        return true;
    }
    if (option.name == "timeout" || option.name == "user" || option.name == "password")
        return ReadCheckOption(option);
    if (option.name == "directory" || option.name == "active" || option.name == "os" || option.name == "range" ||
        option.name == "names" || option.name == "fresh")
        return ReadSourceOption(option);
    if (option.name == "outdir" || option.name == "parallel" || option.name == "format")
        return ReadManyOption(option);
    if (option.name == "store" || option.name == "history" || option.name == "show" || option.name == "compare" ||
        option.name == "import" || option.name == "prune" || option.name == "delete" || option.name == "volatile" ||
        option.name == "query" || option.name == "questions" || option.name == "question" || option.name == "param" ||
        option.name == "report" || option.name == "verify" || option.name == "copyto")
        return ReadStoreOption(option);
    if (option.name == "classes" && !option.hasValue)
        return SetCommand(ReportCommand::ListClasses, option);
    if (option.name == "categories" && !option.hasValue)
        return SetCommand(ReportCommand::ListCategories, option);
    if (option.name == "class" || option.name == "explain" || option.name == "out" ||
        option.name == "vt")
        return ReadValueOption(option);
    return Fail(IDS_REPORT_UNKNOWN_OPTION, option.text);
}

bool OptionReader::ReadValueOption(const Option& option)
{
    if (option.value.empty())
        return Fail(IDS_REPORT_NEEDS_VALUE, option.text);
    if (option.name == "class") {
        if (!SetCommand(ReportCommand::ClassCheck, option))
            return false;
        options_.classId = ClassIdFromArgument(option.value, reason_);
        return options_.classId != 0;
    }
    if (option.name == "explain") {
        return SetCommand(ReportCommand::Explain, option) &&
               ParseExplainTarget(option.value, options_.explain, reason_);
    }
    std::optional<std::string>& seen = option.name == "out" ? outText_ : typeText_;
    if (seen)
        return Fail(IDS_REPORT_TWICE, option.text);
    seen = option.text;
    if (option.name == "out") {
        options_.outPath = option.value;
        return true;
    }
    options_.explain.typeGiven = true;
    return ParseValueType(option.value, options_.explain.type, reason_);
}

// /timeout:seconds, /user:account and /password:* (the password itself is asked for).
bool OptionReader::ReadCheckOption(const Option& option)
{
    if (option.value.empty())
        return Fail(IDS_REPORT_NEEDS_VALUE, option.text);
    if (option.name != "timeout")
        checkOnlyText_ = checkOnlyText_.value_or(option.text);   // /timeout: also bounds a store's server
    std::optional<std::string>& seen =
        option.name == "timeout" ? timeoutText_ : option.name == "user" ? userText_ : passwordText_;
    if (seen)
        return Fail(IDS_REPORT_TWICE, option.name == "password" ? "/password:..." : option.text);
    seen = option.text;
    if (option.name == "password")
        return option.value == "*" ? true : Fail(IDS_REPORT_PASSWORD_STAR, "/password:...");
    if (option.name == "user") {
        options_.user = option.value;
        return true;
    }
    unsigned long seconds = 0;
    if (!ReadNumberInRange(option.value, 1, 86400, seconds))
        return Fail(IDS_REPORT_BAD_TIMEOUT, option.text);
    options_.timeoutSeconds = static_cast<unsigned>(seconds);
    return true;
}

bool OptionReader::SetCommand(ReportCommand command, const Option& option)
{
    if (commandText_) {
        if (options_.command == command)
            return Fail(IDS_REPORT_TWICE, option.text);
        return Fail(IDS_REPORT_EXCLUSIVE, *commandText_ + " " + option.text);
    }
    commandText_ = option.text;
    options_.command = command;
    return true;
}

bool OptionReader::CheckCombination()
{
    if (typeText_ && options_.command != ReportCommand::Explain)
        return Fail(IDS_REPORT_EXPLAIN_ONLY, *typeText_);
    if (rawCsvText_ && options_.command != ReportCommand::ClassCheck)
        return Fail(IDS_REPORT_CLASS_ONLY, *rawCsvText_);
    if (rawCsvText_ && formatText_)
        return Fail(IDS_REPORT_EXCLUSIVE, *rawCsvText_ + " " + *formatText_);
    if (options_.command == ReportCommand::Explain &&
        !CheckExplainedType(options_.explain, reason_))
        return false;
    bool takesComputer = options_.command == ReportCommand::StandardCheck ||
                         options_.command == ReportCommand::ClassCheck;
    if (checkOnlyText_ && !takesComputer)
        return Fail(IDS_REPORT_CHECK_ONLY, *checkOnlyText_);
    if (timeoutText_ && !takesComputer && !IsStoreCommand(options_.command))
        return Fail(IDS_REPORT_CHECK_ONLY, *timeoutText_);
    if (!CheckStoreCombination())
        return false;
    if ((computerText_ || listFileText_) && !takesComputer)
        return Fail(IDS_REPORT_NO_COMPUTER, *commandText_);
    options_.computer = ComputerOfName(computerText_.value_or(""));
    return true;
}

// The store goes with checks and the store commands; /volatile with /compare; CSV with
// /compare; JSON with checks, /show, /compare and /history.
bool OptionReader::CheckStoreCombination()
{
    const ReportCommand command = options_.command;
    const bool check = command == ReportCommand::StandardCheck || command == ReportCommand::ClassCheck;
    if (storeText_ && !check && !IsStoreCommand(command))
        return Fail(IDS_REPORT_CHECK_ONLY, *storeText_);
    const auto onlyWithCompare = [this](const std::string& given) {
        reason_ = FillIn(LoadText(IDS_STORE_ONLY_WITH), "/compare") + given;
        return false;
    };
    if (volatileText_ && command != ReportCommand::Compare)
        return onlyWithCompare(*volatileText_);
    if (paramText_ && command != ReportCommand::Question) {
        reason_ = FillIn(LoadText(IDS_STORE_ONLY_WITH), "/question") + *paramText_;
        return false;
    }
    if (formatText_ && options_.csv && command != ReportCommand::Compare)
        return onlyWithCompare(*formatText_);
    const bool takesJson = check || command == ReportCommand::Show || command == ReportCommand::Compare ||
                           command == ReportCommand::History || command == ReportCommand::Query ||
                           command == ReportCommand::Question || command == ReportCommand::Questions;
    if (formatText_ && options_.json && !takesJson)
        return Fail(IDS_REPORT_CHECK_ONLY, *formatText_);
    return true;
}

}  // namespace

bool IsStoreCommand(ReportCommand command)
{
    return command == ReportCommand::History || command == ReportCommand::Show || command == ReportCommand::Compare ||
           command == ReportCommand::Import || command == ReportCommand::Prune || command == ReportCommand::Delete ||
           command == ReportCommand::Query || command == ReportCommand::Questions || command == ReportCommand::Question ||
           command == ReportCommand::Report || command == ReportCommand::Verify || command == ReportCommand::CopyTo;
}

bool AsksForUtf8(const std::vector<std::string>& arguments)
{
    for (const std::string& argument : arguments) {
        if (IsOption(argument)) {
            const Option option = SplitOption(argument);
            if (option.name == "utf8" && !option.hasValue)
                return true;
        }
    }
    return false;
}

bool ParseReportOptions(const std::vector<std::string>& arguments, ReportOptions& options,
                        std::string& reason)
{
    options = ReportOptions{};
    OptionReader reader(options, reason);
    return reader.Read(arguments);
}
