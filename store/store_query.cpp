#include "store/store_query.h"

#include <charconv>

#include "base/text_util.h"
#include "resources/resource.h"
#include "resources/text.h"

namespace {

std::string RealText(double value)
{
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

// A parameter's text as a value of its type (within its range, when it has one); false
// when it is none.
bool ReadParameter(const QuestionParameter& parameter, const std::string& text, QueryValue& value)
{
    const std::string trimmed = TrimWhiteSpace(text);
    switch (parameter.type) {
    case QuestionType::Text:
        value = {DbType::Text, 0, 0, text};
        return true;
    case QuestionType::Integer: {
        int64_t number = 0;
        const auto result = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), number);
        value = {DbType::Integer, number, 0, {}};
        return !trimmed.empty() && result.ec == std::errc() && result.ptr == trimmed.data() + trimmed.size() &&
               (!parameter.ranged || (number >= parameter.least && number <= parameter.most));
    }
    case QuestionType::Number: {
        double number = 0;
        const auto result = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), number);
        value = {DbType::Real, 0, number, {}};
        return !trimmed.empty() && result.ec == std::errc() && result.ptr == trimmed.data() + trimmed.size() &&
               number == number && number - number == 0 &&   // neither NaN nor infinite
               (!parameter.ranged || (number >= parameter.least && number <= parameter.most));
    }
    }
    return false;
}

std::string BoundText(double bound)
{
    return RealText(bound);
}

// What the parameter takes, in the user's words: "Enter a whole number from 1 to 100."
std::string ParameterRule(const QuestionParameter& parameter)
{
    const bool whole = parameter.type == QuestionType::Integer;
    if (parameter.ranged)
        return FillIn(LoadText(whole ? IDS_QUESTION_WHOLE_RANGE : IDS_QUESTION_NUMBER_RANGE),
                      BoundText(parameter.least), BoundText(parameter.most));
    return LoadText(whole ? IDS_QUESTION_WHOLE : IDS_QUESTION_NUMBER);
}

}  // namespace

std::string QueryValue::Text() const
{
    switch (type) {
    case DbType::Null:
        return {};
    case DbType::Integer:
        return std::to_string(integer);
    case DbType::Real:
        return RealText(real);
    case DbType::Text:
        break;
    }
    return text;
}

AnswerOutcome RunReadOnlyQuery(Database& database, const std::string& sql, const std::vector<QueryValue>& values,
                              AnswerSink& sink, std::string& message)
{
    std::unique_ptr<DbStatement> statement = database.PrepareReadOnly(sql);
    if (!statement) {
        const DbError& error = database.LastError();
        const bool refused = error.failure == DbFailure::ReadOnly ||
                             (error.failure == DbFailure::Syntax && error.code == 0);
        message = FillIn(LoadText(refused ? IDS_STORE_QUERY_REFUSED : IDS_STORE_QUERY_FAILED), error.message);
        return refused ? AnswerOutcome::Refused : AnswerOutcome::Failed;
    }
    for (size_t i = 0; i < values.size(); ++i) {
        const int index = static_cast<int>(i) + 1;
        switch (values[i].type) {
        case DbType::Null: statement->BindNull(index); break;
        case DbType::Integer: statement->BindInt(index, values[i].integer); break;
        case DbType::Real: statement->BindReal(index, values[i].real); break;
        case DbType::Text: statement->BindText(index, values[i].text); break;
        }
    }
    bool named = false;
    const auto nameColumns = [&] {
        std::vector<std::string> names;
        for (int column = 0; column < statement->ColumnCount(); ++column)
            names.push_back(statement->ColumnName(column));
        named = true;
        return sink.Columns(names);
    };
    std::vector<QueryValue> row;
    DbStep step;
    while ((step = statement->Step()) == DbStep::Row) {
        if (!named && !nameColumns())
            return AnswerOutcome::NotTaken;
        row.resize(static_cast<size_t>(statement->ColumnCount()));
        for (int column = 0; column < statement->ColumnCount(); ++column) {
            QueryValue& value = row[static_cast<size_t>(column)];
            value.type = statement->ColumnType(column);
            value.integer = value.type == DbType::Integer ? statement->Int(column) : 0;
            value.real = value.type == DbType::Real ? statement->Real(column) : 0;
            if (value.type == DbType::Text)
                value.text = statement->Text(column);
            else
                value.text.clear();
        }
        if (!sink.Row(row))
            return AnswerOutcome::NotTaken;
    }
    if (step == DbStep::Error) {
        const DbError& error = database.LastError();
        message = FillIn(LoadText(IDS_STORE_QUERY_FAILED), error.message);
        const bool stopped = error.failure == DbFailure::Interrupted || error.failure == DbFailure::TimedOut;
        return stopped ? AnswerOutcome::Stopped : AnswerOutcome::Failed;
    }
    if (!named && !nameColumns())
        return AnswerOutcome::NotTaken;
    return AnswerOutcome::Answered;
}

AnswerOutcome RunReadOnlyQuery(Database& database, const std::string& sql, const std::vector<QueryValue>& values,
                              QueryAnswer& answer, std::string& message)
{
    class Keep : public AnswerSink {
    public:
        explicit Keep(QueryAnswer& answer) : answer_(answer) {}
        bool Columns(const std::vector<std::string>& names) override
        {
            answer_.columns = names;
            return true;
        }
        bool Row(const std::vector<QueryValue>& values) override
        {
            answer_.rows.push_back(values);
            return true;
        }

    private:
        QueryAnswer& answer_;
    };
    answer = QueryAnswer{};
    Keep keep(answer);
    return RunReadOnlyQuery(database, sql, values, keep, message);
}

const Question* FindQuestion(const std::string& name)
{
    for (const Question& question : ReadyQuestions())
        if (EqualsNoCase(question.name, name))
            return &question;
    return nullptr;
}

bool BindQuestion(const Question& question, const std::vector<std::string>& given, int64_t now,
                  std::vector<QueryValue>& values, std::string& message)
{
    const size_t count = question.parameters.size();
    std::vector<std::string> texts(count);
    std::vector<bool> set(count, false);
    size_t next = 0;
    for (const std::string& text : given) {
        size_t index = count;
        std::string value = text;
        const size_t equals = text.find('=');
        for (size_t i = 0; equals != std::string::npos && i < count; ++i)
            if (EqualsNoCase(text.substr(0, equals), question.parameters[i].name))
                index = i;
        if (index < count)
            value = text.substr(equals + 1);
        else
            index = next;
        if (index >= count) {
            message = FillIn(LoadText(IDS_QUESTION_TOO_MANY), question.name, text);
            return false;
        }
        if (set[index]) {
            message = FillIn(LoadText(IDS_QUESTION_PARAMETER_TWICE), question.parameters[index].name);
            return false;
        }
        texts[index] = value;
        set[index] = true;
        while (next < count && set[next])
            ++next;
    }
    std::vector<QueryValue> parameters(count);
    for (size_t i = 0; i < count; ++i) {
        const QuestionParameter& parameter = question.parameters[i];
        const bool empty = !set[i] || TrimWhiteSpace(texts[i]).empty();
        if (empty && !parameter.optional && (!set[i] || parameter.type != QuestionType::Text)) {
            message = FillIn(LoadText(IDS_QUESTION_FILL_IN), LoadText(parameter.labelId));
            return false;
        }
        if (!set[i] || (parameter.optional && empty)) {
            parameters[i] = {DbType::Text, 0, 0, {}};   // left empty
            continue;
        }
        if (!ReadParameter(parameter, texts[i], parameters[i])) {
            message = FillIn(LoadText(IDS_QUESTION_LABEL_RULE), LoadText(parameter.labelId), ParameterRule(parameter));
            return false;
        }
    }
    values.clear();
    for (int bind : question.binds)
        values.push_back(bind < 0 ? QueryValue{DbType::Integer, now, 0, {}} : parameters[static_cast<size_t>(bind)]);
    return true;
}
