#pragma once

#include <cstddef>
#include <utility>
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

// What a clipping call leaves: nothing visible, one rectangle, or a failure.
constexpr int ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;

// One drawing call as a device context received it, with the state it was drawn in.
enum class DrawOp { Fill, Rectangle, Line, Polyline, Text };

struct DrawRecord {
    DrawOp op = DrawOp::Fill;
    CRect rect;                   // Fill, Rectangle, Text: where; Line: from (left, top) to (right, bottom)
    std::vector<POINT> points;    // Polyline: the corners, in drawing order
    bool clipped = false;         // whether only `clip` shows of the call
    CRect clip;                   // when clipped: the visible rectangle (empty: nothing shows)
    LOGPEN pen;                   // Rectangle, Line, Polyline: the selected pen
    LOGBRUSH brush;               // Fill: the brush given; Rectangle: the selected brush
    CString text;                 // Text
    UINT format = 0;              // Text: the DT_ flags
    COLORREF textColor = 0;       // Text
    COLORREF bkColor = 0;         // Text: painted behind the characters when bkMode is OPAQUE
    int bkMode = OPAQUE;          // Text
    const CFont* font = nullptr;  // Text: the selected font (the stock system font when none was)
};

// A device context: the drawing state (selected pen, brush and font, colours, current position,
// clip rectangle) and the drawing calls. The headless screen shows nothing, so a plain CDC keeps only the state;
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
    CFont* GetCurrentFont() const { return state_.font; }

    // Each returns the previous value.
    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const { return state_.textColor; }
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const { return state_.bkColor; }
    int SetBkMode(int mode);
    int GetBkMode() const { return state_.bkMode; }

    // Fills with `brush` (not the selected one); the right and bottom edges stay outside.
    void FillRect(const RECT* rect, CBrush* brush);
    // Outlines with the selected pen and fills the inside with the selected brush.
    BOOL Rectangle(int left, int top, int right, int bottom);
    BOOL Rectangle(const RECT* rect);
    // Returns the previous position.
    CPoint MoveTo(int x, int y);
    // Draws with the selected pen from the current position, which moves to (x, y).
    BOOL LineTo(int x, int y);
    CPoint GetCurrentPosition() const { return state_.position; }
    // Joins `count` points (at least 2) with the selected pen; the current position stays.
    // FALSE, drawing nothing, for null points or too few.
    BOOL Polyline(const POINT* points, int count);
    // The same from the current position through `count` points (at least 1), ending there.
    BOOL PolylineTo(const POINT* points, int count);

    // Narrows what the following calls may touch to the part inside the rectangle (the right
    // and bottom edges outside); returns SIMPLEREGION, or NULLREGION once nothing is left.
    int IntersectClipRect(int left, int top, int right, int bottom);
    int IntersectClipRect(const RECT* rect);
    // Only dropping the clip is supported: the whole surface shows again (SIMPLEREGION).
    int SelectClipRgn(std::nullptr_t);

    // Keeps pen, brush, font, colours, background mode, current position and clip; returns the
    // level saved (1 for the first). RestoreDC takes a level SaveDC answered, or -n for the n-th
    // last, and forgets that level and those saved after it; FALSE for a level not saved.
    int SaveDC();
    BOOL RestoreDC(int level);

    // Draws `text` in `rect` with the selected font and colours and returns the text's height.
    // DT_CALCRECT draws nothing and sets rect's right and bottom to fit the text.
    int DrawText(const CString& text, RECT* rect, UINT format);
    // Headless: width the number of characters (a UTF-8 sequence counts as one) times the
    // selected font's character width; height its character height, times the number of lines.
    CSize GetTextExtent(const CString& text) const;

protected:
    // Where every drawing call goes: to the canvas when there is one, else nowhere.
    virtual void Output(DrawRecord&& record);

    veltutil::detail::FaceCanvas* canvas_ = nullptr;

private:
    // Everything SaveDC keeps.
    struct State {
        CPen* pen = nullptr;
        CBrush* brush = nullptr;
        CFont* font = nullptr;
        LOGPEN penState;
        LOGBRUSH brushState;
        LOGFONT fontState;
        COLORREF textColor = 0;
        COLORREF bkColor = 0xFFFFFF;
        int bkMode = OPAQUE;
        CPoint position;
        bool clipped = false;
        CRect clip;
    };

    DrawRecord Stamp(DrawOp op, const RECT& rect) const;
    BOOL OutputPolyline(std::vector<POINT> points);

    State state_;
    std::vector<State> saved_;
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
    // The last call of kind `op` whose rectangle holds `point` inside its clip: what shows there
    // on top. Null when there is none. Lines and polylines have no inside and are never found.
    const DrawRecord* LastAt(DrawOp op, POINT point) const;

protected:
    void Output(DrawRecord&& record) override { records_.push_back(std::move(record)); }

private:
    std::vector<DrawRecord> records_;
};
