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

CPen* CDC::SelectObject(CPen* pen) { return select(pen, pen_, penState_, &CPen::GetLogPen); }
CBrush* CDC::SelectObject(CBrush* brush) { return select(brush, brush_, brushState_, &CBrush::GetLogBrush); }
CFont* CDC::SelectObject(CFont* font) { return select(font, font_, fontState_, &CFont::GetLogFont); }

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

COLORREF CDC::SetTextColor(COLORREF color) { return std::exchange(textColor_, color); }
COLORREF CDC::SetBkColor(COLORREF color) { return std::exchange(bkColor_, color); }

int CDC::SetBkMode(int mode) {
    if (mode != TRANSPARENT && mode != OPAQUE) return 0;
    return std::exchange(bkMode_, mode);
}

DrawRecord CDC::Stamp(DrawOp op, const RECT& rect) const {
    DrawRecord record;
    record.op = op;
    record.rect = rect;
    record.pen = penState_;
    record.brush = brushState_;
    return record;
}

void CDC::FillRect(const RECT* rect, CBrush* brush) {
    if (!rect || !brush || !brush->GetSafeHandle()) return;
    DrawRecord record = Stamp(DrawOp::Fill, *rect);
    brush->GetLogBrush(&record.brush);
    Output(record);
}

BOOL CDC::Rectangle(int left, int top, int right, int bottom) {
    Output(Stamp(DrawOp::Rectangle, CRect(left, top, right, bottom)));
    return TRUE;
}

BOOL CDC::Rectangle(const RECT* rect) { return rect ? Rectangle(rect->left, rect->top, rect->right, rect->bottom) : FALSE; }

CPoint CDC::MoveTo(int x, int y) { return std::exchange(position_, CPoint(x, y)); }

BOOL CDC::LineTo(int x, int y) {
    Output(Stamp(DrawOp::Line, CRect(position_.x, position_.y, x, y)));
    position_ = CPoint(x, y);
    return TRUE;
}

CSize CDC::GetTextExtent(const CString& text) const {
    if (veltutil::detail::Face* face = veltutil::detail::FaceOfThisThread()) return face->MeasureText(fontState_, text);
    long height = fontState_.lfHeight != 0 ? std::labs(fontState_.lfHeight) : kSystemCharHeight;
    long width = fontState_.lfWidth > 0 ? fontState_.lfWidth : (height + 1) / 2;
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
    record.textColor = textColor_;
    record.bkColor = bkColor_;
    record.bkMode = bkMode_;
    record.font = font_;
    Output(record);
    return static_cast<int>(extent.cy);
}

void CDC::Output(const DrawRecord& record) {
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
        if (it->op == op && op != DrawOp::Line && it->rect.PtInRect(point)) return &*it;
    }
    return nullptr;
}
