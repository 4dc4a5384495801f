#include "look.h"

#include <algorithm>

#include "gdi_state.h"
#include "gfx/text_metrics.h"
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

RECT pushButtonFace(SIZE client, bool isDefault) {
    const int frame = isDefault ? 1 : 0;
    return {frame, frame, client.cx - frame, client.cy - frame};
}

TextPlace pushButtonText(SIZE client, bool isDefault) {
    const RECT face = pushButtonFace(client, isDefault);
    return {{face.left + 2, face.top + 2, face.right - 2, face.bottom - 2}, DT_CENTER | DT_VCENTER | DT_SINGLELINE};
}

RECT checkBoxMark(SIZE client) {
    const int top = (client.cy - kCheckBoxSize) / 2;
    return {0, top, kCheckBoxSize, top + kCheckBoxSize};
}

TextPlace checkBoxText(SIZE client) {
    return {{kCheckBoxSize + 4, 0, client.cx, client.cy}, DT_LEFT | DT_VCENTER | DT_SINGLELINE};
}

TextPlace groupBoxCaption(HFONT font, std::string_view text) {
    const unsigned format = DT_LEFT | DT_SINGLELINE;
    const RECT wide{kGroupBoxCaptionLeft, 0, kGroupBoxCaptionLeft + (1 << 20), gfx::fontMetrics(font).height};
    const RECT box = gfx::layoutText(gfx::resolveFont(font), text, wide, format).bounds;
    return {{kGroupBoxCaptionLeft, 0, box.right + 2, wide.bottom}, format};
}

RECT groupBoxFrame(SIZE client, HFONT font) { return {0, gfx::fontMetrics(font).height / 2, client.cx, client.cy}; }

bool staticShowsText(DWORD style) {
    const DWORD kind = style & SS_TYPEMASK;
    return kind == SS_LEFT || kind == SS_CENTER || kind == SS_RIGHT || kind == SS_LEFTNOWORDWRAP;
}

TextPlace staticText(SIZE client, DWORD style) {
    const DWORD kind = style & SS_TYPEMASK;
    unsigned format = DT_WORDBREAK;
    if (kind == SS_CENTER) format |= DT_CENTER;
    if (kind == SS_RIGHT) format |= DT_RIGHT;
    if (kind == SS_LEFTNOWORDWRAP) format = DT_SINGLELINE;
    if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
    if (style & SS_CENTERIMAGE) format = (format & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
    return {{0, 0, client.cx, client.cy}, format};
}

RECT comboButton(SIZE client) { return {client.cx - kComboButtonWidth - 2, 2, client.cx - 2, client.cy - 2}; }

RECT comboField(SIZE client) { return {3, 3, comboButton(client).left - 1, client.cy - 3}; }

TextPlace comboFieldText(SIZE client) {
    const RECT field = comboField(client);
    return {{field.left + 1, field.top, field.right, field.bottom}, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX};
}

TextPlace editText(SIZE client, HFONT font, bool multiline) {
    if (multiline) return {{1, 1, client.cx - 1, client.cy - 1}, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK};
    const int lineH = gfx::fontMetrics(font).height;
    const int top = std::max(0, (static_cast<int>(client.cy) - lineH) / 2);
    return {{1, top, client.cx - 1, top + lineH}, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP};
}

RECT textBox(HFONT font, std::string_view text, const TextPlace& place) {
    return gfx::layoutText(gfx::resolveFont(font), text, place.rect, place.format).bounds;
}

}  // namespace vtl::win::detail
