// The "BUTTON" class: push buttons, check boxes (2- and 3-state, automatic or not), radio buttons with
// group exclusivity, group boxes and owner-drawn buttons.
#include <algorithm>

#include "gfx/bitmap.h"
#include "gfx/text_layout.h"

#include "json_writer.h"
#include "look.h"
#include "window_system.h"
#include "win/keys.h"

namespace vtl::win::detail {
namespace {
struct ButtonState : ControlState {
    WPARAM check = BST_UNCHECKED;
    bool pushed = false;
    bool focused = false;
    HBITMAP bitmap;
    HICON icon;
    void describe(JsonWriter& j) const override {
        j.key("checked").value(static_cast<int>(check));
        j.key("pushed").value(pushed);
    }
    bool paint(const Window& w, PaintContext& pc) const override;
};

DWORD typeOf(const Window& w) { return w.style & BS_TYPEMASK; }

bool isCheckType(DWORD t) {
    return t == BS_CHECKBOX || t == BS_AUTOCHECKBOX || t == BS_3STATE || t == BS_AUTO3STATE || t == BS_RADIOBUTTON ||
           t == BS_AUTORADIOBUTTON;
}

bool isRadio(DWORD t) { return t == BS_RADIOBUTTON || t == BS_AUTORADIOBUTTON; }

WPARAM maxCheck(DWORD t) { return (t == BS_3STATE || t == BS_AUTO3STATE) ? BST_INDETERMINATE : BST_CHECKED; }

ButtonState& stateOf(Window& w) {
    if (!w.state) w.state = std::make_unique<ButtonState>();
    return static_cast<ButtonState&>(*w.state);
}

// What a completed click does: automatic boxes change state first, then the parent hears BN_CLICKED.
void clicked(HWND h) {
    auto& ws = WindowSystem::get();
    Window* w = ws.find(h);
    if (!w) return;
    const DWORD t = typeOf(*w);
    ButtonState& s = stateOf(*w);
    switch (t) {
    case BS_AUTOCHECKBOX:
        SendMessage(h, BM_SETCHECK, s.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
        break;
    case BS_AUTO3STATE:
        SendMessage(h, BM_SETCHECK, s.check == BST_INDETERMINATE ? BST_UNCHECKED : s.check + 1, 0);
        break;
    case BS_AUTORADIOBUTTON: {
        SendMessage(h, BM_SETCHECK, BST_CHECKED, 0);
        // Every other automatic radio button of the group is cleared, hidden or disabled ones included.
        if (Window* p = ws.find(w->parent)) {
            const std::vector<HWND> siblings = p->children;
            auto pos = std::find(siblings.begin(), siblings.end(), h);
            auto first = pos;
            while (first != siblings.begin() && !(ws.require(*first).style & WS_GROUP)) --first;
            auto last = pos + 1;
            while (last != siblings.end() && !(ws.require(*last).style & WS_GROUP)) ++last;
            for (auto it = first; it != last; ++it) {
                Window* o = ws.find(*it);
                if (o && *it != h && o->cls == w->cls && typeOf(*o) == BS_AUTORADIOBUTTON)
                    SendMessage(*it, BM_SETCHECK, BST_UNCHECKED, 0);
            }
        }
        break;
    }
    default:
        break;
    }
    if (Window* again = ws.find(h)) notifyParent(*again, BN_CLICKED);
}

bool takesFocus(DWORD t) { return t != BS_GROUPBOX; }

bool ButtonState::paint(const Window& w, PaintContext& pc) const {
    auto& l = pc.list;
    const SIZE cs = WindowSystem::get().clientSize(w);
    const RECT r{0, 0, cs.cx, cs.cy};
    const DWORD t = typeOf(w);
    const bool pushLike = (w.style & BS_PUSHLIKE) && isCheckType(t);
    auto text = [&](const RECT& area, unsigned format) {
        if (pc.enabled) label(l, area, w.text, pc.font, sys(COLOR_BTNTEXT), format);
        else engravedLabel(l, area, w.text, pc.font, format);
    };
    auto picture = [&](const RECT& area) {
        if (icon) {
            l.icon({(area.left + area.right - 16) / 2, (area.top + area.bottom - 16) / 2}, icon, 16);
            return true;
        }
        if (bitmap) {
            const auto size = gfx::bitmapSize(bitmap);
            if (size) l.bitmap({(area.left + area.right - size->cx) / 2, (area.top + area.bottom - size->cy) / 2},
                               bitmap, RGB(192, 192, 192));
            return true;
        }
        return false;
    };
    l.fillRect(r, sys(COLOR_BTNFACE));
    if (t == BS_OWNERDRAW) {
        // The parent (or the button's own object, through reflection) draws the face; unanswered, the
        // button shows a plain raised face.
        UINT state = 0;
        if (pushed) state |= ODS_SELECTED;
        if (!pc.enabled) state |= ODS_DISABLED;
        if (focused) state |= ODS_FOCUS;
        const HWND self = w.handle;
        auto& list = l;
        if (!ownerDrawItem(list, self, self, ODT_BUTTON, 0, state, r, 0, pc.font)) raisedEdge(list, r, pushed);
        return true;  // `w` may be gone once the parent has drawn
    }
    if (t == BS_GROUPBOX) {
        etchedFrame(l, groupBoxFrame(cs, pc.font));
        if (!w.text.empty()) {
            const TextPlace caption = groupBoxCaption(pc.font, w.text);
            const RECT& c = caption.rect;
            l.fillRect({c.left - 2, c.top, c.right, c.bottom}, sys(COLOR_BTNFACE));
            text(c, caption.format);
        }
        return true;
    }
    if (!isCheckType(t) || pushLike) {
        const bool down = pushed || (pushLike && check == BST_CHECKED);
        const bool isDefault = t == BS_DEFPUSHBUTTON;
        if (isDefault) l.frameRect(r, sys(COLOR_3DDKSHADOW));
        const RECT face = pushButtonFace(cs, isDefault);
        raisedEdge(l, face, down);
        const TextPlace place = pushButtonText(cs, isDefault);
        CRect inner(place.rect);
        if (down) inner.OffsetRect(1, 1);
        if (!picture(inner)) text(inner, place.format);
        if (focused) focusRect(l, {face.left + 3, face.top + 3, face.right - 3, face.bottom - 3});
        return true;
    }
    // Check boxes and radio buttons: the mark at the left, the text beside it.
    const RECT mark = checkBoxMark(cs);
    const bool grey = !pc.enabled || check == BST_INDETERMINATE;
    if (isRadio(t)) {
        l.ellipse(mark, pc.enabled ? sys(COLOR_WINDOW) : sys(COLOR_BTNFACE), sys(COLOR_BTNSHADOW));
        if (check == BST_CHECKED) {
            const RECT dot{mark.left + 4, mark.top + 4, mark.right - 4, mark.bottom - 4};
            l.ellipse(dot, pc.enabled ? sys(COLOR_WINDOWTEXT) : sys(COLOR_GRAYTEXT), std::nullopt);
        }
    } else {
        l.fillRect(mark, grey ? sys(COLOR_BTNFACE) : sys(COLOR_WINDOW));
        sunkenEdge(l, mark);
        if (check != BST_UNCHECKED) checkMark(l, mark, grey ? sys(COLOR_GRAYTEXT) : sys(COLOR_WINDOWTEXT));
    }
    const TextPlace place = checkBoxText(cs);
    const RECT& area = place.rect;
    text(area, place.format);
    if (focused && !w.text.empty()) {
        const SIZE ext = gfx::textExtent(pc.font, w.text);
        const int th = gfx::fontMetrics(pc.font).height;
        focusRect(l, {area.left - 1, (cs.cy - th) / 2 - 1, area.left + ext.cx + 1, (cs.cy + th) / 2 + 1});
    }
    return true;
}
}  // namespace

LRESULT ButtonProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto& ws = WindowSystem::get();
    Window* w = ws.find(h);
    if (!w) return 0;
    ButtonState& s = stateOf(*w);
    const DWORD t = typeOf(*w);
    switch (msg) {
    case WM_GETDLGCODE:
        if (t == BS_GROUPBOX) return DLGC_STATIC;
        if (t == BS_DEFPUSHBUTTON) return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        if (t == BS_PUSHBUTTON || t == BS_OWNERDRAW || t == BS_USERBUTTON) return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        if (isRadio(t)) return DLGC_BUTTON | DLGC_RADIOBUTTON;
        return DLGC_BUTTON;
    case BM_GETCHECK:
        return isCheckType(t) ? static_cast<LRESULT>(s.check) : 0;
    case BM_SETCHECK:
        if (isCheckType(t)) {
            const WPARAM v = wParam > maxCheck(t) ? maxCheck(t) : wParam;
            if (v != s.check) {
                s.check = v;
                ws.touch();
            }
        }
        return 0;
    case BM_GETSTATE:
        return static_cast<LRESULT>(s.check) | (s.pushed ? BST_PUSHED : 0) | (s.focused ? BST_FOCUS : 0);
    case BM_SETSTATE:
        s.pushed = wParam != 0;
        ws.touch();
        return 0;
    case BM_SETSTYLE:
        // The button's kind changes; its check state stays until changed (a 3-state box switched to
        // 2-state keeps showing indeterminate until clicked).
        w->style = (w->style & 0xFFFF0000u) | (static_cast<DWORD>(wParam) & 0xFFFFu);
        ws.touch();
        return 0;
    case BM_CLICK:
        if (!w->enabledFlag()) return 0;
        if (takesFocus(t)) SetFocus(h);
        if (ws.find(h)) clicked(h);
        return 0;
    case BM_SETIMAGE: {
        LRESULT old = 0;
        if (wParam == 0) {
            old = s.bitmap.value();
            s.bitmap = HBITMAP(static_cast<int>(lParam));
        } else {
            old = s.icon.value();
            s.icon = HICON(static_cast<int>(lParam));
        }
        ws.touch();
        return old;
    }
    case BM_GETIMAGE:
        return wParam == 0 ? s.bitmap.value() : s.icon.value();
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (t == BS_GROUPBOX) return 0;
        SetFocus(h);
        if (!(w = ws.find(h))) return 0;
        SetCapture(h);
        stateOf(*w).pushed = true;
        ws.touch();
        return 0;
    case WM_LBUTTONUP: {
        if (ws.capture != h) return 0;
        const bool wasPushed = s.pushed;
        s.pushed = false;
        ReleaseCapture();
        RECT client{};
        GetClientRect(h, &client);
        const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (wasPushed && CRect(client).PtInRect(p)) clicked(h);
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (ParamToHandle(lParam) != h) s.pushed = false;
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && t != BS_GROUPBOX) {
            s.pushed = true;
            ws.touch();
        }
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE && s.pushed) {
            s.pushed = false;
            clicked(h);
        }
        return 0;
    case WM_SETFOCUS:
        s.focused = true;
        if (w->style & BS_NOTIFY) notifyParent(*w, BN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        s.focused = false;
        if (s.pushed && ws.capture != h) s.pushed = false;
        if (w->style & BS_NOTIFY) notifyParent(*w, BN_KILLFOCUS);
        return 0;
    default:
        return DefWindowProc(h, msg, wParam, lParam);
    }
}

}  // namespace vtl::win::detail
