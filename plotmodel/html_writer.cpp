#include "plotmodel/html_writer.h"

#include "plotmodel/graph_view.h"
#include "plotmodel/text_escape.h"

namespace plotmodel {

namespace {

std::string head(const std::string& title, bool reload) {
    std::string html = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\"/>\n";
    if (reload) html += "<meta http-equiv=\"refresh\" content=\"" + std::to_string(kReloadSeconds) + "\"/>\n";
    html += "<title>" + XmlEscaped(title) + "</title>\n<style>\n";
    html += "body { margin: 0; background: #ffffff; color: #000000; font: 13px \"DejaVu Sans\", sans-serif; }\n";
    html += "header { height: " + std::to_string(kPageHeaderHeight) + "px; overflow: hidden; margin: 0 " +
            std::to_string(kBlockMargin) + "px; }\n";
    html += "h1 { font-size: 20px; line-height: " + std::to_string(kPageHeaderHeight) + "px; margin: 0; white-space: nowrap; }\n";
    html += ".graph, .table { margin: " + std::to_string(kBlockMargin) + "px; }\n";
    html += ".graph svg { display: block; width: " + std::to_string(kGraphWidth) + "px; height: " +
            std::to_string(kGraphHeight) + "px; }\n";
    html += ".files { height: 18px; font-size: 11px; }\n";
    html += "h2 { font-size: 15px; margin: 0 0 4px 0; }\n";
    html += "table { border-collapse: collapse; }\n";
    html += "th, td { border: 1px solid #a0a0a0; padding: 2px 6px; white-space: pre; }\n";
    html += "th { background: #eeeeee; } td.value { text-align: right; } th.row { font-weight: normal; }\n";
    html += "</style>\n</head>\n<body>\n";
    return html;
}

std::string pageName(const Page& page) {
    if (!page.title.empty()) return page.title;
    if (!page.tabName.empty()) return page.tabName;
    return "Page " + std::to_string(page.id);
}

std::string filesLinks(const HtmlBlock& block) {
    std::string html = "<div class=\"files\">";
    if (!block.svgFile.empty()) html += "<a href=\"" + XmlEscaped(block.svgFile) + "\">SVG</a> ";
    return html + "<a href=\"" + XmlEscaped(block.csvFile) + "\">CSV</a></div>\n";
}

std::string tableHtml(const Table& table) {
    std::string html = "<section class=\"table\">\n";
    if (!table.title.empty()) html += "<h2>" + XmlEscaped(table.title) + "</h2>\n";
    html += "<table>\n";
    if (table.showTopHeader) {
        html += "<thead><tr>";
        if (table.showLeftHeader) html += "<th></th>";
        for (const Column& column : table.columns) html += "<th>" + XmlEscaped(column.heading) + "</th>";
        html += "</tr></thead>\n";
    }
    html += "<tbody>\n";
    std::vector<std::vector<std::string>> texts;
    for (std::size_t c = 0; c < table.columns.size(); ++c) texts.push_back(ColumnTexts(table, c));
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        html += "<tr>";
        if (table.showLeftHeader) html += "<th class=\"row\">" + std::to_string(r + 1) + "</th>";
        for (std::size_t c = 0; c < table.columns.size(); ++c)
            html += (table.columns[c].type == kValueColumn ? "<td class=\"value\">" : "<td>") + XmlEscaped(texts[c][r]) + "</td>";
        html += "</tr>\n";
    }
    return html + "</tbody>\n</table>\n";
}

}  // namespace

std::string PageWindowTitle(const Page& page) { return page.tabName.empty() ? pageName(page) : page.tabName; }

std::string PageHtml(const Page& page, const std::vector<HtmlBlock>& blocks) {
    std::string name = pageName(page);
    std::string html = head(PageWindowTitle(page), page.open);
    html += "<header><h1>" + XmlEscaped(name) + "</h1></header>\n";
    for (const HtmlBlock& block : blocks) {
        if (block.table != nullptr)
            html += tableHtml(*block.table) + filesLinks(block) + "</section>\n";
        else
            html += "<div class=\"graph\">\n" + *block.svg + filesLinks(block) + "</div>\n";
    }
    return html + "</body>\n</html>\n";
}

std::string IndexHtml(const std::vector<IndexEntry>& pages) {
    std::string html = head("Plots", true);
    html += "<header><h1>Plots</h1></header>\n<ul>\n";
    for (const IndexEntry& entry : pages) {
        html += "<li><a href=\"" + XmlEscaped(entry.file) + "\">" + XmlEscaped(pageName(*entry.page)) + "</a>";
        if (!entry.page->open) html += " (closed)";
        html += "</li>\n";
    }
    return html + "</ul>\n</body>\n</html>\n";
}

}  // namespace plotmodel
