#include "console/report_options.h"

#include <cctype>
#include <optional>

#include "console/class_argument.h"
#include "base/text_util.h"
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

    ReportOptions& options_;
    std::string& reason_;
    std::optional<std::string> commandText_, computerText_, outText_, typeText_, rawCsvText_;
    std::optional<std::string> checkOnlyText_;   // the first option that needs a check
};

bool OptionReader::Read(const std::vector<std::string>& arguments)
{
    for (const std::string& argument : arguments) {
        if (argument == "/?" || argument == "-?") {
            options_ = ReportOptions{};
            options_.command = ReportCommand::Help;
            return true;
        }
    }
    for (const std::string& argument : arguments) {
        if (IsOption(argument)) {
            if (!ReadOption(SplitOption(argument)))
                return false;
        } else if (computerText_) {
            return Fail(IDS_REPORT_ONE_COMPUTER, argument);
        } else {
            computerText_ = argument;
            options_.computer = TrimWhiteSpace(argument);
        }
    }
    return CheckCombination();
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
    if (option.name == "noping" && !option.hasValue) {
        options_.noPing = true;
        checkOnlyText_ = checkOnlyText_.value_or(option.text);
        return true;
    }
    if (option.name == "timeout" || option.name == "user" || option.name == "password")
        return ReadCheckOption(option);
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
    checkOnlyText_ = checkOnlyText_.value_or(option.text);
    if (option.name == "password")
        return option.value == "*" ? true : Fail(IDS_REPORT_PASSWORD_STAR, "/password:...");
    if (option.name == "user") {
        options_.user = option.value;
        return true;
    }
    unsigned long seconds = 0;
    for (char digit : option.value) {
        if (digit < '0' || digit > '9' || seconds > 86400)
            return Fail(IDS_REPORT_BAD_TIMEOUT, option.text);
        seconds = seconds * 10 + static_cast<unsigned long>(digit - '0');
    }
    if (seconds < 1 || seconds > 86400)
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
    if (options_.command == ReportCommand::Explain &&
        !CheckExplainedType(options_.explain, reason_))
        return false;
    bool takesComputer = options_.command == ReportCommand::StandardCheck ||
                         options_.command == ReportCommand::ClassCheck;
    if (checkOnlyText_ && !takesComputer)
        return Fail(IDS_REPORT_CHECK_ONLY, *checkOnlyText_);
    if (computerText_ && !takesComputer)
        return Fail(IDS_REPORT_NO_COMPUTER, *commandText_);
    return true;
}

}  // namespace

bool ParseReportOptions(const std::vector<std::string>& arguments, ReportOptions& options,
                        std::string& reason)
{
    options = ReportOptions{};
    OptionReader reader(options, reason);
    return reader.Read(arguments);
}
