#pragma once

#include <QTimer>

#include <cstdint>
#include <map>
#include <memory>
#include <set>

#include "livegrapher/frame_pacer.h"
#include "livegrapher/page_window.h"
#include "livegrapher/widget_disposal.h"
#include "plotmodel/model_grapher.h"
#include "plotmodel/page_view.h"

// How the live module shows its pages: one window per page, brought up to date at most once a
// frame while the client sends data, at once when it forces a refresh. A window outlives its
// page's closing (it keeps showing the last data) and goes when the page is deleted.

namespace livegrapher {

class ScreenView final : public plotmodel::PageView {
public:
    // Installs itself as the grapher's view; `clock` paces the refreshes.
    explicit ScreenView(plotmodel::ModelGrapher& grapher, FramePacer::Clock clock = CoarseNow);
    ~ScreenView() override;
    ScreenView(const ScreenView&) = delete;
    ScreenView& operator=(const ScreenView&) = delete;

    long Refresh(std::uint64_t page, bool force) override;
    long FlushAll(bool createFolder = true) override;
    void ItemsReleasing(std::uint64_t page) override;
    void PagePlaced(std::uint64_t page) override;
    void GraphDropped(std::uint64_t page, std::uint64_t graph) override;
    void PageErased(std::uint64_t page) override;

    // Shows the pages whose refresh waited for their frame and whose frame has come (the
    // timer's work).
    void ShowWaiting();

    PageWindow* WindowOf(std::uint64_t page) const;
    // How many times a graph has been told of a change, over all pages.
    std::uint64_t GraphUpdates() const { return graphUpdates_; }

    // What a person asks for from a window's menus (PageWindow::MenuRequest, ExportRequest).
    void Menu(std::uint64_t page, QPoint at);
    void Export(std::uint64_t page, std::uint64_t graph, PageWindow::Export what);

private:
    void Show(std::uint64_t serial, plotmodel::Page& page);
    void ArmTimer(std::chrono::nanoseconds wait);
    void ChooseAndExportPng(std::uint64_t page, std::uint64_t graph);
    void ChooseAndExportPage(std::uint64_t page);

    plotmodel::ModelGrapher& grapher_;
    FramePacer::Clock clock_;
    FramePacer pacer_;
    WidgetDisposal disposal_;
    std::map<std::uint64_t, std::unique_ptr<PageWindow>> windows_;
    std::set<std::uint64_t> waiting_;
    QTimer timer_;
    std::uint64_t graphUpdates_ = 0;
};

}  // namespace livegrapher
