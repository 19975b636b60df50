#include "face/qt/font_mapping.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

namespace veltface {

namespace {

// The logical weight from which a font counts as bold.
constexpr LONG kBoldWeight = 700;

}  // namespace

QFont FontOf(const LOGFONT& logical) {
    QFont font = QGuiApplication::font();
    // A family the machine lacks is left to Qt, which substitutes one that it has and takes
    // each glyph the family lacks from a font that has it.
    if (logical.lfFaceName[0] != '\0') font.setFamilies({QString::fromUtf8(logical.lfFaceName)});
    if (logical.lfHeight != 0) font.setPixelSize(static_cast<int>(std::labs(logical.lfHeight)));
    if (logical.lfWeight >= kBoldWeight) font.setWeight(QFont::Bold);
    font.setItalic(logical.lfItalic != 0);
    font.setUnderline(logical.lfUnderline != 0);
    font.setStrikeOut(logical.lfStrikeOut != 0);
    return font;
}

QFont TemplateFont(const char* fontName, int pointSize) {
    LOGFONT logical;
    // The host's rule for a template: 96 pixels per inch, 9 points when none is given.
    logical.lfHeight = -(pointSize > 0 ? pointSize * 4 / 3 : 12);
    if (fontName) std::snprintf(logical.lfFaceName, sizeof logical.lfFaceName, "%s", fontName);
    return FontOf(logical);
}

QFont FontOf(const CFont& font) {
    LOGFONT logical;
    if (!font.GetLogFont(&logical)) return QGuiApplication::font();
    return FontOf(logical);
}

}  // namespace veltface
