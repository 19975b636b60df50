#pragma once

#include <vector>

#include "veltutil/platform/host/strings/cobject.h"
#include "veltutil/platform/host/strings/cstring.h"
#include "veltutil/platform/host/drawing/gdi_objects.h"
#include "veltutil/platform/host/geometry.h"
#include "veltutil/platform/host/host_export.h"

class CWnd;

namespace veltutil::detail {
class FaceCanvas;
}

constexpr UINT DT_TOP = 0x0000;
constexpr UINT DT_LEFT = 0x0000;
constexpr UINT DT_CENTER = 0x0001;
constexpr UINT DT_RIGHT = 0x0002;
constexpr UINT DT_VCENTER = 0x0004;
constexpr UINT DT_BOTTOM = 0x0008;
constexpr UINT DT_SINGLELINE = 0x0020;
constexpr UINT DT_CALCRECT = 0x0400;
constexpr UINT DT_NOPREFIX = 0x0800;
constexpr UINT DT_END_ELLIPSIS = 0x8000;

constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// One drawing call as a device context received it, with the state it was drawn in.
enum class DrawOp { Fill, Rectangle, Line, Text };

struct DrawRecord {
    DrawOp op = DrawOp::Fill;
    CRect rect;                   // Fill, Rectangle, Text: where; Line: from (left, top) to (right, bottom)
    LOGPEN pen;                   // Rectangle, Line: the selected pen
    LOGBRUSH brush;               // Fill: the brush given; Rectangle: the selected brush
    CString text;                 // Text
    UINT format = 0;              // Text: the DT_ flags
    COLORREF textColor = 0;       // Text
    COLORREF bkColor = 0;         // Text: painted behind the characters when bkMode is OPAQUE
    int bkMode = OPAQUE;          // Text
    const CFont* font = nullptr;  // Text: the selected font (the stock system font when none was)
};

// A device context: the drawing state (selected pen, brush and font, colours, current position)
// and the drawing calls. The headless screen shows nothing, so a plain CDC keeps only the state;
// CRecordingDC also keeps every call. While a face shows the windows, a window's CPaintDC
// draws on the screen and text is measured from the font the screen uses. A new context has the black pen, the white brush and the
// system font (8 pixels per character, 16 high) selected, black text on an opaque white
// background.
class VELTHOST_API CDC : public CObject {
public:
    CDC();
    ~CDC() override;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // The context of a handle; null for a handle that is no living CDC's (such as the screen's).
    static CDC* FromHandle(HDC dc);
    HDC GetSafeHdc() const { return m_hDC; }
    HDC m_hDC = nullptr;

    // Each returns the object selected before; an object that was never created is refused
    // (null returned, selection unchanged).
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    // WHITE_BRUSH, NULL_BRUSH, WHITE_PEN, BLACK_PEN, NULL_PEN, SYSTEM_FONT; null for others.
    CGdiObject* SelectStockObject(int index);
    CFont* GetCurrentFont() const { return font_; }

    // Each returns the previous value.
    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const { return textColor_; }
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const { return bkColor_; }
    int SetBkMode(int mode);
    int GetBkMode() const { return bkMode_; }

    // Fills with `brush` (not the selected one); the right and bottom edges stay outside.
    void FillRect(const RECT* rect, CBrush* brush);
    // Outlines with the selected pen and fills the inside with the selected brush.
    BOOL Rectangle(int left, int top, int right, int bottom);
    BOOL Rectangle(const RECT* rect);
    // Returns the previous position.
    CPoint MoveTo(int x, int y);
    // Draws with the selected pen from the current position, which moves to (x, y).
    BOOL LineTo(int x, int y);
    CPoint GetCurrentPosition() const { return position_; }

    // Draws `text` in `rect` with the selected font and colours and returns the text's height.
    // DT_CALCRECT draws nothing and sets rect's right and bottom to fit the text.
    int DrawText(const CString& text, RECT* rect, UINT format);
    // Headless: width the number of characters (a UTF-8 sequence counts as one) times the
    // selected font's character width; height its character height, times the number of lines.
    CSize GetTextExtent(const CString& text) const;

protected:
    // Where every drawing call goes: to the canvas when there is one, else nowhere.
    virtual void Output(const DrawRecord& record);

    veltutil::detail::FaceCanvas* canvas_ = nullptr;

private:
    DrawRecord Stamp(DrawOp op, const RECT& rect) const;

    CPen* pen_ = nullptr;
    CBrush* brush_ = nullptr;
    CFont* font_ = nullptr;
    LOGPEN penState_;
    LOGBRUSH brushState_;
    LOGFONT fontState_;
    COLORREF textColor_ = 0;
    COLORREF bkColor_ = 0xFFFFFF;
    int bkMode_ = OPAQUE;
    CPoint position_;
};

// The context a window paints into on WM_PAINT; when it goes, the window counts as painted.
class VELTHOST_API CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;

private:
    HWND hwnd_;
};

// A context that keeps every drawing call, for tests and anything that replays drawing.
class VELTHOST_API CRecordingDC : public CDC {
public:
    const std::vector<DrawRecord>& Records() const { return records_; }
    void Clear() { records_.clear(); }
    // The last call of kind `op` whose rectangle holds `point`: what shows there on top. Null
    // when there is none. Lines have no inside and are never found.
    const DrawRecord* LastAt(DrawOp op, POINT point) const;

protected:
    void Output(const DrawRecord& record) override { records_.push_back(record); }

private:
    std::vector<DrawRecord> records_;
};
