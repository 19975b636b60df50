#pragma once

#include <QFont>

#include "veltutil/platform/host/drawing/gdi_objects.h"

namespace veltface {

// The screen's font for a logical font, at its pixel height. A face name the machine lacks
// gives way to a family it has, and glyphs a family lacks (the log window's texts are Chinese)
// come from a font that has them.
QFont FontOf(const LOGFONT& font);
QFont FontOf(const CFont& font);
// The font a dialog template names, at its size in points (0: the dialog default).
QFont TemplateFont(const char* fontName, int pointSize);

}  // namespace veltface
