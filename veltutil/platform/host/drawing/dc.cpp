#include "veltutil/platform/host/drawing/dc.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <string_view>
#include <unordered_set>
#include <utility>

#include "veltutil/platform/host/face/internal/face_hooks.h"
#include "veltutil/platform/host/windows/wnd.h"

namespace {

constexpr long kSystemCharWidth = 8;
constexpr long kSystemCharHeight = 16;

struct LiveContexts {
    std::mutex mutex;
    std::unordered_set<HDC> handles;
};

LiveContexts& liveContexts() {
    // Never destroyed: contexts of static objects may go during process exit.
    static auto* instance = new LiveContexts;
    return *instance;
}

// The objects a context starts with, and those SelectStockObject hands out.
struct StockObjects {
    StockObjects() {
        LOGFONT logical;
        logical.lfHeight = -kSystemCharHeight;
        logical.lfWidth = kSystemCharWidth;
        std::strcpy(logical.lfFaceName, "System");
        systemFont.CreateFontIndirect(&logical);
        LOGBRUSH none{BS_NULL, 0, 0};
        hollowBrush.CreateBrushIndirect(&none);
    }

    CPen whitePen{PS_SOLID, 1, 0xFFFFFF};
    CPen blackPen{PS_SOLID, 1, 0};
    CPen nullPen{PS_NULL, 1, 0};
    CBrush whiteBrush{0xFFFFFF};
    CBrush hollowBrush;
    CFont systemFont;
};

StockObjects& stock() {
    static StockObjects objects;
    return objects;
}

// Selects `object` when it was created: its description is copied into `state`.
template <class Object, class Logical, class Read>
Object* select(Object* object, Object*& current, Logical& state, Read read) {
    if (!object || !object->GetSafeHandle()) return nullptr;
    (object->*read)(&state);
    return std::exchange(current, object);
}

long characterCount(std::string_view text) {
    // UTF-8 continuation bytes (10xxxxxx) belong to the character before them.
    return static_cast<long>(std::count_if(text.begin(), text.end(),
                                           [](char ch) { return (static_cast<unsigned char>(ch) & 0xC0) != 0x80; }));
}

}  // namespace

CDC::CDC() : m_hDC(reinterpret_cast<HDC>(this)) {
    SelectObject(&stock().blackPen);
    SelectObject(&stock().whiteBrush);
    SelectObject(&stock().systemFont);
    LiveContexts& live = liveContexts();
    std::lock_guard lock(live.mutex);
    live.handles.insert(m_hDC);
}

CDC::~CDC() {
    LiveContexts& live = liveContexts();
    std::lock_guard lock(live.mutex);
    live.handles.erase(m_hDC);
}

CDC* CDC::FromHandle(HDC dc) {
    LiveContexts& live = liveContexts();
    std::lock_guard lock(live.mutex);
    return live.handles.count(dc) ? reinterpret_cast<CDC*>(dc) : nullptr;
}

CPen* CDC::SelectObject(CPen* pen) { return select(pen, state_.pen, state_.penState, &CPen::GetLogPen); }
CBrush* CDC::SelectObject(CBrush* brush) {
    return select(brush, state_.brush, state_.brushState, &CBrush::GetLogBrush);
}
CFont* CDC::SelectObject(CFont* font) { return select(font, state_.font, state_.fontState, &CFont::GetLogFont); }

CGdiObject* CDC::SelectStockObject(int index) {
    StockObjects& objects = stock();
    switch (index) {
    case WHITE_BRUSH: return SelectObject(&objects.whiteBrush);
    case NULL_BRUSH: return SelectObject(&objects.hollowBrush);
    case WHITE_PEN: return SelectObject(&objects.whitePen);
    case BLACK_PEN: return SelectObject(&objects.blackPen);
    case NULL_PEN: return SelectObject(&objects.nullPen);
    case SYSTEM_FONT: return SelectObject(&objects.systemFont);
    default: return nullptr;
    }
}

COLORREF CDC::SetTextColor(COLORREF color) { return std::exchange(state_.textColor, color); }
COLORREF CDC::SetBkColor(COLORREF color) { return std::exchange(state_.bkColor, color); }

int CDC::SetBkMode(int mode) {
    if (mode != TRANSPARENT && mode != OPAQUE) return 0;
    return std::exchange(state_.bkMode, mode);
}

DrawRecord CDC::Stamp(DrawOp op, const RECT& rect) const {
    DrawRecord record;
    record.op = op;
    record.rect = rect;
    record.clipped = state_.clipped;
    record.clip = state_.clip;
    record.pen = state_.penState;
    record.brush = state_.brushState;
    return record;
}

void CDC::FillRect(const RECT* rect, CBrush* brush) {
    if (!rect || !brush || !brush->GetSafeHandle()) return;
    DrawRecord record = Stamp(DrawOp::Fill, *rect);
    brush->GetLogBrush(&record.brush);
    Output(std::move(record));
}

BOOL CDC::Rectangle(int left, int top, int right, int bottom) {
    Output(Stamp(DrawOp::Rectangle, CRect(left, top, right, bottom)));
    return TRUE;
}

BOOL CDC::Rectangle(const RECT* rect) { return rect ? Rectangle(rect->left, rect->top, rect->right, rect->bottom) : FALSE; }

CPoint CDC::MoveTo(int x, int y) { return std::exchange(state_.position, CPoint(x, y)); }

BOOL CDC::LineTo(int x, int y) {
    Output(Stamp(DrawOp::Line, CRect(state_.position.x, state_.position.y, x, y)));
    state_.position = CPoint(x, y);
    return TRUE;
}

BOOL CDC::Polyline(const POINT* points, int count) {
    if (!points || count < 2) return FALSE;
    return OutputPolyline(std::vector<POINT>(points, points + count));
}

BOOL CDC::PolylineTo(const POINT* points, int count) {
    if (!points || count < 1) return FALSE;
    std::vector<POINT> corners;
    corners.reserve(static_cast<std::size_t>(count) + 1);
    corners.push_back(state_.position);
    corners.insert(corners.end(), points, points + count);
    state_.position = points[count - 1];
    return OutputPolyline(std::move(corners));
}

BOOL CDC::OutputPolyline(std::vector<POINT> points) {
    DrawRecord record = Stamp(DrawOp::Polyline, CRect());
    record.points = std::move(points);
    Output(std::move(record));
    return TRUE;
}

int CDC::IntersectClipRect(int left, int top, int right, int bottom) {
    CRect wanted(left, top, right, bottom);
    if (state_.clipped) {
        wanted = CRect(std::max(wanted.left, state_.clip.left), std::max(wanted.top, state_.clip.top),
                       std::min(wanted.right, state_.clip.right), std::min(wanted.bottom, state_.clip.bottom));
    }
    // Inverted or shrunk to nothing: one canonical empty rectangle, so records compare equal.
    bool empty = wanted.Width() <= 0 || wanted.Height() <= 0;
    state_.clipped = true;
    state_.clip = empty ? CRect() : wanted;
    return empty ? NULLREGION : SIMPLEREGION;
}

int CDC::IntersectClipRect(const RECT* rect) {
    return rect ? IntersectClipRect(rect->left, rect->top, rect->right, rect->bottom) : ERROR;
}

int CDC::SelectClipRgn(std::nullptr_t) {
    state_.clipped = false;
    state_.clip = CRect();
    return SIMPLEREGION;
}

int CDC::SaveDC() {
    saved_.push_back(state_);
    return static_cast<int>(saved_.size());
}

BOOL CDC::RestoreDC(int level) {
    const auto depth = static_cast<long>(saved_.size());
    // -1 is the last level saved, -depth the first; 0 lands past the last and is refused.
    long index = level > 0 ? level - 1L : depth + level;
    if (index < 0 || index >= depth) return FALSE;
    state_ = saved_[static_cast<std::size_t>(index)];
    saved_.resize(static_cast<std::size_t>(index));
    return TRUE;
}

CSize CDC::GetTextExtent(const CString& text) const {
    if (veltutil::detail::Face* face = veltutil::detail::FaceOfThisThread()) return face->MeasureText(state_.fontState, text);
    const LOGFONT& font = state_.fontState;
    long height = font.lfHeight != 0 ? std::labs(font.lfHeight) : kSystemCharHeight;
    long width = font.lfWidth > 0 ? font.lfWidth : (height + 1) / 2;
    long widest = 0;
    long lines = 0;
    for (std::string_view rest = text.view();; ++lines) {
        std::size_t end = rest.find('\n');
        widest = std::max(widest, characterCount(rest.substr(0, end)) * width);
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + 1);
    }
    return CSize(widest, (lines + 1) * height);
}

int CDC::DrawText(const CString& text, RECT* rect, UINT format) {
    if (!rect) return 0;
    CSize extent = GetTextExtent(text);
    if (format & DT_CALCRECT) {
        rect->right = rect->left + extent.cx;
        rect->bottom = rect->top + extent.cy;
        return static_cast<int>(extent.cy);
    }
    DrawRecord record = Stamp(DrawOp::Text, *rect);
    record.text = text;
    record.format = format;
    record.textColor = state_.textColor;
    record.bkColor = state_.bkColor;
    record.bkMode = state_.bkMode;
    record.font = state_.font;
    Output(std::move(record));
    return static_cast<int>(extent.cy);
}

void CDC::Output(DrawRecord&& record) {
    if (canvas_) canvas_->Draw(record);
}

CPaintDC::CPaintDC(CWnd* wnd) : hwnd_(wnd ? wnd->GetSafeHwnd() : nullptr) {
    veltutil::detail::Face* face = hwnd_ ? veltutil::detail::FaceOfThisThread() : nullptr;
    if (face) canvas_ = face->PaintingCanvas(*wnd);
}

CPaintDC::~CPaintDC() {
    // The window may have gone while it painted.
    if (CWnd* wnd = CWnd::FromHandle(hwnd_)) wnd->ValidateRect(nullptr);
}

const DrawRecord* CRecordingDC::LastAt(DrawOp op, POINT point) const {
    for (auto it = records_.rbegin(); it != records_.rend(); ++it) {
        bool visible = !it->clipped || it->clip.PtInRect(point);
        // A polyline's rectangle is empty.
        if (it->op == op && op != DrawOp::Line && visible && it->rect.PtInRect(point)) return &*it;
    }
    return nullptr;
}
