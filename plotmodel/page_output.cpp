#include "plotmodel/page_output.h"

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <vector>

#include "plotmodel/atomic_file.h"
#include "plotmodel/csv_writer.h"
#include "plotmodel/html_writer.h"
#include "plotmodel/svg_writer.h"

namespace plotmodel {

namespace fs = std::filesystem;

namespace {

// The writing time a page may save up: a few refreshes after a pause are written at once.
constexpr double kBurstSeconds = 0.02;

// The pacing check runs on every refresh a client asks for, which may be every data call, and
// the kernel's coarse clock (a few milliseconds a tick) costs a fraction of a precise one.
std::chrono::nanoseconds pacingNow() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

// The data file is by far the largest, so it is written again only when the points or its
// headings changed, not for a new title or axis range.
bool writeData(Graph& graph, const fs::path& file) {
    std::vector<CsvColumn> columns = TraceColumns({&graph}, "", false);
    std::vector<std::string> headings;
    for (const CsvColumn& column : columns) headings.push_back(column.heading);
    if (!graph.dataDirty && headings == graph.dataHeadings) return true;
    if (!WriteColumnsCsv(columns, file)) return false;
    graph.dataDirty = false;
    graph.dataHeadings = std::move(headings);
    return true;
}

}  // namespace

void PageOutput::SetDirectory(const std::string& directory) {
    std::error_code error;
    fs::path before = Directory();
    directory_ = directory.empty() ? fs::path() : fs::absolute(directory, error);
    if (Directory() == before) return;
    // A new folder gets every file at the next refresh, not only those that change.
    for (auto& [serial, page] : store_.Pages()) MarkWhole(page);
}

void PageOutput::MarkWhole(Page& page) {
    page.dirty = true;
    for (const PageItem& item : page.items) {
        if (item.kind == PageItem::kTable) {
            store_.TableOf(item.serial)->dirty = true;
        } else {
            Graph& graph = *store_.GraphOf(item.serial);
            graph.dirty = graph.dataDirty = true;
        }
    }
}

fs::path PageOutput::Directory() const {
    if (!directory_.empty()) return directory_;
    if (const char* variable = std::getenv("VELT_GRAPHER_OUTPUT"); variable != nullptr && *variable != '\0') return variable;
    return "grapher-output";
}

std::string PageOutput::PageFile(std::uint64_t page) { return "page" + std::to_string(page) + ".html"; }

std::string PageOutput::GraphStem(std::uint64_t page, std::uint64_t graph) {
    return "page" + std::to_string(page) + "-graph" + std::to_string(graph);
}

void PageOutput::GraphDropped(std::uint64_t page, std::uint64_t graph) {
    const fs::path stem = Directory() / GraphStem(page, graph);
    std::error_code ignored;
    fs::remove(fs::path(stem).concat(".svg"), ignored);
    fs::remove(fs::path(stem).concat(".csv"), ignored);
}

std::string PageOutput::TableFile(std::uint64_t page, std::uint64_t table) {
    return "page" + std::to_string(page) + "-table" + std::to_string(table) + ".csv";
}

bool PageOutput::ReadyFolder(bool create) const {
    std::error_code error;
    fs::path folder = Directory();
    if (fs::is_directory(folder, error)) return true;
    return create && fs::create_directories(folder, error) && !error;
}

bool PageOutput::NeedsWrite(const Page& page) {
    if (page.dirty) return true;
    for (const PageItem& item : page.items) {
        if (item.kind == PageItem::kGraph && store_.GraphOf(item.serial)->dirty) return true;
        if (item.kind == PageItem::kTable && store_.TableOf(item.serial)->dirty) return true;
    }
    return false;
}

long PageOutput::Refresh(std::uint64_t serial, bool force) {
    Page* page = store_.PageOf(serial);
    if (page == nullptr) return E_HANDLE;
    if (!force && !Affordable(*page)) {
        page->dirty = true;  // written by a later refresh, or at the latest when the module unloads
        return S_OK;
    }
    return Write(serial, *page, true);
}

bool PageOutput::Affordable(Page& page) const {
    if (paceFactor_ <= 0) return true;
    std::chrono::nanoseconds now = pacingNow();
    double earned = std::chrono::duration<double>(now - page.budgetTime).count() / paceFactor_;
    page.writeBudget = std::min(kBurstSeconds, page.writeBudget + earned);
    page.budgetTime = now;
    return page.writeBudget >= 0;
}

long PageOutput::FlushAll(bool createFolder) {
    long result = S_OK;
    for (auto& [serial, page] : store_.Pages())
        if (NeedsWrite(page) && Write(serial, page, createFolder) != S_OK) result = E_FAIL;
    return result;
}

long PageOutput::Write(std::uint64_t serial, Page& page, bool createFolder) {
    auto start = std::chrono::steady_clock::now();
    if (!ReadyFolder(createFolder)) return E_FAIL;
    fs::path folder = Directory();
    if (folder != cleaned_) {
        // A writer of this naming that was killed left its temporary files here.
        RemoveStaleTemporaryFiles(folder);
        cleaned_ = folder;
    }
    bool ok = true;
    std::vector<HtmlBlock> blocks;
    for (const PageItem& item : page.items) {
        if (item.kind == PageItem::kTable) {
            Table& table = *store_.TableOf(item.serial);
            std::string csv = TableFile(serial, item.serial);
            if (table.dirty) table.dirty = !WriteTableCsv(table, folder / csv);
            ok = ok && !table.dirty;
            blocks.push_back({nullptr, &table, "", csv});
            continue;
        }
        Graph& graph = *store_.GraphOf(item.serial);
        std::string stem = GraphStem(serial, item.serial);
        if (graph.dirty) {
            graph.picture = GraphSvg(graph, item.serial);
            bool written = WriteFileAtomically(folder / (stem + ".svg"), graph.picture);
            written = writeData(graph, folder / (stem + ".csv")) && written;
            graph.dirty = !written;
            ok = ok && written;
        }
        if (graph.shown) blocks.push_back({&graph.picture, nullptr, stem + ".svg", stem + ".csv"});
    }
    ok = WriteFileAtomically(folder / PageFile(serial), PageHtml(page, blocks)) && ok;
    ok = WriteIndex() == S_OK && ok;
    page.dirty = !ok;
    page.writeBudget -= std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return ok ? S_OK : E_FAIL;
}

long PageOutput::WriteIndex() {
    if (!ReadyFolder(false)) return E_FAIL;
    std::vector<IndexEntry> entries;
    for (const auto& [serial, page] : store_.Pages()) entries.push_back({PageFile(serial), &page});
    return WriteFileAtomically(Directory() / "index.html", IndexHtml(entries)) ? S_OK : E_FAIL;
}

}  // namespace plotmodel
