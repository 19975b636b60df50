#include "veltutil/platform/host/drawing/gdi_objects.h"

#include <cstdlib>
#include <cstring>

namespace {

template <class Logical>
int copyOut(const CGdiObject& object, const Logical& logical, Logical* out) {
    if (!object.GetSafeHandle() || !out) return 0;
    *out = logical;
    return static_cast<int>(sizeof(Logical));
}

}  // namespace

CGdiObject::~CGdiObject() = default;

BOOL CGdiObject::DeleteObject() {
    if (!m_hObject) return FALSE;
    m_hObject = nullptr;
    return TRUE;
}

BOOL CPen::CreatePen(int style, int width, COLORREF color) {
    if (!BeginCreate()) return FALSE;
    pen_ = LOGPEN{static_cast<UINT>(style), POINT{width, 0}, color};
    EndCreate();
    return TRUE;
}

int CPen::GetLogPen(LOGPEN* pen) const { return copyOut(*this, pen_, pen); }

BOOL CBrush::CreateSolidBrush(COLORREF color) {
    LOGBRUSH solid{BS_SOLID, color, 0};
    return CreateBrushIndirect(&solid);
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* brush) {
    if (!brush || !BeginCreate()) return FALSE;
    brush_ = *brush;
    EndCreate();
    return TRUE;
}

int CBrush::GetLogBrush(LOGBRUSH* brush) const { return copyOut(*this, brush_, brush); }

BOOL CFont::CreateFontIndirect(const LOGFONT* font) {
    if (!font || !BeginCreate()) return FALSE;
    font_ = *font;
    font_.lfFaceName[LF_FACESIZE - 1] = '\0';
    EndCreate();
    return TRUE;
}

BOOL CFont::CreatePointFont(int pointSize, const char* faceName, CDC* /*dc*/) {
    HDC screen = GetDC(nullptr);
    int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    LOGFONT font;
    font.lfHeight = -std::labs(static_cast<long>(pointSize) * pixelsPerInch / 720);
    if (faceName) std::strncpy(font.lfFaceName, faceName, LF_FACESIZE - 1);
    return CreateFontIndirect(&font);
}

int CFont::GetLogFont(LOGFONT* font) const { return copyOut(*this, font_, font); }
