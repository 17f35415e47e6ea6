#include "report/html_page.h"

#include "report/html_text.h"
#include "report/report_style.h"

namespace {

constexpr char kPolicy[] = "default-src 'none'; style-src 'unsafe-inline'; img-src data:; base-uri 'none'; "
                           "form-action 'none'";

bool IsNumeric(const HtmlTable& table, size_t column)
{
    return column < table.numeric.size() && table.numeric[column];
}

}  // namespace

HtmlPage::HtmlPage(const std::string& title, const std::string& footer, LANGID language)
{
    const char* tag = PRIMARYLANGID(language) == LANG_JAPANESE ? "ja" : "en";
    html_.reserve(64 * 1024);
    html_ += "<!DOCTYPE html>\n<html lang=\"";
    html_ += tag;
    html_ += "\">\n<head>\n<meta charset=\"utf-8\">\n<meta http-equiv=\"Content-Security-Policy\" content=\"";
    html_ += kPolicy;
    html_ += "\">\n<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
             "<meta name=\"generator\" content=\"Mirel\">\n<title>";
    html_ += HtmlEscape(title);
    html_ += "</title>\n<style>";
    html_ += ReportStyleSheet(footer);
    html_ += "</style>\n</head>\n<body>\n";
}

void HtmlPage::Heading(int level, std::string_view text, std::string_view id)
{
    const std::string tag = "h" + std::to_string(level);
    html_ += "<" + tag;
    if (!id.empty())
        html_ += " id=\"" + HtmlEscape(id) + "\"";
    html_ += ">" + HtmlEscape(text) + "</" + tag + ">\n";
}

void HtmlPage::Paragraph(std::string_view text, const char* cssClass)
{
    html_ += cssClass ? "<p class=\"" + std::string(cssClass) + "\">" : std::string("<p>");
    html_ += HtmlEscape(text) + "</p>\n";
}

void HtmlPage::Facts(const std::vector<std::pair<std::string, std::string>>& facts)
{
    html_ += "<table class=\"facts\"><tbody>\n";
    for (const auto& [label, value] : facts)
        html_ += "<tr><th scope=\"row\">" + HtmlEscape(label) + "</th><td>" + HtmlEscape(value) + "</td></tr>\n";
    html_ += "</tbody></table>\n";
}

void HtmlPage::Figures(const std::vector<std::pair<std::string, std::string>>& figures)
{
    html_ += "<div class=\"figures\">";
    for (const auto& [label, value] : figures)
        html_ += "<div class=\"figure\"><b>" + HtmlEscape(value) + "</b>" + HtmlEscape(label) + "</div>";
    html_ += "</div>\n";
}

void HtmlPage::Table(const HtmlTable& table, const char* cssClass)
{
    html_ += cssClass ? "<table class=\"" + std::string(cssClass) + "\">" : std::string("<table>");
    html_ += "<thead><tr>";
    for (size_t column = 0; column < table.headers.size(); ++column)
        html_ += (IsNumeric(table, column) ? "<th class=\"n\">" : "<th>") + HtmlEscape(table.headers[column]) +
                 "</th>";
    html_ += "</tr></thead>\n<tbody>\n";
    for (const std::vector<HtmlCell>& row : table.rows) {
        html_ += "<tr>";
        for (size_t column = 0; column < row.size(); ++column) {
            const HtmlCell& cell = row[column];
            std::string classes = IsNumeric(table, column) ? "n" : "";
            if (cell.warning)
                classes += classes.empty() ? "warn" : " warn";
            html_ += classes.empty() ? std::string("<td>") : "<td class=\"" + classes + "\">";
            html_ += cell.markup + HtmlEscape(cell.text) + "</td>";
        }
        html_ += "</tr>\n";
    }
    html_ += "</tbody></table>\n";
}

void HtmlPage::Chart(std::string_view caption, const std::string& svg)
{
    html_ += "<figure class=\"chart\"><figcaption>" + HtmlEscape(caption) + "</figcaption>" + svg + "</figure>\n";
}

std::string HtmlPage::Finish()
{
    html_ += "</body>\n</html>\n";
    return std::move(html_);
}
