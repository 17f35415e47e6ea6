#include "console/console_reporter.h"

#include <utility>

#include "resources/resource.h"
#include "resources/text.h"

ConsoleReporter::ConsoleReporter(ErrorStream& errors, std::string classText)
    : errors_(errors), classText_(std::move(classText))
{
    for (UINT header : {IDS_COLUMN_GROUP, IDS_COLUMN_NAME, IDS_COLUMN_TYPE, IDS_COLUMN_VALUE})
        classRows_.AddColumn(ResultColumn{LoadText(header)});
}

int ConsoleReporter::ShowMessage(const std::string& text, UINT flags)
{
    errors_.Message(text);
    return (flags & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK;
}

void ConsoleReporter::AddClassRows(std::vector<ClassResultRow> rows)
{
    for (ClassResultRow& row : rows) {
        classRows_.AppendRow(ResultRow{
            {std::to_string(row.objectNumber), std::move(row.name), std::move(row.typeText),
             std::move(row.value)},
            row.itemData});
    }
}

void ConsoleReporter::ReadingIncomplete(const std::string& text)
{
    errors_.Message(LoadText(IDS_REPORT_INCOMPLETE) + text);
}
