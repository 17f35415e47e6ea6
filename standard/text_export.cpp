#include "standard/text_export.h"

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

bool WriteOrReport(TextSink& sink, const std::string& text, const std::string& path)
{
    if (sink.Write(text))
        return true;
    ReportFileWriteError(path);
    return false;
}

int WriteGroup(CategoryGroup group, TextSink& sink, const std::string& path)
{
    std::string groupLine = "\n";
    groupLine += LoadText(GroupLabelStringId(group));
    groupLine += '\n';
    if (!WriteOrReport(sink, groupLine, path))
        return kExportWriteFailed;
    for (const StandardCategory* category : CategoriesOfGroup(group)) {
        if (WriteCategorySection(*StandardStore(category->storeIndex),
                                 LoadText(category->labelStringId), sink, path) != 0)
            return kExportWriteFailed;
    }
    return kExportDone;
}

}  // namespace

std::string DefaultTextReportName(const std::string& targetComputer)
{
    return (targetComputer.empty() ? std::string(kLocalComputerName) : targetComputer) +
           "_Resource.txt";
}

bool HasStandardData()
{
    for (int index = 0; index < kCategoryCount; ++index) {
        if (StandardStore(index)->RowCount() > 0)
            return true;
    }
    return false;
}

int WriteCategorySection(const CategoryStore& store, const std::string& label, TextSink& sink,
                         const std::string& path)
{
    if (!WriteOrReport(sink, "\t" + label + "\n", path))
        return kExportWriteFailed;
    if (store.RowCount() == 0)
        return WriteOrReport(sink, "\t\t" + LoadText(IDS_NO_DATA) + "\n\n", path)
                   ? kExportDone
                   : kExportWriteFailed;
    const int columns = store.ColumnCount();
    if (!WriteOrReport(sink, QuotedLine(columns, [&](int i) { return store.ColumnHeader(i); }),
                       path))
        return kExportWriteFailed;
    for (int row = 0; row < store.RowCount(); ++row) {
        if (!WriteOrReport(sink, QuotedLine(columns, [&](int i) { return store.Cell(row, i); }),
                           path))
            return kExportWriteFailed;
    }
    return kExportDone;
}

int WriteStandardReport(const std::string& targetComputer, TextSink& sink,
                        const std::string& path)
{
    const std::string name = targetComputer.empty() ? kLocalComputerName : targetComputer;
    if (!WriteOrReport(sink, name + "\n\n", path))
        return kExportWriteFailed;
    for (CategoryGroup group : kGroupsInTreeOrder) {
        if (WriteGroup(group, sink, path) != kExportDone)
            return kExportWriteFailed;
    }
    return kExportDone;
}

int SaveStandardReport(const std::string& targetComputer, const std::string& path)
{
    FileTextSink file;
    if (!file.Open(path)) {
        ReportFileOpenError(path);
        return kExportOpenFailed;
    }
    if (WriteStandardReport(targetComputer, file, path) != kExportDone)
        return kExportWriteFailed;   // the destructor removes the unfinished file
    if (!file.Finish()) {
        ReportFileWriteError(path);
        return kExportWriteFailed;
    }
    return kExportDone;
}
