#pragma once

#include <QPoint>
#include <QVBoxLayout>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "livegrapher/graph/graph_widget.h"
#include "livegrapher/table_view.h"
#include "livegrapher/widget_disposal.h"
#include "plotmodel/object_store.h"

// One page on the screen: a top-level window titled as the page's HTML document, its graphs and
// tables stacked in the page's order. It reads the model and never writes it; a person closing
// it only hides it.

namespace livegrapher {

class PageWindow final : public QWidget {
public:
    // A person asked for the page's menu at a point of the screen.
    using MenuRequest = std::function<void(QPoint at)>;
    // A person chose an export from a graph's menu: its picture, or the page's files.
    enum class Export { kPicture, kPage };
    using ExportRequest = std::function<void(std::uint64_t graph, Export what)>;

    PageWindow(WidgetDisposal& disposal, MenuRequest menu, ExportRequest exportRequest);
    ~PageWindow() override;

    // Brings the window up to the page's state: title, place, items, and the graphs and tables
    // that changed since. Answers how many graphs were told of a change.
    std::size_t Sync(const plotmodel::Page& page, plotmodel::ObjectStore& store);
    // Moves the window where the client placed the page; a size of 0 leaves it where it is.
    void Place(const plotmodel::Page& page);
    // The page is closing and its items are about to go: the window keeps copies of its graphs
    // and shows them, as they are now, from then on.
    void KeepWhatIsShown(plotmodel::ObjectStore& store);
    // The page's items are about to go without a trace (cleared or deleted): nothing refers to them
    // from now on, and the next Sync shows what the page holds then.
    void LetGoOfItems();
    // A graph left the page; the next Sync shows the one that took its place.
    void DropGraph(std::uint64_t graph);

    GraphWidget* GraphWidgetOf(std::uint64_t graph) const;
    // The graph a widget draws: the store's, or the window's copy once the page is closed.
    const plotmodel::Graph* GraphShown(std::uint64_t graph) const;
    TablePanel* TableOf(std::uint64_t table) const;
    bool Closed() const { return closed_; }

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    struct Item {
        plotmodel::PageItem source;
        QWidget* widget = nullptr;
        std::uint64_t revision = 0;
        bool drawn = false;  // the widget has been brought up to `revision`
        const plotmodel::Graph* graph = nullptr;
        std::unique_ptr<plotmodel::Graph> kept;
    };

    void Restack(const plotmodel::Page& page, plotmodel::ObjectStore& store);
    Item MakeItem(const plotmodel::PageItem& source, plotmodel::ObjectStore& store);
    void Retire(Item& item);
    const Item* Find(std::uint64_t serial) const;

    WidgetDisposal& disposal_;
    MenuRequest menu_;
    ExportRequest export_;
    QVBoxLayout* layout_;
    std::vector<Item> items_;
    std::array<int, 4> placed_{};
    bool closed_ = false;
};

}  // namespace livegrapher
