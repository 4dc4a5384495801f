// CDC, CPaintDC, CClientDC, CBrush, CPen and CBitmap over the recording device contexts.
#include "win/dc.h"

#include "gdi_state.h"
#include <map>

#include "gfx/mask.h"
#include "gfx/rasterise.h"
#include "gfx/text_metrics.h"

using namespace vtl::win::detail;
namespace gfx = vtl::gfx;

namespace {
std::map<int, CDC*>& dcObjects() {
    static std::map<int, CDC*> objects;
    return objects;
}

gfx::TextStyle textStyle(const DeviceContext& d) {
    gfx::TextStyle s = gfx::TextStyle::withFont(d.state.font);
    s.colour = resolveColour(d.state.text);
    s.opaque = d.state.bkMode == OPAQUE;
    s.background = resolveColour(d.state.background);
    return s;
}

// A memory context's drawing lands in its bitmap's pixels.
void flushIntoBitmap(DeviceContext& d) {
    if (!d.memory || !d.bitmap || !d.own || d.own->empty()) return;
    auto current = gfx::bitmapImage(d.bitmap);
    if (!current) return;
    gfx::Image canvas = *current;
    gfx::render(*d.own, canvas);
    gfx::setBitmapImage(d.bitmap, std::move(canvas));
    d.own->clear();
}

std::optional<COLORREF> brushFill(const DeviceContext& d) {
    if (d.state.nullBrush) return std::nullopt;
    COLORREF c = RGB(255, 255, 255);
    if (d.state.brush) brushColour(d.state.brush, c);
    return c;
}
}  // namespace

CBrush::~CBrush() { DeleteObject(); }
BOOL CBrush::CreateSolidBrush(COLORREF colour) {
    DeleteObject();
    brush_ = ::CreateSolidBrush(colour);
    return TRUE;
}
BOOL CBrush::DeleteObject() {
    const HBRUSH b = brush_;
    brush_ = HBRUSH();
    return b ? (::DeleteObject(b) ? TRUE : FALSE) : FALSE;
}

BOOL CPen::CreatePen(int s, int w, COLORREF c) {
    style = s;
    width = std::max(1, w);
    colour = c;
    return TRUE;
}

CBitmap::~CBitmap() { DeleteObject(); }
BOOL CBitmap::LoadBitmap(UINT id) {
    DeleteObject();
    bitmap_ = ::LoadBitmap(nullptr, static_cast<int>(id));
    return bitmap_ ? TRUE : FALSE;
}
BOOL CBitmap::LoadFromFile(const std::string& path) {
    DeleteObject();
    bitmap_ = gfx::loadBitmapFile(path);
    return bitmap_ ? TRUE : FALSE;
}
BOOL CBitmap::CreateCompatibleBitmap(CDC*, int width, int height) {
    DeleteObject();
    try {
        bitmap_ = gfx::createBitmap(gfx::Image(width, height, gfx::Rgba::of(RGB(0, 0, 0))));
    } catch (const std::exception&) {
        return FALSE;
    }
    return TRUE;
}
BOOL CBitmap::Attach(HBITMAP bitmap) {
    if (bitmap_) return FALSE;
    bitmap_ = bitmap;
    return TRUE;
}
HBITMAP CBitmap::Detach() {
    const HBITMAP b = bitmap_;
    bitmap_ = HBITMAP();
    return b;
}
BOOL CBitmap::DeleteObject() {
    const HBITMAP b = bitmap_;
    bitmap_ = HBITMAP();
    return b ? (::DeleteObject(b) ? TRUE : FALSE) : FALSE;
}
int CBitmap::GetBitmap(BITMAP* info) const {
    const auto size = gfx::bitmapSize(bitmap_);
    if (!size || !info) return 0;
    info->bmWidth = size->cx;
    info->bmHeight = size->cy;
    return static_cast<int>(sizeof(BITMAP));
}

CDC::~CDC() {
    if (owns_) DeleteDC();
    else Detach();
}

CDC* CDC::FromHandle(HDC dc) {
    auto it = dcObjects().find(dc.value());
    return it == dcObjects().end() ? nullptr : it->second;
}

BOOL CDC::Attach(HDC dc) {
    if (m_hDC || !dcOf(dc)) return FALSE;
    m_hDC = dc;
    dcObjects()[dc.value()] = this;
    return TRUE;
}

HDC CDC::Detach() {
    const HDC dc = m_hDC;
    if (dc) dcObjects().erase(dc.value());
    m_hDC = HDC();
    return dc;
}

BOOL CDC::CreateCompatibleDC(CDC*) {
    if (m_hDC) return FALSE;
    auto own = std::make_unique<gfx::DisplayList>();
    gfx::DisplayList& list = *own;
    const HDC dc = createRecordingDc(list, HWND());
    DeviceContext* d = dcOf(dc);
    d->own = std::move(own);
    d->memory = true;
    owns_ = true;
    return Attach(dc);
}

BOOL CDC::DeleteDC() {
    if (DeviceContext* d = dcOf(m_hDC)) flushIntoBitmap(*d);
    const HDC dc = Detach();
    if (dc) deleteDc(dc);
    owns_ = false;
    return dc ? TRUE : FALSE;
}

CFont* CDC::SelectObject(CFont* font) {
    SelectFont(font ? font->GetSafeHandle() : HFONT());
    return nullptr;  // the previous font has no object here; callers restore with SelectFont
}
HFONT CDC::SelectFont(HFONT font) {
    DeviceContext* d = dcOf(m_hDC);
    if (!d) return {};
    const HFONT old = d->state.font;
    d->state.font = font;
    return old;
}
CBitmap* CDC::SelectObject(CBitmap* bitmap) {
    SelectBitmap(bitmap ? bitmap->GetSafeHandle() : HBITMAP());
    return nullptr;
}
HBITMAP CDC::SelectBitmap(HBITMAP bitmap) {
    DeviceContext* d = dcOf(m_hDC);
    if (!d || !d->memory) return {};
    flushIntoBitmap(*d);
    const HBITMAP old = d->bitmap;
    d->bitmap = bitmap;
    return old;
}
CBrush* CDC::SelectObject(CBrush* brush) {
    SelectBrush(brush ? brush->GetSafeHandle() : HBRUSH());
    return nullptr;
}
HBRUSH CDC::SelectBrush(HBRUSH brush) {
    DeviceContext* d = dcOf(m_hDC);
    if (!d) return {};
    const HBRUSH old = d->state.brush;
    d->state.brush = brush;
    COLORREF ignored;
    d->state.nullBrush = brush && !brushColour(brush, ignored);
    return old;
}
CPen* CDC::SelectObject(CPen* pen) {
    if (DeviceContext* d = dcOf(m_hDC); d && pen) {
        d->state.pen = pen->colour;
        d->state.penWidth = pen->width;
        d->state.penStyle = pen->style;
    }
    return nullptr;
}
void CDC::SelectStockObject(int object) {
    if (object == NULL_BRUSH) SelectBrush(GetStockObject(NULL_BRUSH));
}

COLORREF CDC::SetTextColor(COLORREF c) {
    DeviceContext* d = dcOf(m_hDC);
    if (!d) return 0;
    const COLORREF old = d->state.text;
    d->state.text = c;
    return old;
}
COLORREF CDC::GetTextColor() const {
    DeviceContext* d = dcOf(m_hDC);
    return d ? d->state.text : 0;
}
COLORREF CDC::SetBkColor(COLORREF c) {
    DeviceContext* d = dcOf(m_hDC);
    if (!d) return 0;
    const COLORREF old = d->state.background;
    d->state.background = c;
    return old;
}
COLORREF CDC::GetBkColor() const {
    DeviceContext* d = dcOf(m_hDC);
    return d ? d->state.background : 0;
}
int CDC::SetBkMode(int mode) {
    DeviceContext* d = dcOf(m_hDC);
    if (!d) return 0;
    const int old = d->state.bkMode;
    d->state.bkMode = mode;
    return old;
}
int CDC::GetBkMode() const {
    DeviceContext* d = dcOf(m_hDC);
    return d ? d->state.bkMode : 0;
}

void CDC::FillSolidRect(const RECT* rect, COLORREF colour) {
    if (DeviceContext* d = dcOf(m_hDC); d && rect) d->list->fillRect(*rect, resolveColour(colour));
}
void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF colour) {
    const RECT r{x, y, x + cx, y + cy};
    FillSolidRect(&r, colour);
}
int CDC::FillRect(const RECT* rect, CBrush* brush) {
    COLORREF c;
    if (!rect || !brush || !brushColour(*brush, c)) return 0;
    FillSolidRect(rect, c);
    return 1;
}
void CDC::FrameRect(const RECT* rect, CBrush* brush) {
    COLORREF c;
    DeviceContext* d = dcOf(m_hDC);
    if (d && rect && brush && brushColour(*brush, c)) d->list->frameRect(*rect, c);
}
BOOL CDC::Rectangle(int left, int top, int right, int bottom) {
    DeviceContext* d = dcOf(m_hDC);
    if (!d) return FALSE;
    const RECT r{left, top, right, bottom};
    if (auto fill = brushFill(*d)) d->list->fillRect(r, *fill);
    if (d->state.penStyle != PS_NULL)
        d->list->frameRect(r, resolveColour(d->state.pen), d->state.penWidth,
                           d->state.penStyle == PS_DOT ? gfx::PenStyle::Dot : gfx::PenStyle::Solid);
    return TRUE;
}
BOOL CDC::Rectangle(const RECT* rect) { return rect ? Rectangle(rect->left, rect->top, rect->right, rect->bottom) : FALSE; }
BOOL CDC::Ellipse(const RECT* rect) {
    DeviceContext* d = dcOf(m_hDC);
    if (!d || !rect) return FALSE;
    std::optional<COLORREF> frame;
    if (d->state.penStyle != PS_NULL) frame = resolveColour(d->state.pen);
    d->list->ellipse(*rect, brushFill(*d), frame);
    return TRUE;
}
CPoint CDC::MoveTo(int x, int y) {
    DeviceContext* d = dcOf(m_hDC);
    if (!d) return {};
    const CPoint old = d->state.current;
    d->state.current = {x, y};
    return old;
}
BOOL CDC::LineTo(int x, int y) {
    DeviceContext* d = dcOf(m_hDC);
    if (!d) return FALSE;
    if (d->state.penStyle != PS_NULL)
        d->list->line(d->state.current, {x, y}, resolveColour(d->state.pen), d->state.penWidth,
                      d->state.penStyle == PS_DOT ? gfx::PenStyle::Dot : gfx::PenStyle::Solid);
    d->state.current = {x, y};
    return TRUE;
}
void CDC::Draw3dRect(const RECT* rect, COLORREF topLeft, COLORREF bottomRight) {
    DeviceContext* d = dcOf(m_hDC);
    if (!d || !rect) return;
    const RECT& r = *rect;
    d->list->fillRect({r.left, r.top, r.right - 1, r.top + 1}, resolveColour(topLeft));
    d->list->fillRect({r.left, r.top, r.left + 1, r.bottom - 1}, resolveColour(topLeft));
    d->list->fillRect({r.left, r.bottom - 1, r.right, r.bottom}, resolveColour(bottomRight));
    d->list->fillRect({r.right - 1, r.top, r.right, r.bottom}, resolveColour(bottomRight));
}
void CDC::DrawFocusRect(const RECT* rect) {
    if (DeviceContext* d = dcOf(m_hDC); d && rect) d->list->frameRect(*rect, RGB(0, 0, 0), 1, gfx::PenStyle::Dot);
}

BOOL CDC::TextOut(int x, int y, const std::string& text) {
    DeviceContext* d = dcOf(m_hDC);
    if (!d) return FALSE;
    d->list->textOut({x, y}, text, textStyle(*d));
    return TRUE;
}
int CDC::DrawText(const std::string& text, RECT* rect, UINT format) {
    DeviceContext* d = dcOf(m_hDC);
    if (!d || !rect) return 0;
    gfx::TextStyle style = textStyle(*d);
    style.format = format & ~DT_CALCRECT;
    const auto layout = gfx::layoutText(style.font, text, *rect, style.format);
    if (format & DT_CALCRECT) {
        rect->right = rect->left + (layout.bounds.right - layout.bounds.left);
        rect->bottom = rect->top + (layout.bounds.bottom - layout.bounds.top);
    } else {
        d->list->text(*rect, text, style);
    }
    return layout.bounds.bottom - layout.bounds.top;
}
CSize CDC::GetTextExtent(const std::string& text) const {
    DeviceContext* d = dcOf(m_hDC);
    return gfx::textExtent(d ? d->state.font : HFONT(), text);
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* source, int sx, int sy, DWORD rop) {
    return StretchBlt(x, y, width, height, source, sx, sy, width, height, rop);
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* source, int sx, int sy, int sw, int sh, DWORD rop) {
    DeviceContext* d = dcOf(m_hDC);
    DeviceContext* s = source ? dcOf(source->m_hDC) : nullptr;
    if (!d || !s || !s->bitmap) return FALSE;
    flushIntoBitmap(*s);
    const RECT dest{x, y, x + width, y + height};
    const RECT src{sx, sy, sx + sw, sy + sh};
    if (rop == SRCAND) {
        // Kept until the image that goes with it arrives.
        d->pendingMask = s->bitmap;
        d->pendingMaskDest = dest;
        d->pendingMaskSource = src;
        return TRUE;
    }
    auto image = gfx::bitmapImage(s->bitmap);
    if (!image) return FALSE;
    if (rop == SRCPAINT && d->pendingMask && d->pendingMaskDest == dest) {
        // Mask AND, image OR: the image shows where the mask is black.
        auto mask = gfx::bitmapImage(d->pendingMask);
        d->pendingMask = HBITMAP();
        if (mask) {
            gfx::Image masked = *image;
            for (int py = 0; py < masked.height(); ++py)
                for (int px = 0; px < masked.width(); ++px) {
                    const gfx::Rgba m = mask->pixel(px + d->pendingMaskSource.left - src.left,
                                                    py + d->pendingMaskSource.top - src.top);
                    if (m.r > 127 && m.g > 127 && m.b > 127) masked.at(px, py).a = 0;
                }
            d->list->stretchBitmap(dest, std::make_shared<const gfx::Image>(std::move(masked)), src);
            return TRUE;
        }
    }
    d->list->stretchBitmap(dest, image, src);
    return TRUE;
}

BOOL CDC::DrawIcon(int x, int y, HICON icon) { return DrawIcon(x, y, icon, 32); }

BOOL CDC::DrawIcon(int x, int y, HICON icon, int size) {
    DeviceContext* d = dcOf(m_hDC);
    if (!d || !icon || size <= 0) return FALSE;
    d->list->icon({x, y}, icon, size);
    return TRUE;
}

void CDC::DrawBitmap(int x, int y, HBITMAP bitmap, const COLORREF* transparent) {
    if (DeviceContext* d = dcOf(m_hDC)) {
        std::optional<COLORREF> t;
        if (transparent) t = *transparent;
        d->list->bitmap({x, y}, bitmap, t);
    }
}

int CDC::SaveDC() {
    DeviceContext* d = dcOf(m_hDC);
    if (!d) return 0;
    d->saved.push_back(d->state);
    d->state.clips = 0;
    return static_cast<int>(d->saved.size());
}

BOOL CDC::RestoreDC(int saved) {
    DeviceContext* d = dcOf(m_hDC);
    if (!d || d->saved.empty()) return FALSE;
    const std::size_t to = saved < 0 ? d->saved.size() - std::min<std::size_t>(d->saved.size(), static_cast<std::size_t>(-saved))
                                     : static_cast<std::size_t>(saved - 1);
    while (d->saved.size() > to) {
        for (int i = 0; i < d->state.clips; ++i) d->list->popClip();
        d->state = d->saved.back();
        d->saved.pop_back();
    }
    return TRUE;
}

int CDC::IntersectClipRect(int left, int top, int right, int bottom) {
    DeviceContext* d = dcOf(m_hDC);
    if (!d) return 0;
    d->list->pushClip({left, top, right, bottom});
    ++d->state.clips;
    return 2;  // SIMPLEREGION
}
int CDC::IntersectClipRect(const RECT* rect) {
    return rect ? IntersectClipRect(rect->left, rect->top, rect->right, rect->bottom) : 0;
}

CPaintDC::CPaintDC(CWnd* wnd) : wnd_(wnd ? wnd->m_hWnd : HWND()) { Attach(BeginPaint(wnd_, &m_ps)); }
CPaintDC::~CPaintDC() {
    Detach();
    EndPaint(wnd_, &m_ps);
}

CClientDC::CClientDC(CWnd* wnd) : wnd_(wnd ? wnd->m_hWnd : HWND()) { Attach(GetDC(wnd_)); }
CClientDC::~CClientDC() { ReleaseDC(wnd_, Detach()); }
