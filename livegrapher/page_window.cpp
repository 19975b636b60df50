#include "livegrapher/page_window.h"

#include <QContextMenuEvent>

#include <algorithm>

#include "plotmodel/html_writer.h"

namespace livegrapher {

namespace {

constexpr int kDefaultWidth = 720;
constexpr int kDefaultHeight = 540;

bool sameItems(const std::vector<plotmodel::PageItem>& page, const auto& shown) {
    return std::equal(page.begin(), page.end(), shown.begin(), shown.end(),
                      [](const plotmodel::PageItem& a, const auto& b) { return a.serial == b.source.serial; });
}

}  // namespace

PageWindow::PageWindow(WidgetDisposal& disposal, MenuRequest menu, ExportRequest exportRequest)
    : disposal_(disposal), menu_(std::move(menu)), export_(std::move(exportRequest)), layout_(new QVBoxLayout(this)) {
    resize(kDefaultWidth, kDefaultHeight);
    // A page appears when a run begins: it must not take the keyboard from the window a
    // person is typing in.
    setAttribute(Qt::WA_ShowWithoutActivating);
}

PageWindow::~PageWindow() {
    // The widgets go after the window's copies of their graphs.
    for (Item& item : items_)
        if (GraphWidget* widget = GraphWidgetOf(item.source.serial)) widget->SetGraph(nullptr);
}

std::size_t PageWindow::Sync(const plotmodel::Page& page, plotmodel::ObjectStore& store) {
    if (closed_) return 0;
    setWindowTitle(QString::fromStdString(plotmodel::PageWindowTitle(page)));
    Place(page);
    if (!sameItems(page.items, items_)) Restack(page, store);
    std::size_t told = 0;
    for (Item& item : items_) {
        if (item.source.kind == plotmodel::PageItem::kGraph) {
            const plotmodel::Graph& graph = *store.GraphOf(item.source.serial);
            item.widget->setVisible(graph.shown);
            if (item.drawn && graph.revision == item.revision) continue;
            static_cast<GraphWidget*>(item.widget)->GraphChanged();
            ++told;
            item.revision = graph.revision;
        } else {
            const plotmodel::Table& table = *store.TableOf(item.source.serial);
            if (item.drawn && table.revision == item.revision) continue;
            static_cast<TablePanel*>(item.widget)->Show(table);
            item.revision = table.revision;
        }
        item.drawn = true;
    }
    return told;
}

void PageWindow::Place(const plotmodel::Page& page) {
    std::array<int, 4> place{page.windowPosition[0], page.windowPosition[1], page.windowPosition[2],
                             page.windowPosition[3]};
    // Only a new place moves it: a person may have moved it since.
    if (place != placed_ && place[2] > 0 && place[3] > 0) setGeometry(place[0], place[1], place[2], place[3]);
    placed_ = place;
}

void PageWindow::Restack(const plotmodel::Page& page, plotmodel::ObjectStore& store) {
    std::vector<Item> stacked;
    for (const plotmodel::PageItem& source : page.items) {
        auto old = std::find_if(items_.begin(), items_.end(),
                                [&](const Item& item) { return item.source.serial == source.serial; });
        stacked.push_back(old != items_.end() ? std::move(*old) : MakeItem(source, store));
        if (old != items_.end()) items_.erase(old);
    }
    for (Item& gone : items_) Retire(gone);
    items_ = std::move(stacked);
    for (Item& item : items_) {
        layout_->removeWidget(item.widget);
        layout_->addWidget(item.widget, 1);
    }
}

PageWindow::Item PageWindow::MakeItem(const plotmodel::PageItem& source, plotmodel::ObjectStore& store) {
    Item item;
    item.source = source;
    if (source.kind == plotmodel::PageItem::kTable) {
        item.widget = new TablePanel(this);
        return item;
    }
    auto* widget = new GraphWidget(this);
    item.graph = store.GraphOf(source.serial);
    widget->SetGraph(store.GraphOf(source.serial));
    widget->SetMenuAddition([this, serial = source.serial](QMenu& menu) {
        connect(menu.addAction(tr("Export PNG...")), &QAction::triggered, this, [this, serial] { export_(serial, Export::kPicture); });
        // A closed page's items are gone from the model: only the pictures shown are left.
        if (!closed_) {
            connect(menu.addAction(tr("Export page as SVG/HTML/CSV...")), &QAction::triggered, this,
                    [this, serial] { export_(serial, Export::kPage); });
        }
    });
    item.widget = widget;
    return item;
}

void PageWindow::Retire(Item& item) {
    if (item.source.kind == plotmodel::PageItem::kGraph) static_cast<GraphWidget*>(item.widget)->SetGraph(nullptr);
    disposal_.Retire(item.widget);
    item.widget = nullptr;
}

void PageWindow::KeepWhatIsShown(plotmodel::ObjectStore& store) {
    closed_ = true;
    for (Item& item : items_) {
        if (item.source.kind != plotmodel::PageItem::kGraph) continue;
        item.kept = std::make_unique<plotmodel::Graph>(*store.GraphOf(item.source.serial));
        item.graph = item.kept.get();
        static_cast<GraphWidget*>(item.widget)->SetGraph(item.kept.get());
    }
}

void PageWindow::LetGoOfItems() {
    for (Item& item : items_) {
        if (!item.kept) Retire(item);
    }
    std::erase_if(items_, [](const Item& item) { return item.widget == nullptr; });
}

void PageWindow::DropGraph(std::uint64_t graph) {
    auto dropped = std::find_if(items_.begin(), items_.end(), [&](const Item& item) { return item.source.serial == graph; });
    if (dropped == items_.end() || dropped->kept) return;
    Retire(*dropped);
    items_.erase(dropped);
}

const PageWindow::Item* PageWindow::Find(std::uint64_t serial) const {
    auto found = std::find_if(items_.begin(), items_.end(), [&](const Item& item) { return item.source.serial == serial; });
    return found != items_.end() ? &*found : nullptr;
}

GraphWidget* PageWindow::GraphWidgetOf(std::uint64_t graph) const {
    const Item* item = Find(graph);
    return item != nullptr && item->source.kind == plotmodel::PageItem::kGraph ? static_cast<GraphWidget*>(item->widget)
                                                                               : nullptr;
}

const plotmodel::Graph* PageWindow::GraphShown(std::uint64_t graph) const {
    const Item* item = Find(graph);
    return item != nullptr ? item->graph : nullptr;
}

TablePanel* PageWindow::TableOf(std::uint64_t table) const {
    const Item* item = Find(table);
    return item != nullptr && item->source.kind == plotmodel::PageItem::kTable ? static_cast<TablePanel*>(item->widget)
                                                                               : nullptr;
}

void PageWindow::contextMenuEvent(QContextMenuEvent* event) {
    menu_(event->globalPos());
    event->accept();
}

}  // namespace livegrapher
