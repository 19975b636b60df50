#include "plotmodel/object_store.h"

namespace plotmodel {

namespace {

enum Kind : std::uintptr_t { kPageKind = 1, kGraphKind = 2, kTableKind = 3 };
constexpr int kKindBits = 4;

template <class Handle>
Handle* handleOf(std::uint64_t serial, Kind kind) {
    return reinterpret_cast<Handle*>(static_cast<std::uintptr_t>(serial << kKindBits | kind));
}

// The serial of a handle of the given kind; 0 (no object has it) for anything else.
std::uint64_t serialOf(const void* handle, Kind kind) {
    auto value = reinterpret_cast<std::uintptr_t>(handle);
    return (value & ((1u << kKindBits) - 1)) == kind ? value >> kKindBits : 0;
}

template <class Map>
auto* find(Map& map, std::uint64_t serial) {
    auto it = map.find(serial);
    return it == map.end() ? nullptr : &it->second;
}

}  // namespace

CGraphPage* ObjectStore::AddPage(Page page) {
    std::uint64_t serial = next_++;
    pages_.emplace(serial, std::move(page));
    return handleOf<CGraphPage>(serial, kPageKind);
}

CGraph* ObjectStore::AddGraph(Graph graph) {
    std::uint64_t serial = next_++;
    PageOf(graph.page)->items.push_back({PageItem::kGraph, serial});
    graphs_.emplace(serial, std::move(graph));
    return handleOf<CGraph>(serial, kGraphKind);
}

CGraph* ObjectStore::ReplaceGraph(CGraph* old, Graph graph) {
    std::uint64_t oldSerial = serialOf(old, kGraphKind);
    std::uint64_t serial = next_++;
    for (PageItem& item : PageOf(graph.page)->items)
        if (item.kind == PageItem::kGraph && item.serial == oldSerial) item.serial = serial;
    graphs_.erase(oldSerial);
    graphs_.emplace(serial, std::move(graph));
    return handleOf<CGraph>(serial, kGraphKind);
}

CChart* ObjectStore::AddTable(Table table) {
    std::uint64_t serial = next_++;
    PageOf(table.page)->items.push_back({PageItem::kTable, serial});
    tables_.emplace(serial, std::move(table));
    return handleOf<CChart>(serial, kTableKind);
}

Page* ObjectStore::FindPage(CGraphPage* handle) { return PageOf(serialOf(handle, kPageKind)); }
Graph* ObjectStore::FindGraph(CGraph* handle) { return GraphOf(serialOf(handle, kGraphKind)); }
Table* ObjectStore::FindTable(CChart* handle) { return TableOf(serialOf(handle, kTableKind)); }
Page* ObjectStore::PageOf(std::uint64_t serial) { return find(pages_, serial); }
Graph* ObjectStore::GraphOf(std::uint64_t serial) { return find(graphs_, serial); }
Table* ObjectStore::TableOf(std::uint64_t serial) { return find(tables_, serial); }

std::uint64_t ObjectStore::SerialOf(const void* handle) {
    return reinterpret_cast<std::uintptr_t>(handle) >> kKindBits;
}

void ObjectStore::ReleaseItems(Page& page) {
    for (const PageItem& item : page.items) {
        if (item.kind == PageItem::kGraph)
            graphs_.erase(item.serial);
        else
            tables_.erase(item.serial);
    }
    page.items.clear();
}

void ObjectStore::ErasePage(CGraphPage* handle) {
    std::uint64_t serial = serialOf(handle, kPageKind);
    if (Page* page = PageOf(serial)) {
        ReleaseItems(*page);
        pages_.erase(serial);
    }
}

}  // namespace plotmodel
