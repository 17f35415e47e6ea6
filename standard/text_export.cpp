#include "standard/text_export.h"

#include "base/narrow.h"
#include "resources/resource.h"
#include "resources/text.h"
#include "standard/category_catalog.h"

namespace {

// Appends `text` on one line: each line break in it (CR LF, CR or LF) becomes one space,
// so that no value can split its row or put lines of its own into the report.
void AppendOnOneLine(std::string& line, const std::string& text)
{
    for (size_t at = 0; at < text.size(); ++at) {
        const char character = text[at];
        if (character != '\r' && character != '\n') {
            line += character;
            continue;
        }
        line += ' ';
        if (character == '\r' && at + 1 < text.size() && text[at + 1] == '\n')
            ++at;
    }
}

// "\t\t" followed by the texts in double quotes, separated by commas, and "\n".
template <class TextOf>
std::string QuotedLine(int count, TextOf textOf)
{
    std::string line = "\t\t";
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            line += ',';
        line += '"';
        AppendOnOneLine(line, textOf(i));
        line += '"';
    }
    line += '\n';
    return line;
}

bool WriteOrReport(TextSink& sink, const std::string& text, const std::string& path,
                   MessageSink& messages)
{
    if (sink.Write(text))
        return true;
    ReportFileWriteError(messages, path);
    return false;
}

ExportResult WriteGroup(const StandardStores& stores, CategoryGroup group, TextSink& sink,
                        const std::string& path, MessageSink& messages)
{
    std::string groupLine = "\n";
    groupLine += LoadText(GroupLabelStringId(group));
    groupLine += '\n';
    if (!WriteOrReport(sink, groupLine, path, messages))
        return ExportResult::WriteFailed;
    for (const StandardCategory* category : CategoriesOfGroup(group)) {
        const int index = category->storeIndex;
        const CategoryReading reading = !stores.WasRead(index)     ? CategoryReading::NotRead
                                        : stores.IsIncomplete(index) ? CategoryReading::Incomplete
                                                                     : CategoryReading::Read;
        if (WriteCategorySection(*stores.Store(index), LoadText(category->labelStringId), sink, path, messages,
                                 reading) != ExportResult::Done)
            return ExportResult::WriteFailed;
    }
    return ExportResult::Done;
}

// The line that tells why a report is incomplete; empty for a complete one.
std::string IncompleteReportLine(const StandardStores& stores)
{
    if (!stores.AnyIncomplete())
        return {};
    if (stores.WasStopped())
        return LoadText(IDS_REPORT_INCOMPLETE_STOPPED) + "\n\n";
    for (const StandardCategory& category : kStandardCategories)
        if (!stores.WasRead(category.storeIndex))
            return LoadText(IDS_REPORT_INCOMPLETE_FAILED) + "\n\n";
    return LoadText(IDS_REPORT_INCOMPLETE_BROKE) + "\n\n";
}

}  // namespace

std::string DefaultTextReportName(const std::string& targetComputer)
{
    return (targetComputer.empty() ? std::string(kLocalComputerName) : targetComputer) +
           "_Resource.txt";
}

ExportResult WriteCategorySection(const CategoryStore& store, const std::string& label, TextSink& sink,
                                  const std::string& path, MessageSink& messages, CategoryReading reading)
{
    const std::string mark = reading == CategoryReading::Incomplete ? LoadText(IDS_INCOMPLETE_MARK) : "";
    if (!WriteOrReport(sink, "\t" + label + mark + "\n", path, messages))
        return ExportResult::WriteFailed;
    if (store.RowCount() == 0)
        return WriteOrReport(sink,
                             "\t\t" + LoadText(reading == CategoryReading::NotRead ? IDS_NOT_READ : IDS_NO_DATA) +
                                 "\n\n",
                             path, messages)
                   ? ExportResult::Done
                   : ExportResult::WriteFailed;
    const int columns = store.ColumnCount();
    if (!WriteOrReport(sink, QuotedLine(columns, [&](int i) { return store.ColumnHeader(i); }),
                       path, messages))
        return ExportResult::WriteFailed;
    for (int row = 0; row < store.RowCount(); ++row) {
        if (!WriteOrReport(sink, QuotedLine(columns, [&](int i) { return store.Cell(row, i); }),
                           path, messages))
            return ExportResult::WriteFailed;
    }
    return ExportResult::Done;
}

ExportResult WriteStandardReport(const StandardStores& stores, const std::string& targetComputer,
                                 TextSink& sink, const std::string& path, MessageSink& messages)
{
    const std::string name = targetComputer.empty() ? kLocalComputerName : targetComputer;
    if (!WriteOrReport(sink, name + "\n\n" + IncompleteReportLine(stores), path, messages))
        return ExportResult::WriteFailed;
    for (CategoryGroup group : kGroupsInTreeOrder) {
        if (WriteGroup(stores, group, sink, path, messages) != ExportResult::Done)
            return ExportResult::WriteFailed;
    }
    return ExportResult::Done;
}

ExportResult SaveStandardReport(const StandardStores& stores, const std::string& targetComputer,
                                const std::string& path, MessageSink& messages, TextEncoding encoding)
{
    FileTextSink file;
    file.SetEncoding(encoding);
    if (!file.Open(path)) {
        ReportFileOpenError(messages, path);
        return ExportResult::OpenFailed;
    }
    if (WriteStandardReport(stores, targetComputer, file, path, messages) != ExportResult::Done)
        return ExportResult::WriteFailed;   // the destructor removes the unfinished file
    if (!file.Finish()) {
        ReportFileWriteError(messages, path);
        return ExportResult::WriteFailed;
    }
    return ExportResult::Done;
}

std::optional<std::string> FirstReportTextOutsideAnsi(const StandardStores& stores,
                                                      const std::string& targetComputer)
{
    if (!FitsCodePage(targetComputer))
        return targetComputer;
    for (const StandardCategory& category : kStandardCategories) {
        const CategoryStore* store = stores.Store(category.storeIndex);
        if (!store)
            continue;
        for (int column = 0; column < store->ColumnCount(); ++column)
            if (!FitsCodePage(store->ColumnHeader(column)))
                return store->ColumnHeader(column);
        for (int row = 0; row < store->RowCount(); ++row)
            for (int column = 0; column < store->ColumnCount(); ++column)
                if (!FitsCodePage(store->Cell(row, column)))
                    return store->Cell(row, column);
    }
    return std::nullopt;
}
