#include "shell/question_answer.h"

#include <windows.h>

#include <cmath>
#include <cstdio>
#include <limits>

#include "base/narrow.h"
#include "base/shown_time.h"
#include "base/text_util.h"
#include "inventory/computer_summary.h"
#include "render/decode.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "store/stored_check.h"
#include "storetools/answer_model.h"

namespace {

constexpr double kNoSortValue = std::numeric_limits<double>::quiet_NaN();

const AnswerColumn* ColumnNamed(const Question* question, const std::string& name)
{
    if (question)
        for (const AnswerColumn& column : question->columns)
            if (EqualsNoCase(column.name, name))
                return &column;
    return nullptr;
}

bool IsNumber(const QueryValue& value)
{
    return value.type == DbType::Integer || value.type == DbType::Real;
}

double NumberOf(const QueryValue& value)
{
    if (value.type == DbType::Integer)
        return static_cast<double>(value.integer);
    if (value.type == DbType::Real)
        return value.real;
    char* end = nullptr;
    const double number = std::strtod(value.text.c_str(), &end);
    return !value.text.empty() && end && *end == '\0' ? number : kNoSortValue;
}

std::string OneDecimal(double number)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.1f", number);
    return GroupDigits(text);
}

std::string SizeText(double bytes)
{
    const double kilo = 1024.0;
    if (std::fabs(bytes) < kilo * kilo)
        return FillIn(LoadText(IDS_ANSWER_KB), OneDecimal(bytes / kilo));
    if (std::fabs(bytes) < kilo * kilo * kilo)
        return FillIn(LoadText(IDS_ANSWER_MB), OneDecimal(bytes / kilo / kilo));
    return FillIn(LoadText(IDS_ANSWER_GB), OneDecimal(bytes / kilo / kilo / kilo));
}

double SortValueOf(ColumnFormat format, const QueryValue& value)
{
    switch (format) {
    case ColumnFormat::Number:
    case ColumnFormat::Size:
    case ColumnFormat::Percent: return NumberOf(value);
    case ColumnFormat::Date: {
        CheckTime time;
        return CheckTime::FromLocalText(value.Text(), time) ? static_cast<double>(time.epoch) : kNoSortValue;
    }
    default: return kNoSortValue;
    }
}

UINT ChangeTextId(const std::string& key)
{
    return key == "added" ? IDS_COMPARE_ADDED : key == "removed" ? IDS_COMPARE_REMOVED
                          : key == "changed" ? IDS_COMPARE_CHANGED : 0;
}

}  // namespace

std::string ShowAnswerValue(ColumnFormat format, const QueryValue& value)
{
    if (value.type == DbType::Null)
        return {};
    const double number = NumberOf(value);
    switch (format) {
    case ColumnFormat::Text: break;
    case ColumnFormat::Number:
        if (value.type == DbType::Integer)
            return GroupDigits(value.Text());
        if (!std::isnan(number))
            return OneDecimal(number);
        break;
    case ColumnFormat::Size:
        if (!std::isnan(number))
            return SizeText(number);
        break;
    case ColumnFormat::Percent:
        if (!std::isnan(number))
            return OneDecimal(number);
        break;
    case ColumnFormat::Date: return ShownTime(value.Text());
    case ColumnFormat::Result: return IsNumber(value) ? value.Text() : ComputerResultTextOfKey(value.text);
    case ColumnFormat::Change: {
        const UINT id = ChangeTextId(value.text);
        return id ? LoadText(id) : value.text;
    }
    }
    return value.Text();
}

ResultModel QuestionAnswerModel(const Question* question, const QueryAnswer& answer)
{
    if (!question)
        return AnswerModel(answer);
    std::vector<const AnswerColumn*> described;
    ResultModel model;
    for (const std::string& name : answer.columns) {
        described.push_back(ColumnNamed(question, name));
        const AnswerColumn* column = described.back();
        // Counts, sizes and shares stand right-aligned, digits under digits.
        const bool figure = column && (column->format == ColumnFormat::Number || column->format == ColumnFormat::Size ||
                                       column->format == ColumnFormat::Percent);
        model.AddColumn(ResultColumn{column ? LoadText(column->headerId) : name, figure});
    }
    for (const std::vector<QueryValue>& values : answer.rows) {
        ResultRow row;
        for (size_t column = 0; column < values.size(); ++column) {
            const ColumnFormat format = column < described.size() && described[column] ? described[column]->format
                                                                                      : ColumnFormat::Text;
            row.cells.push_back(column < described.size() && described[column] ? ShowAnswerValue(format, values[column]) : values[column].Text());
            row.sortValues.push_back(SortValueOf(format, values[column]));
            // A saved answer keeps its times in ISO 8601.
            row.sortTexts.push_back(format == ColumnFormat::Date ? values[column].Text() : std::string());
        }
        model.AppendRow(std::move(row));
    }
    return model;
}

std::vector<bool> QuestionNumberColumns(const Question* question, const QueryAnswer& answer)
{
    // A column sorts as numbers when its format is a number, or, undescribed, when every
    // value in it is a number or empty.
    std::vector<bool> numbers(answer.columns.size(), true);
    for (size_t column = 0; column < answer.columns.size(); ++column) {
        const AnswerColumn* described = ColumnNamed(question, answer.columns[column]);
        if (described) {
            const ColumnFormat format = described->format;
            numbers[column] = format == ColumnFormat::Number || format == ColumnFormat::Size ||
                              format == ColumnFormat::Percent || format == ColumnFormat::Date;
            continue;
        }
        for (const std::vector<QueryValue>& row : answer.rows)
            if (column < row.size() && row[column].type == DbType::Text)
                numbers[column] = false;
    }
    return numbers;
}
