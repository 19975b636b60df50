#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <unordered_map>

#include "plotmodel/graph_model.h"
#include "plotmodel/page_model.h"
#include "plotmodel/table_model.h"

class CGraphPage;
class CGraph;
class CChart;

// The pages, graphs and tables of the module, and the handles it gives out for them.
//
// A handle is a serial number with the object's kind in its low bits, dressed as a pointer:
// it is never dereferenced, and serials are never reused, so a handle that was never given
// out, one of another kind, and one whose object is gone all fail the lookup (null) rather
// than reach another object.

namespace plotmodel {

class ObjectStore {
public:
    CGraphPage* AddPage(Page page);
    CGraph* AddGraph(Graph graph);
    // A new graph in the place of `old` on its page; the old one is dropped.
    CGraph* ReplaceGraph(CGraph* old, Graph graph);
    CChart* AddTable(Table table);

    Page* FindPage(CGraphPage* handle);
    Graph* FindGraph(CGraph* handle);
    Table* FindTable(CChart* handle);
    Page* PageOf(std::uint64_t serial);
    Graph* GraphOf(std::uint64_t serial);
    Table* TableOf(std::uint64_t serial);
    static std::uint64_t SerialOf(const void* handle);

    // Drops the graphs and tables of a page; their handles stop working.
    void ReleaseItems(Page& page);
    // Drops a page with everything on it.
    void ErasePage(CGraphPage* handle);

    // Pages in creation order, by serial.
    const std::map<std::uint64_t, Page>& Pages() const { return pages_; }
    std::map<std::uint64_t, Page>& Pages() { return pages_; }

private:
    std::uint64_t next_ = 1;
    std::map<std::uint64_t, Page> pages_;
    std::unordered_map<std::uint64_t, Graph> graphs_;
    std::unordered_map<std::uint64_t, Table> tables_;
};

}  // namespace plotmodel
