// Device contexts that record into display lists, brushes, system colours, paint messages, and bitmap
// and icon resources.
#include "win/gdi.h"

#include <algorithm>
#include <map>

#include "gdi_state.h"
#include "gfx/text_metrics.h"
#include "window_system.h"
#include "win/resources.h"

namespace vtl::win::detail {
namespace {
struct GdiTables {
    std::map<int, std::unique_ptr<DeviceContext>> dcs;
    int nextDc = 1;
    std::map<int, COLORREF> brushes;  // solid brushes by handle
    int nextBrush = 100;              // below: stock and system-colour brushes
    std::map<HWND, HDC> painting;
};

GdiTables& tables() {
    static GdiTables t;
    return t;
}

constexpr int kNullBrush = 1;
constexpr int kSysBrushBase = 10;  // 10 + index: the brush of a system colour
}  // namespace

DeviceContext* dcOf(HDC dc) {
    auto it = tables().dcs.find(dc.value());
    return it == tables().dcs.end() ? nullptr : it->second.get();
}

HDC createRecordingDc(gfx::DisplayList& list, HWND window) {
    auto& t = tables();
    auto dc = std::make_unique<DeviceContext>();
    dc->list = &list;
    dc->window = window;
    if (Window* w = WindowSystem::get().find(window)) dc->state.font = w->font;
    const int h = t.nextDc++;
    t.dcs.emplace(h, std::move(dc));
    return HDC(h);
}

void deleteDc(HDC dc) { tables().dcs.erase(dc.value()); }

void setPaintDc(HWND window, HDC dc) {
    if (dc) tables().painting[window] = dc;
    else tables().painting.erase(window);
}

void clearGdi() {
    auto& t = tables();
    t.dcs.clear();
    t.brushes.clear();
    t.painting.clear();
}

}  // namespace vtl::win::detail

using namespace vtl::win::detail;

COLORREF GetSysColor(int index) {
    switch (index) {
    case COLOR_SCROLLBAR: return RGB(212, 208, 200);
    case COLOR_BACKGROUND: return RGB(58, 110, 165);
    case COLOR_ACTIVECAPTION: return RGB(10, 36, 106);
    case COLOR_INACTIVECAPTION: return RGB(128, 128, 128);
    case COLOR_MENU: return RGB(212, 208, 200);
    case COLOR_WINDOW: return RGB(255, 255, 255);
    case COLOR_WINDOWFRAME: return RGB(0, 0, 0);
    case COLOR_MENUTEXT: return RGB(0, 0, 0);
    case COLOR_WINDOWTEXT: return RGB(0, 0, 0);
    case COLOR_CAPTIONTEXT: return RGB(255, 255, 255);
    case COLOR_HIGHLIGHT: return RGB(10, 36, 106);
    case COLOR_HIGHLIGHTTEXT: return RGB(255, 255, 255);
    case COLOR_BTNFACE: return RGB(212, 208, 200);
    case COLOR_BTNSHADOW: return RGB(128, 128, 128);
    case COLOR_GRAYTEXT: return RGB(128, 128, 128);
    case COLOR_BTNTEXT: return RGB(0, 0, 0);
    case COLOR_INACTIVECAPTIONTEXT: return RGB(212, 208, 200);
    case COLOR_BTNHIGHLIGHT: return RGB(255, 255, 255);
    case COLOR_3DDKSHADOW: return RGB(64, 64, 64);
    case COLOR_3DLIGHT: return RGB(212, 208, 200);
    case COLOR_INFOTEXT: return RGB(0, 0, 0);
    case COLOR_INFOBK: return RGB(255, 255, 225);
    default: return RGB(212, 208, 200);
    }
}

COLORREF resolveColour(COLORREF colour) {
    return (colour & 0x80000000u) ? GetSysColor(static_cast<int>(colour & 0xFF)) : (colour & 0xFFFFFF);
}

HBRUSH GetStockObject(int object) {
    switch (object) {
    case NULL_BRUSH: return HBRUSH(kNullBrush);
    case WHITE_BRUSH: return CreateSolidBrush(RGB(255, 255, 255));
    case BLACK_BRUSH: return CreateSolidBrush(RGB(0, 0, 0));
    default: return HBRUSH();
    }
}

HBRUSH GetSysColorBrush(int index) { return HBRUSH(kSysBrushBase + std::clamp(index, 0, 40)); }

HBRUSH CreateSolidBrush(COLORREF colour) {
    auto& t = tables();
    const int h = t.nextBrush++;
    t.brushes[h] = colour;
    return HBRUSH(h);
}

bool DeleteObject(HBRUSH brush) { return tables().brushes.erase(brush.value()) == 1; }

bool brushColour(HBRUSH brush, COLORREF& colour) {
    const int h = brush.value();
    if (h >= kSysBrushBase && h <= kSysBrushBase + 40) {
        colour = GetSysColor(h - kSysBrushBase);
        return true;
    }
    auto it = tables().brushes.find(h);
    if (it == tables().brushes.end()) return false;
    colour = resolveColour(it->second);
    return true;
}

HDC BeginPaint(HWND h, PAINTSTRUCT* ps) {
    auto& t = tables();
    HDC dc;
    if (auto it = t.painting.find(h); it != t.painting.end()) {
        dc = it->second;
    } else {
        // Painting outside a render pass goes nowhere, as drawing on a hidden window would.
        auto own = std::make_unique<vtl::gfx::DisplayList>();
        vtl::gfx::DisplayList& list = *own;
        dc = createRecordingDc(list, h);
        dcOf(dc)->own = std::move(own);
    }
    if (ps) {
        ps->hdc = dc;
        ps->fErase = FALSE;
        GetClientRect(h, &ps->rcPaint);
    }
    return dc;
}

BOOL EndPaint(HWND h, const PAINTSTRUCT* ps) {
    auto& t = tables();
    if (ps && t.painting.find(h) == t.painting.end()) deleteDc(ps->hdc);
    return TRUE;
}

HDC GetDC(HWND h) {
    auto own = std::make_unique<vtl::gfx::DisplayList>();
    vtl::gfx::DisplayList& list = *own;
    const HDC dc = createRecordingDc(list, h);
    dcOf(dc)->own = std::move(own);
    return dc;
}

int ReleaseDC(HWND, HDC dc) {
    deleteDc(dc);
    return 1;
}

BOOL InvalidateRect(HWND h, const RECT*, BOOL) {
    if (!IsWindow(h)) return FALSE;
    WindowSystem::get().touch();
    return TRUE;
}

BOOL UpdateWindow(HWND h) { return IsWindow(h); }

HBITMAP LoadBitmap(HINSTANCE instance, int id) {
    (void)instance;  // looked up through the resource chain, the current resource handle first
    const auto bytes = vtl::win::findResourceData(vtl::win::ResourceType::Bitmap, id);
    if (bytes.empty()) return {};
    return vtl::gfx::loadBitmap(std::span<const std::uint8_t>(bytes.data(), bytes.size()));
}

HICON LoadIcon(HINSTANCE instance, int id) {
    (void)instance;
    const auto bytes = vtl::win::findResourceData(vtl::win::ResourceType::Icon, id);
    if (bytes.empty()) return {};
    return vtl::gfx::loadIcon(std::span<const std::uint8_t>(bytes.data(), bytes.size()));
}

namespace vtl::win {
const gfx::DisplayList* recordedList(HDC dc) {
    DeviceContext* d = dcOf(dc);
    return d ? d->list : nullptr;
}
}  // namespace vtl::win
