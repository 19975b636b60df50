#pragma once

#include "veltutil/platform/host/strings/cobject.h"
#include "veltutil/platform/host/host_export.h"
#include "veltutil/platform/host/windows/system_metrics.h"  // LOGFONT
#include "veltutil/platform/host/win_types.h"

class CDC;

// Pens, brushes and fonts. The headless host draws nothing, so an object is only its logical
// description, which a device context copies when the object is selected into it; destroying
// an object that is still selected therefore harms nothing. An object is created once (the
// Create... calls answer FALSE when it already is) until DeleteObject releases it.

using HGDIOBJ = void*;

constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_NULL = 5;

constexpr UINT BS_SOLID = 0;
constexpr UINT BS_NULL = 1;
constexpr UINT BS_HOLLOW = BS_NULL;

// Stock objects (CDC::SelectStockObject).
constexpr int WHITE_BRUSH = 0;
constexpr int NULL_BRUSH = 5;
constexpr int HOLLOW_BRUSH = NULL_BRUSH;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int SYSTEM_FONT = 13;

struct LOGPEN {
    UINT lopnStyle = PS_SOLID;
    POINT lopnWidth;  // x is the width; y is unused
    COLORREF lopnColor = 0;
};

struct LOGBRUSH {
    UINT lbStyle = BS_SOLID;
    COLORREF lbColor = 0;
    ULONG_PTR lbHatch = 0;
};

class VELTHOST_API CGdiObject : public CObject {
public:
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    ~CGdiObject() override;

    // FALSE when the object was not created.
    BOOL DeleteObject();
    HGDIOBJ GetSafeHandle() const { return m_hObject; }

    // Null until the object is created.
    HGDIOBJ m_hObject = nullptr;

protected:
    CGdiObject() = default;
    // FALSE, and nothing to set up, when the object exists already.
    BOOL BeginCreate() const { return m_hObject == nullptr; }
    void EndCreate() { m_hObject = this; }
};

class VELTHOST_API CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }

    BOOL CreatePen(int style, int width, COLORREF color);
    // sizeof(LOGPEN) when created, else 0.
    int GetLogPen(LOGPEN* pen) const;

private:
    LOGPEN pen_;
};

class VELTHOST_API CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }

    BOOL CreateSolidBrush(COLORREF color);
    BOOL CreateBrushIndirect(const LOGBRUSH* brush);
    // sizeof(LOGBRUSH) when created, else 0.
    int GetLogBrush(LOGBRUSH* brush) const;

private:
    LOGBRUSH brush_;
};

// Text is measured, not rasterised: every character is as wide as the font's average character
// (lfWidth, or half the character height when lfWidth is 0) and as high as its character
// height, so that text widths are the same on every machine (see CDC::GetTextExtent).
class VELTHOST_API CFont : public CGdiObject {
public:
    CFont() = default;

    BOOL CreateFontIndirect(const LOGFONT* font);
    // `pointSize` in tenths of a point, at the screen's pixels per inch.
    BOOL CreatePointFont(int pointSize, const char* faceName, CDC* dc = nullptr);
    // sizeof(LOGFONT) when created, else 0.
    int GetLogFont(LOGFONT* font) const;

private:
    LOGFONT font_;
};
