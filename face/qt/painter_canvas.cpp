#include "face/qt/painter_canvas.h"

#include <QPolygon>

#include "face/qt/font_mapping.h"
#include "veltutil/platform/host/drawing/system_colors.h"

namespace veltface {

namespace {

QRect rectOf(const CRect& rect) {
    return QRect(static_cast<int>(rect.left), static_cast<int>(rect.top), static_cast<int>(rect.Width()),
                 static_cast<int>(rect.Height()));
}

QPen penOf(const LOGPEN& pen) {
    if (pen.lopnStyle == PS_NULL) return QPen(Qt::NoPen);
    QPen qpen(ColorOf(pen.lopnColor), static_cast<qreal>(std::max<LONG>(pen.lopnWidth.x, 1)));
    if (pen.lopnStyle == PS_DASH) qpen.setStyle(Qt::DashLine);
    if (pen.lopnStyle == PS_DOT) qpen.setStyle(Qt::DotLine);
    return qpen;
}

QBrush brushOf(const LOGBRUSH& brush) {
    return brush.lbStyle == BS_NULL ? QBrush(Qt::NoBrush) : QBrush(ColorOf(brush.lbColor));
}

Qt::Alignment alignmentOf(UINT format) {
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    if (format & DT_CENTER) alignment = (alignment & ~Qt::AlignHorizontal_Mask) | Qt::AlignHCenter;
    if (format & DT_RIGHT) alignment = (alignment & ~Qt::AlignHorizontal_Mask) | Qt::AlignRight;
    if (format & DT_VCENTER) alignment = (alignment & ~Qt::AlignVertical_Mask) | Qt::AlignVCenter;
    if (format & DT_BOTTOM) alignment = (alignment & ~Qt::AlignVertical_Mask) | Qt::AlignBottom;
    return alignment;
}

}  // namespace

QColor ColorOf(COLORREF color) { return QColor(GetRValue(color), GetGValue(color), GetBValue(color)); }

void PainterCanvas::Draw(const DrawRecord& record) {
    if (record.clipped) {
        painter_.setClipRect(rectOf(record.clip));
    } else {
        painter_.setClipping(false);
    }
    QRect rect = rectOf(record.rect);
    switch (record.op) {
    case DrawOp::Fill:
        if (record.brush.lbStyle != BS_NULL) painter_.fillRect(rect, ColorOf(record.brush.lbColor));
        break;
    case DrawOp::Rectangle:
        // The outline runs along the inside of the rectangle, as the host's pens draw it.
        painter_.setPen(penOf(record.pen));
        painter_.setBrush(brushOf(record.brush));
        painter_.drawRect(rect.adjusted(0, 0, -1, -1));
        break;
    case DrawOp::Line:
        painter_.setPen(penOf(record.pen));
        painter_.drawLine(QPoint(static_cast<int>(record.rect.left), static_cast<int>(record.rect.top)),
                          QPoint(static_cast<int>(record.rect.right), static_cast<int>(record.rect.bottom)));
        break;
    case DrawOp::Polyline: DrawPolyline(record); break;
    case DrawOp::Text: DrawText(record); break;
    }
}

void PainterCanvas::DrawPolyline(const DrawRecord& record) {
    QPolygon corners(static_cast<int>(record.points.size()));
    for (int i = 0; i < corners.size(); ++i) {
        const POINT& point = record.points[static_cast<std::size_t>(i)];
        corners.setPoint(i, static_cast<int>(point.x), static_cast<int>(point.y));
    }
    painter_.setPen(penOf(record.pen));
    painter_.drawPolyline(corners);
}

void PainterCanvas::DrawText(const DrawRecord& record) {
    QRect rect = rectOf(record.rect);
    painter_.setFont(record.font ? FontOf(*record.font) : FontOf(LOGFONT{}));
    QString text = QString::fromUtf8(record.text.GetString());
    int flags = static_cast<int>(alignmentOf(record.format));
    if (record.format & DT_SINGLELINE) {
        flags |= Qt::TextSingleLine;
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    }
    if (record.format & DT_END_ELLIPSIS) text = painter_.fontMetrics().elidedText(text, Qt::ElideRight, rect.width());
    QRect bounds = painter_.boundingRect(rect, flags, text);
    if (record.bkMode == OPAQUE) painter_.fillRect(bounds & rect, ColorOf(record.bkColor));
    painter_.setPen(ColorOf(record.textColor));
    painter_.drawText(rect, flags, text);
}

}  // namespace veltface
