#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "svgplotter/object_store.h"

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
// Refreshes of pages that take long to write are paced: while the time since such a page was
// last written is less than `paceFactor` times what that write took, a refresh only leaves
// the page marked, so writing takes at most 1 / (1 + paceFactor) of the time however often
// the client asks. A page that writes in a few milliseconds is written on every refresh, and
// a forced one (Show, closing a graph, table or page, unloading the module) always writes.

namespace svgplotter {

class PageOutput {
public:
    PageOutput(ObjectStore& store, double paceFactor) : store_(store), paceFactor_(paceFactor) {}

    // An empty path brings back the default; a relative one is taken from the current directory now.
    void SetDirectory(const std::string& directory);
    std::filesystem::path Directory() const;

    // Writes what changed on the page, when pacing allows or `force` is set: S_OK, or E_FAIL
    // when a file could not be written (the page stays marked and the next refresh retries).
    long Refresh(std::uint64_t page, bool force);
    // Writes every page with changes, as at the module's unload; with `createFolder` false a
    // folder that has gone away is not made again.
    long FlushAll(bool createFolder = true);
    long WriteIndex();

    static std::string PageFile(std::uint64_t page);
    static std::string GraphStem(std::uint64_t page, std::uint64_t graph);
    static std::string TableFile(std::uint64_t page, std::uint64_t table);

private:
    bool NeedsWrite(const Page& page);
    long Write(std::uint64_t serial, Page& page, bool createFolder);
    bool ReadyFolder(bool create) const;

    ObjectStore& store_;
    double paceFactor_;
    std::filesystem::path directory_;
};

}  // namespace svgplotter
