#pragma once

#include <QWidget>

#include <memory>
#include <vector>

// Widgets that leave the screen while one of the module's menus or file dialogs is up are kept
// until it closes: the client runs in that dialog's loop and may drop the very widget whose
// event opened it, which Qt is still inside.

namespace livegrapher {

class WidgetDisposal {
public:
    // Hides the widget and deletes it, now or when the last hold ends.
    void Retire(QWidget* widget);

    class Hold {
    public:
        explicit Hold(WidgetDisposal& disposal) : disposal_(disposal) { ++disposal_.holds_; }
        ~Hold() {
            if (--disposal_.holds_ == 0) disposal_.parked_.clear();
        }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        WidgetDisposal& disposal_;
    };

private:
    int holds_ = 0;
    std::vector<std::unique_ptr<QWidget>> parked_;
};

}  // namespace livegrapher
