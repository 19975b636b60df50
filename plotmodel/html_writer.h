#pragma once

#include <string>
#include <vector>

#include "plotmodel/page_model.h"
#include "plotmodel/table_model.h"

// A page as one HTML document: its title in a header band of fixed height, then its graphs
// (their SVG inline, with links to their files) and tables (HTML tables) in creation order.
// Fixed sizes keep the picture the same in every browser: the first item's top-left corner is
// at (kBlockMargin, kPageHeaderHeight + kBlockMargin).

namespace plotmodel {

constexpr int kPageHeaderHeight = 48;
constexpr int kBlockMargin = 8;
// Seconds between reloads of a page that the module still holds open.
constexpr int kReloadSeconds = 2;

struct HtmlBlock {
    const std::string* svg = nullptr;  // a graph's picture, or
    const Table* table = nullptr;      // a table
    std::string svgFile, csvFile;      // the item's own files, for the links
};

// The title of the window that shows a page (the browser's, for the HTML document): its tab
// name, else its title, else "Page <id>".
std::string PageWindowTitle(const Page& page);

// A page that is still open reloads itself every kReloadSeconds, so a browser follows it.
std::string PageHtml(const Page& page, const std::vector<HtmlBlock>& blocks);

struct IndexEntry {
    std::string file;
    const Page* page;
};

// The list of pages, each linked to its file.
std::string IndexHtml(const std::vector<IndexEntry>& pages);

}  // namespace plotmodel
