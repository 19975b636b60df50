#pragma once

#include <QFont>

#include "veltutil/platform/host/drawing/gdi_objects.h"

namespace veltface {

// The screen's font for a logical font. A face name the machine lacks gives way to the
// toolkit's default family, whose fallbacks have the glyphs of any script installed (the log
// window's texts are Chinese); the stock system font is the default family at its pixel height.
QFont FontOf(const LOGFONT& font);
QFont FontOf(const CFont& font);
// The font a dialog template names, at its size in points (0: the dialog default).
QFont TemplateFont(const char* fontName, int pointSize);

}  // namespace veltface
