#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "plotmodel/object_store.h"
#include "plotmodel/page_view.h"

// Where the module's files go and when they are written.
//
// The folder is, in this order: the one the application named (SetDirectory, reached through
// the module's export GrapherSetOutputDirectory), the environment variable
// VELT_GRAPHER_OUTPUT, or "grapher-output" in the current directory. It is created on the
// first write. In it:
//   index.html                 the pages, linked
//   page<P>.html               page P: its graphs inline, its tables as HTML tables
//   page<P>-graph<G>.svg/.csv  graph G of page P: its picture and its data
//   page<P>-table<T>.csv       table T of page P
// P, G and T are the numbers of the module's handles, unique while the module is loaded.
// Every file is written atomically (atomic_file.h).
//
// Refreshes are paced so that writing takes at most about 1 / (1 + paceFactor) of the time
// however often the client asks (a client that asks on every data call would otherwise
// rewrite a page of n points n times): each page earns writing time at 1 / paceFactor of the
// time that passes, saving up to 20 milliseconds, and every write spends what it took. A
// refresh while the page is in debt only leaves it marked; a later refresh writes it, and a
// forced one (Show, closing a graph, table or page, unloading the module) always does. A
// graph's data file is written again only when its points or headings changed.

namespace plotmodel {

class PageOutput final : public PageView {
public:
    PageOutput(ObjectStore& store, double paceFactor) : store_(store), paceFactor_(paceFactor) {}

    // An empty path brings back the default; a relative one is taken from the current directory
    // now. Everything is written into a new folder at the next refresh.
    void SetDirectory(const std::string& directory);
    std::filesystem::path Directory() const;
    // The page's next write writes every file of it, not only those that changed.
    void MarkWhole(Page& page);

    // Writes what changed on the page, when pacing allows or `force` is set: S_OK, or E_FAIL
    // when a file could not be written (the page stays marked and the next refresh retries).
    long Refresh(std::uint64_t page, bool force) override;
    // Writes every page with changes, as at the module's unload; with `createFolder` false a
    // folder that has gone away is not made again.
    long FlushAll(bool createFolder = true) override;
    long WriteIndex();
    // Removes the files a graph that left its page was written to, so that the folder holds no
    // picture that no page shows.
    void GraphDropped(std::uint64_t page, std::uint64_t graph) override;
    void PageErased(std::uint64_t) override { WriteIndex(); }

    static std::string PageFile(std::uint64_t page);
    static std::string GraphStem(std::uint64_t page, std::uint64_t graph);
    static std::string TableFile(std::uint64_t page, std::uint64_t table);

private:
    bool NeedsWrite(const Page& page);
    // Brings the page's writing budget up to now; true when a refresh may write.
    bool Affordable(Page& page) const;
    long Write(std::uint64_t serial, Page& page, bool createFolder);
    bool ReadyFolder(bool create) const;

    ObjectStore& store_;
    double paceFactor_;
    std::filesystem::path directory_;
    std::filesystem::path cleaned_;  // the folder last rid of stale temporary files
};

}  // namespace plotmodel
