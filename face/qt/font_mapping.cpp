#include "face/qt/font_mapping.h"

#include <QFontDatabase>
#include <QGuiApplication>

#include <cstdlib>

namespace veltface {

namespace {

// The logical weight from which a font counts as bold.
constexpr LONG kBoldWeight = 700;

}  // namespace

QFont FontOf(const LOGFONT& logical) {
    QFont font = QGuiApplication::font();
    QString family = QString::fromUtf8(logical.lfFaceName);
    if (!family.isEmpty() && family != QLatin1String("System") && QFontDatabase::hasFamily(family)) {
        font.setFamilies({family});
    }
    if (logical.lfHeight != 0) font.setPixelSize(static_cast<int>(std::labs(logical.lfHeight)));
    if (logical.lfWeight >= kBoldWeight) font.setWeight(QFont::Bold);
    font.setItalic(logical.lfItalic != 0);
    font.setUnderline(logical.lfUnderline != 0);
    font.setStrikeOut(logical.lfStrikeOut != 0);
    return font;
}

QFont FontOf(const CFont& font) {
    LOGFONT logical;
    if (!font.GetLogFont(&logical)) return QGuiApplication::font();
    return FontOf(logical);
}

}  // namespace veltface
