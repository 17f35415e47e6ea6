// One self-contained HTML page, built in order: the head with its charset, a
// Content-Security-Policy that allows no script and no remote load, and the style; then
// headings, paragraphs, tables and charts; Finish closes it. Texts are escaped here;
// only Markup takes markup, and only the program's own (charts).
#pragma once
#include <windows.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct HtmlCell {
    HtmlCell(std::string text = {}) : text(std::move(text)) {}   // NOLINT: a text is a cell
    HtmlCell(std::string markup, std::string text) : text(std::move(text)), markup(std::move(markup)) {}
    std::string text;     // escaped when written
    std::string markup;   // the program's own markup, written before the text
    bool warning = false;
};

struct HtmlTable {
    std::vector<std::string> headers;
    std::vector<bool> numeric;   // right-aligned columns; missing entries are not
    std::vector<std::vector<HtmlCell>> rows;
};

class HtmlPage {
public:
    // `footer` is the title printed at the foot of every page.
    HtmlPage(const std::string& title, const std::string& footer, LANGID language);

    void Heading(int level, std::string_view text, std::string_view id = {});
    void Paragraph(std::string_view text, const char* cssClass = nullptr);
    // Label and value pairs, as a table of two columns.
    void Facts(const std::vector<std::pair<std::string, std::string>>& facts);
    // Large figures side by side, each a value over its label.
    void Figures(const std::vector<std::pair<std::string, std::string>>& figures);
    void Table(const HtmlTable& table, const char* cssClass = nullptr);
    // A chart (SVG the program drew) under its caption.
    void Chart(std::string_view caption, const std::string& svg);
    void Markup(std::string_view markup) { html_ += markup; }

    std::string Finish();

private:
    std::string html_;
};
