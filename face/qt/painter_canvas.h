#pragma once

#include <QPainter>

#include "veltutil/platform/host/drawing/dc.h"
#include "veltutil/platform/host/face/internal/face_hooks.h"

namespace veltface {

QColor ColorOf(COLORREF color);

// A device context's drawing calls on a QPainter, with the pen, brush, font and colours each
// call was made with, inside the clip rectangle each was made in. Rectangles keep the host's
// rule: the right and bottom edges stay outside.
class PainterCanvas final : public veltutil::detail::FaceCanvas {
public:
    explicit PainterCanvas(QPainter& painter) : painter_(painter) {}

    void Draw(const DrawRecord& record) override;

private:
    void DrawPolyline(const DrawRecord& record);
    void DrawText(const DrawRecord& record);

    QPainter& painter_;
};

}  // namespace veltface
