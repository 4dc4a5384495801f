#include "look.h"

#include "gdi_state.h"
#include "window_system.h"
#include "win/api.h"

namespace vtl::win::detail {

COLORREF sys(int index) { return GetSysColor(index); }

void raisedEdge(gfx::DisplayList& l, const RECT& r, bool pressed) {
    if (pressed) {
        l.frameRect(r, sys(COLOR_3DDKSHADOW));
        l.frameRect({r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, sys(COLOR_BTNSHADOW));
        return;
    }
    const COLORREF light = sys(COLOR_BTNHIGHLIGHT), dark = sys(COLOR_3DDKSHADOW), shadow = sys(COLOR_BTNSHADOW);
    l.fillRect({r.left, r.top, r.right - 1, r.top + 1}, light);
    l.fillRect({r.left, r.top, r.left + 1, r.bottom - 1}, light);
    l.fillRect({r.left, r.bottom - 1, r.right, r.bottom}, dark);
    l.fillRect({r.right - 1, r.top, r.right, r.bottom}, dark);
    l.fillRect({r.left + 1, r.bottom - 2, r.right - 1, r.bottom - 1}, shadow);
    l.fillRect({r.right - 2, r.top + 1, r.right - 1, r.bottom - 1}, shadow);
}

void sunkenEdge(gfx::DisplayList& l, const RECT& r) {
    const COLORREF light = sys(COLOR_BTNHIGHLIGHT), dark = sys(COLOR_3DDKSHADOW), shadow = sys(COLOR_BTNSHADOW);
    l.fillRect({r.left, r.top, r.right - 1, r.top + 1}, shadow);
    l.fillRect({r.left, r.top, r.left + 1, r.bottom - 1}, shadow);
    l.fillRect({r.left + 1, r.top + 1, r.right - 2, r.top + 2}, dark);
    l.fillRect({r.left + 1, r.top + 1, r.left + 2, r.bottom - 2}, dark);
    l.fillRect({r.left, r.bottom - 1, r.right, r.bottom}, light);
    l.fillRect({r.right - 1, r.top, r.right, r.bottom}, light);
}

void etchedFrame(gfx::DisplayList& l, const RECT& r) {
    l.frameRect({r.left + 1, r.top + 1, r.right, r.bottom}, sys(COLOR_BTNHIGHLIGHT));
    l.frameRect({r.left, r.top, r.right - 1, r.bottom - 1}, sys(COLOR_BTNSHADOW));
}

void label(gfx::DisplayList& l, const RECT& r, std::string_view text, HFONT font, COLORREF colour, unsigned format) {
    gfx::TextStyle s = gfx::TextStyle::withFont(font);
    s.colour = colour;
    s.format = format;
    l.text(r, text, s);
}

void engravedLabel(gfx::DisplayList& l, const RECT& r, std::string_view text, HFONT font, unsigned format) {
    label(l, {r.left + 1, r.top + 1, r.right + 1, r.bottom + 1}, text, font, sys(COLOR_BTNHIGHLIGHT), format);
    label(l, r, text, font, sys(COLOR_GRAYTEXT), format);
}

void checkMark(gfx::DisplayList& l, const RECT& box, COLORREF colour) {
    const int x = box.left + 3, y = box.top + 5;
    for (int i = 0; i < 3; ++i) {
        l.line({x, y + i}, {x + 2, y + 2 + i}, colour);
        l.line({x + 2, y + 2 + i}, {x + 7, y - 3 + i}, colour);
    }
}

void arrow(gfx::DisplayList& l, const RECT& r, bool down, COLORREF colour) {
    const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    if (down) {
        l.polygon({{cx - 4, cy - 2}, {cx + 4, cy - 2}, {cx, cy + 2}}, colour);
    } else {
        l.polygon({{cx - 2, cy - 4}, {cx - 2, cy + 4}, {cx + 2, cy}}, colour);
    }
}

void focusRect(gfx::DisplayList& l, const RECT& r) { l.frameRect(r, RGB(0, 0, 0), 1, gfx::PenStyle::Dot); }

bool ownerDrawItem(gfx::DisplayList& l, HWND control, HWND drawIn, UINT ctlType, int itemId, UINT state,
                   const RECT& rc, DWORD_PTR data, HFONT font) {
    const HWND parent = GetParent(control);
    if (!parent) return false;
    const HDC dc = createRecordingDc(l, drawIn);
    if (DeviceContext* d = dcOf(dc)) d->state.font = font;
    DRAWITEMSTRUCT item;
    item.CtlType = ctlType;
    item.CtlID = static_cast<UINT>(GetDlgCtrlID(control));
    item.itemID = static_cast<UINT>(itemId);
    item.itemState = state;
    item.hwndItem = control;
    item.hDC = dc;
    item.rcItem = rc;
    item.itemData = data;
    const LRESULT drawn = SendMessage(parent, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
    deleteDc(dc);
    return drawn != 0;
}

}  // namespace vtl::win::detail
