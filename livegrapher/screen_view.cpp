#include "livegrapher/screen_view.h"

#include <string>

#include "livegrapher/page_export.h"
#include "veltutil/platform/host/windows/file_dialog.h"
#include "veltutil/platform/host/windows/menu.h"
#include "veltutil/platform/host/windows/message_box.h"

namespace livegrapher {

namespace {

constexpr UINT kExportPage = 1;

}  // namespace

ScreenView::ScreenView(plotmodel::ModelGrapher& grapher, FramePacer::Clock clock)
    : grapher_(grapher), clock_(std::move(clock)) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { ShowWaiting(); });
    grapher_.SetView(this);
}

ScreenView::~ScreenView() { grapher_.SetView(nullptr); }

long ScreenView::Refresh(std::uint64_t serial, bool force) {
    plotmodel::Page* page = grapher_.Store().PageOf(serial);
    if (page == nullptr) return E_HANDLE;
    std::chrono::nanoseconds now = clock_();
    if (force) {
        pacer_.Shown(serial, now);
    } else if (!pacer_.TakeFrame(serial, now)) {
        if (waiting_.insert(serial).second) ArmTimer(pacer_.Wait(serial, now));
        return S_OK;
    }
    Show(serial, *page);
    return S_OK;
}

void ScreenView::Show(std::uint64_t serial, plotmodel::Page& page) {
    waiting_.erase(serial);
    std::unique_ptr<PageWindow>& window = windows_[serial];
    if (!window) {
        window = std::make_unique<PageWindow>(
            disposal_, [this, serial](QPoint at) { Menu(serial, at); },
            [this, serial](std::uint64_t graph, PageWindow::Export what) { Export(serial, graph, what); });
        window->show();
    }
    graphUpdates_ += window->Sync(page, grapher_.Store());
}

void ScreenView::ArmTimer(std::chrono::nanoseconds wait) {
    auto milliseconds = std::chrono::ceil<std::chrono::milliseconds>(wait).count();
    if (!timer_.isActive() || timer_.remainingTime() > milliseconds) timer_.start(static_cast<int>(milliseconds));
}

void ScreenView::ShowWaiting() {
    std::chrono::nanoseconds now = clock_();
    std::chrono::nanoseconds soonest = FramePacer::kFrame;
    for (std::uint64_t serial : std::set<std::uint64_t>(waiting_)) {
        plotmodel::Page* page = grapher_.Store().PageOf(serial);
        if (page == nullptr) {
            waiting_.erase(serial);
        } else if (pacer_.TakeFrame(serial, now)) {
            Show(serial, *page);
        } else {
            soonest = std::min(soonest, pacer_.Wait(serial, now));
        }
    }
    if (!waiting_.empty()) ArmTimer(soonest);
}

long ScreenView::FlushAll(bool createFolder) {
    std::chrono::nanoseconds now = clock_();
    for (auto& [serial, page] : grapher_.Store().Pages()) {
        pacer_.Shown(serial, now);
        Show(serial, page);
        // Show brings back the windows a person closed.
        if (createFolder) windows_[serial]->show();
    }
    return S_OK;
}

void ScreenView::ItemsReleasing(std::uint64_t serial) {
    PageWindow* window = WindowOf(serial);
    if (window == nullptr) return;
    if (grapher_.Store().PageOf(serial)->open)
        window->LetGoOfItems();
    else
        window->KeepWhatIsShown(grapher_.Store());
}

void ScreenView::PagePlaced(std::uint64_t page) {
    if (PageWindow* window = WindowOf(page)) window->Place(*grapher_.Store().PageOf(page));
}

void ScreenView::GraphDropped(std::uint64_t page, std::uint64_t graph) {
    if (PageWindow* window = WindowOf(page)) window->DropGraph(graph);
}

void ScreenView::PageErased(std::uint64_t serial) {
    auto window = windows_.find(serial);
    waiting_.erase(serial);
    pacer_.Forget(serial);
    if (window == windows_.end()) return;
    window->second->LetGoOfItems();
    disposal_.Retire(window->second.release());
    windows_.erase(window);
}

PageWindow* ScreenView::WindowOf(std::uint64_t page) const {
    auto window = windows_.find(page);
    return window != windows_.end() ? window->second.get() : nullptr;
}

void ScreenView::Menu(std::uint64_t page, QPoint at) {
    // The client may run while the menu and the dialogs are up, so everything is looked up
    // again after each of them.
    WidgetDisposal::Hold hold(disposal_);
    const plotmodel::Page* shown = grapher_.Store().PageOf(page);
    if (shown == nullptr || !shown->open) return;
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, kExportPage, "Export page as SVG/HTML/CSV...");
    UINT chosen = static_cast<UINT>(menu.TrackPopupMenu(TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x(), at.y(), nullptr));
    if (chosen == kExportPage) ChooseAndExportPage(page);
}

void ScreenView::Export(std::uint64_t page, std::uint64_t graph, PageWindow::Export what) {
    // Chosen inside the graph's menu, which Qt is still handling: the dialog, in whose loop the
    // client may drop the very page, comes up once the menu is done.
    QTimer::singleShot(0, [this, page, graph, what] {
        WidgetDisposal::Hold hold(disposal_);
        if (what == PageWindow::Export::kPicture) {
            ChooseAndExportPng(page, graph);
        } else {
            ChooseAndExportPage(page);
        }
    });
}

void ScreenView::ChooseAndExportPng(std::uint64_t page, std::uint64_t graph) {
    CFileDialog dialog(FALSE, "png", "graph.png", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "PNG pictures (*.png)|*.png||");
    if (dialog.DoModal() != IDOK) return;
    PageWindow* window = WindowOf(page);
    GraphWidget* widget = window != nullptr ? window->GraphWidgetOf(graph) : nullptr;
    std::string file = dialog.GetPathName().GetString();
    if (widget == nullptr || ExportPng(*widget, file) != S_OK)
        AfxMessageBox(("The picture could not be written to " + file + ".").c_str(), MB_OK | MB_ICONEXCLAMATION);
}

void ScreenView::ChooseAndExportPage(std::uint64_t page) {
    // The name chosen is the folder that the page's files go into.
    CFileDialog dialog(FALSE, nullptr, ("page" + std::to_string(page)).c_str(), OFN_HIDEREADONLY,
                       "Folders (*)|*||");
    if (dialog.DoModal() != IDOK) return;
    std::string folder = dialog.GetPathName().GetString();
    if (ExportPageFiles(grapher_.Store(), page, folder) != S_OK)
        AfxMessageBox(("The page could not be written into " + folder + ".").c_str(), MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace livegrapher
