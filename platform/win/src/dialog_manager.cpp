// Dialogs at the window level: creation from a template, the dialog class's default behaviour, navigation
// between controls (Tab, arrows, Enter, Escape) and EndDialog.
#include <algorithm>

#include "gfx/font.h"
#include "pump_internal.h"
#include "window_system.h"
#include "win/window_tree.h"
#include "win/keys.h"
#include "win/resources.h"

using namespace vtl::win::detail;

namespace vtl::win::detail {

DialogInfo* dialogInfo(HWND h) {
    Window* w = WindowSystem::get().find(h);
    return w ? w->dialog.get() : nullptr;
}

namespace {
// Controls of a dialog in tab order: its children in z-order, descending into control parents (pages).
void flattenControls(WindowSystem& ws, HWND parent, std::vector<HWND>& out) {
    Window* p = ws.find(parent);
    if (!p) return;
    for (HWND c : p->children) {
        Window* w = ws.find(c);
        if (!w) continue;
        if (w->exStyle & WS_EX_CONTROLPARENT) {
            if (w->visibleFlag() && w->enabledFlag()) flattenControls(ws, c, out);
        } else {
            out.push_back(c);
        }
    }
}

bool canTakeFocus(WindowSystem& ws, HWND h) {
    Window* w = ws.find(h);
    if (!w || !ws.isVisible(h)) return false;
    for (Window* a = w; a && a->isChild(); a = ws.find(a->parent))
        if (!a->enabledFlag()) return false;
    return true;
}

// The outermost dialog of a chain of pages (child dialogs that are control parents).
HWND navigationRoot(WindowSystem& ws, HWND dialog) {
    Window* w = ws.find(dialog);
    while (w && w->isChild() && (w->exStyle & WS_EX_CONTROLPARENT) && w->parent) {
        Window* p = ws.find(w->parent);
        if (!p) break;
        w = p;
    }
    return w ? w->handle : dialog;
}
}  // namespace

// Focuses a control as dialog navigation does: an edit gets its whole text selected first.
void setDialogFocus(HWND control) {
    if (SendMessage(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessage(control, EM_SETSEL, 0, -1);
    SetFocus(control);
}

HWND createDialogFromTemplate(const DialogTemplate& t, HWND parentOrOwner, CWnd* object, bool modal,
                              LPARAM initParam) {
    auto& ws = WindowSystem::get();
    const std::string className = t.className.empty() ? "#32770" : t.className;
    DWORD style = t.style;
    DWORD exStyle = t.exStyle;
    if (style & DS_CONTROL) exStyle |= WS_EX_CONTROLPARENT;
    const bool child = (style & WS_CHILD) != 0;
    if (modal) style &= ~WS_VISIBLE;
    const bool showAfter = (style & WS_VISIBLE) != 0;
    style &= ~WS_VISIBLE;

    RECT r{0, 0, t.width, t.height};
    int x = 0, y = 0;
    if (!child) {
        AdjustWindowRectEx(&r, style, FALSE, exStyle);
        const int w = r.right - r.left, h = r.bottom - r.top;
        RECT around{};
        if (parentOrOwner && ws.find(parentOrOwner)) {
            GetWindowRect(ws.root(parentOrOwner), &around);
        } else {
            const SIZE s = screenSize();
            around = {0, 0, s.cx, s.cy};
        }
        x = around.left + (around.right - around.left - w) / 2;
        y = around.top + (around.bottom - around.top - h) / 2;
        const SIZE s = screenSize();
        x = std::clamp(x, 0, std::max(0, static_cast<int>(s.cx) - w));
        y = std::clamp(y, 0, std::max(0, static_cast<int>(s.cy) - h));
        r = {x, y, x + w, y + h};
    }
    if (object) ws.pendingAttach = object;
    const HWND dlg = CreateWindowEx(exStyle, className.c_str(), t.caption.c_str(), style, r.left, r.top,
                                    r.right - r.left, r.bottom - r.top, parentOrOwner, 0, nullptr, nullptr);
    if (!dlg) return {};
    Window& dw = ws.require(dlg);
    if (!dw.dialog) dw.dialog = std::make_unique<DialogInfo>();
    dw.dialog->templateId = t.id;

    HFONT font = gfx::defaultGuiFont();
    if (!t.fontFace.empty()) {
        LOGFONT lf;
        lf.lfHeight = -(t.fontPoints * 96 + 36) / 72;
        lf.lfFaceName = t.fontFace;
        font = CreateFontIndirect(lf);
        dw.dialog->ownedFont = font;
    }
    SendMessage(dlg, WM_SETFONT, static_cast<WPARAM>(font.value()), FALSE);

    bool defaultSet = false;
    for (const ControlTemplate& c : t.controls) {
        const HWND ctl = CreateWindowEx(c.exStyle, c.className.c_str(), c.text.c_str(), c.style | WS_CHILD,
                                        c.rect.left, c.rect.top, c.rect.right - c.rect.left,
                                        c.rect.bottom - c.rect.top, dlg, c.id, nullptr, nullptr);
        if (!ws.find(dlg)) return {};
        if (!ctl) continue;  // a class nobody registered: the dialog goes on without it, as the platform does
        SendMessage(ctl, WM_SETFONT, static_cast<WPARAM>(font.value()), FALSE);
        if (!defaultSet && ws.find(ctl)->cls->name == "BUTTON" && (c.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            ws.require(dlg).dialog->defId = c.id;
            defaultSet = true;
        }
    }
    const HWND first = GetNextDlgTabItem(dlg, HWND(), FALSE);
    if (SendMessage(dlg, WM_INITDIALOG, HandleToParam(first), initParam) && ws.find(dlg)) {
        // The dialog asked for the default focus: the first control in tab order.
        const HWND target = GetNextDlgTabItem(dlg, HWND(), FALSE);
        if (target && !(dialogInfo(dlg) && dialogInfo(dlg)->ended)) setDialogFocus(target);
    }
    if (!ws.find(dlg)) return {};
    if (showAfter && !(dialogInfo(dlg)->ended)) ShowWindow(dlg, SW_SHOW);
    return dlg;
}

}  // namespace vtl::win::detail

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
    auto& ws = WindowSystem::get();
    if (!ws.find(dialog)) return {};
    std::vector<HWND> all;
    flattenControls(ws, dialog, all);
    auto candidate = [&](HWND h) {
        Window* w = ws.find(h);
        return w && (w->style & WS_TABSTOP) && canTakeFocus(ws, h);
    };
    if (all.empty()) return {};
    const auto n = static_cast<std::ptrdiff_t>(all.size());
    std::ptrdiff_t start;
    // A control's own child (a combo box's edit) stands for the control.
    auto pos = std::find(all.begin(), all.end(), control);
    for (Window* c = ws.find(control); pos == all.end() && c && c->isChild() && c->parent != dialog;) {
        control = c->parent;
        pos = std::find(all.begin(), all.end(), control);
        c = ws.find(control);
    }
    if (!control || pos == all.end()) {
        // No current control: the first (or last) tab stop.
        start = previous ? 0 : n - 1;
    } else {
        start = pos - all.begin();
    }
    for (std::ptrdiff_t step = 1; step <= n; ++step) {
        const std::ptrdiff_t i = ((start + (previous ? -step : step)) % n + n) % n;
        if (candidate(all[static_cast<std::size_t>(i)])) return all[static_cast<std::size_t>(i)];
    }
    return (control && pos != all.end()) ? control : HWND();
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
    auto& ws = WindowSystem::get();
    Window* c = ws.find(control);
    if (!ws.find(dialog) || !c || !c->isChild()) return {};
    const auto& siblings = ws.require(c->parent).children;
    const auto pos = std::find(siblings.begin(), siblings.end(), control);
    // The group runs from the sibling with WS_GROUP at or before the control to the next WS_GROUP.
    auto first = pos;
    while (first != siblings.begin() && !(ws.require(*first).style & WS_GROUP)) --first;
    auto last = pos + 1;
    while (last != siblings.end() && !(ws.require(*last).style & WS_GROUP)) ++last;
    std::vector<HWND> group(first, last);
    const auto n = static_cast<std::ptrdiff_t>(group.size());
    const std::ptrdiff_t start = std::find(group.begin(), group.end(), control) - group.begin();
    for (std::ptrdiff_t step = 1; step <= n; ++step) {
        const std::ptrdiff_t i = ((start + (previous ? -step : step)) % n + n) % n;
        if (canTakeFocus(ws, group[static_cast<std::size_t>(i)])) return group[static_cast<std::size_t>(i)];
    }
    return control;
}

LRESULT DefDlgProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto& ws = WindowSystem::get();
    Window* w = ws.find(h);
    if (!w) return 0;
    DialogInfo* info = w->dialog.get();
    switch (msg) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_CLOSE: {
        // Closing is Cancel, unless the Cancel button is there and disabled.
        const HWND cancel = GetDlgItem(h, IDCANCEL);
        if (!cancel || IsWindowEnabled(cancel))
            SendMessage(h, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), HandleToParam(cancel));
        return 0;
    }
    case DM_GETDEFID:
        return (info && info->defId) ? static_cast<LRESULT>(MAKELONG(static_cast<WORD>(info->defId), DC_HASDEFID))
                                     : 0;
    case DM_SETDEFID:
        if (info) info->defId = static_cast<int>(wParam);
        return TRUE;
    case WM_ACTIVATE:
        if (!info) break;
        if (LOWORD(wParam) == WA_INACTIVE) {
            if (ws.focus && ws.isDescendant(h, ws.focus)) info->focusSave = ws.focus;
        } else if (!ws.suppressDialogFocusRestore) {
            HWND target = info->focusSave;
            if (!target || !ws.isDescendant(h, target) || !canTakeFocus(ws, target))
                target = GetNextDlgTabItem(h, HWND(), FALSE);
            if (target) setDialogFocus(target);
        }
        return 0;
    case WM_SETFOCUS: {
        // The dialog itself got the focus: hand it to its remembered control, or the first one.
        if (!info) break;
        HWND target = info->focusSave;
        if (!target || !ws.isDescendant(h, target) || !canTakeFocus(ws, target))
            target = GetNextDlgTabItem(h, HWND(), FALSE);
        if (target) setDialogFocus(target);
        return 0;
    }
    case WM_NEXTDLGCTL: {
        HWND target = lParam ? ParamToHandle(static_cast<LONG_PTR>(wParam))
                             : GetNextDlgTabItem(navigationRoot(ws, h), ws.focus, wParam != 0);
        if (target) setDialogFocus(target);
        return 0;
    }
    default:
        break;
    }
    return DefWindowProc(h, msg, wParam, lParam);
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
    auto& ws = WindowSystem::get();
    DialogInfo* info = dialogInfo(dialog);
    if (!info) return FALSE;
    info->ended = true;
    info->result = result;
    // The owner is enabled before the dialog hides, so the activation goes back to it.
    if (info->reenableOwner) {
        const HWND owner = info->reenableOwner;
        info->reenableOwner = HWND();
        EnableWindow(owner, TRUE);
    }
    if (ws.find(dialog)) ShowWindow(dialog, SW_HIDE);
    return TRUE;
}

BOOL IsDialogMessage(HWND dialog, MSG* msg) {
    auto& ws = WindowSystem::get();
    if (!msg || !ws.find(dialog)) return FALSE;
    if (msg->hwnd != dialog && !ws.isDescendant(dialog, msg->hwnd)) return FALSE;
    const HWND root = navigationRoot(ws, dialog);
    if (msg->message == WM_KEYDOWN) {
        const LRESULT code = SendMessage(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg));
        if (!(code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE))) {
            switch (msg->wParam) {
            case VK_TAB:
                if (!(code & DLGC_WANTTAB)) {
                    const bool back = GetKeyState(VK_SHIFT) < 0;
                    if (const HWND next = GetNextDlgTabItem(root, ws.focus, back ? TRUE : FALSE)) setDialogFocus(next);
                    return TRUE;
                }
                break;
            case VK_LEFT:
            case VK_UP:
            case VK_RIGHT:
            case VK_DOWN:
                if (!(code & DLGC_WANTARROWS) && ws.focus && ws.isDescendant(root, ws.focus)) {
                    const bool back = msg->wParam == VK_LEFT || msg->wParam == VK_UP;
                    const HWND next = GetNextDlgGroupItem(root, ws.focus, back ? TRUE : FALSE);
                    if (next && next != ws.focus) {
                        SetFocus(next);
                        // Moving onto an automatic radio button checks it, as a click would.
                        if (SendMessage(next, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)
                            SendMessage(next, BM_CLICK, 0, 0);
                    }
                    return TRUE;
                }
                break;
            case VK_RETURN: {
                // Enter on a focused push button presses that button.
                const HWND focus = ws.focus;
                if (focus && ws.isDescendant(root, focus) &&
                    (SendMessage(focus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
                    SendMessage(GetParent(focus), WM_COMMAND,
                                MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(focus)), BN_CLICKED), HandleToParam(focus));
                    return TRUE;
                }
                const LRESULT def = SendMessage(root, DM_GETDEFID, 0, 0);
                if (HIWORD(static_cast<DWORD_PTR>(def)) == DC_HASDEFID) {
                    const int id = LOWORD(static_cast<DWORD_PTR>(def));
                    const HWND button = GetDlgItem(root, id);
                    if (!button || IsWindowEnabled(button))
                        SendMessage(root, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED), HandleToParam(button));
                } else {
                    SendMessage(root, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), HandleToParam(GetDlgItem(root, IDOK)));
                }
                return TRUE;
            }
            case VK_ESCAPE:
                SendMessage(root, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), HandleToParam(GetDlgItem(root, IDCANCEL)));
                return TRUE;
            default:
                break;
            }
        }
    }
    DispatchMessage(msg);
    return TRUE;
}
