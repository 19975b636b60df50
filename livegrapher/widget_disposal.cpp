#include "livegrapher/widget_disposal.h"

namespace livegrapher {

void WidgetDisposal::Retire(QWidget* widget) {
    widget->hide();
    widget->setParent(nullptr);
    if (holds_ > 0)
        parked_.emplace_back(widget);
    else
        delete widget;
}

}  // namespace livegrapher
