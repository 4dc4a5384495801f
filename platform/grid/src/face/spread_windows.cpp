#include "face/spread_windows.h"

#include <memory>
#include <unordered_map>

#include "face/spread.h"
#include "grid/spread.h"
#include "win/api.h"
#include "win/gdi.h"
#include "win/keys.h"

namespace vtl::grid {
namespace {
WNDPROC gEditProc = nullptr;

std::unordered_map<HWND, std::unique_ptr<Spread>>& owned() {
    static std::unordered_map<HWND, std::unique_ptr<Spread>> spreads;
    return spreads;
}

bool down(int key) { return GetKeyState(key) < 0; }

LRESULT SpreadProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        owned()[h] = std::make_unique<Spread>(h);
        return DefWindowProc(h, msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) {
        owned().erase(h);
        return DefWindowProc(h, msg, wParam, lParam);
    }
    Spread* s = Spread::from(h);
    if (!s || s->window() != h) return DefWindowProc(h, msg, wParam, lParam);
    const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (msg) {
    case WM_GETDLGCODE:
        // An open list takes Enter and Escape too.
        return DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB | (s->dropList() ? DLGC_WANTALLKEYS : 0);
    case WM_SETFOCUS:
        s->gotFocus();
        return 0;
    case WM_KILLFOCUS:
        s->lostFocus(ParamToHandle(static_cast<LONG_PTR>(wParam)));
        return 0;
    case WM_ENABLE:
        if (!wParam && s->editing()) s->endEdit(true);
        if (Spread* again = Spread::from(h)) again->repaint();
        return 0;
    case WM_SIZE:
        if (s->editor()) s->placeEditor();
        s->repaint();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        s->mouseDown(p, msg == WM_RBUTTONDOWN, (wParam & MK_SHIFT) != 0, (wParam & MK_CONTROL) != 0);
        return 0;
    case WM_LBUTTONUP:
        s->mouseUp(p);
        return 0;
    case WM_LBUTTONDBLCLK:
        s->doubleClick(p);
        return 0;
    case WM_MOUSEMOVE:
        s->mouseMove(p, (wParam & MK_LBUTTON) != 0);
        return 0;
    case WM_MOUSEWHEEL: {
        s->hideTip(false);
        const int delta = static_cast<std::int16_t>(HIWORD(wParam));
        s->scrollBy(0, delta > 0 ? -3 : 3);
        return 0;
    }
    case WM_TIMER:
        s->timer(static_cast<UINT_PTR>(wParam));
        return 0;
    case WM_CAPTURECHANGED:
        if (ParamToHandle(lParam) != h) s->captureLost();
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (s->keyDown(static_cast<UINT>(wParam), down(VK_SHIFT), down(VK_CONTROL), msg == WM_SYSKEYDOWN || down(VK_MENU)))
            return 0;
        return DefWindowProc(h, msg, wParam, lParam);
    case WM_CHAR:
        s->character(static_cast<char32_t>(wParam));
        return 0;
    case WM_COPY:
        s->copySelection();
        return 0;
    case WM_CUT:
        s->cutSelection();
        return 0;
    case WM_PASTE:
        s->paste();
        return 0;
    case WM_CLEAR:
        s->clearSelectionCells();
        return 0;
    case WM_PAINT:
        paintSpread(h);
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the paint pass fills every pixel
    default:
        return DefWindowProc(h, msg, wParam, lParam);
    }
}

// Keys the editor leaves to its grid: leaving or ending the edit, moving between rows, the grid's
// function keys and Alt+Down. They go to the grid window so that a window subclassing the grid sees
// every key of the grid, editing or not.
bool gridKey(WPARAM key) {
    switch (key) {
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_TAB:
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
        return true;
    default:
        return key >= VK_F1 && key <= VK_F12;
    }
}

LRESULT EditorProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    Spread* s = Spread::from(h);
    if (s && (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN || msg == WM_CHAR)) s->hideTip(false);
    switch (msg) {
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB | DLGC_HASSETSEL;
    case WM_KEYDOWN:
        if (s && gridKey(wParam)) return SendMessage(s->window(), WM_KEYDOWN, wParam, lParam);
        break;
    case WM_SYSKEYDOWN:
        if (s) return SendMessage(s->window(), WM_SYSKEYDOWN, wParam, lParam);
        break;
    case WM_CHAR:
        if (wParam == '\t' || wParam == '\r' || wParam == '\n' || wParam == 0x1B) return 0;
        break;
    case WM_KILLFOCUS: {
        const LRESULT r = CallWindowProc(gEditProc, h, msg, wParam, lParam);
        if ((s = Spread::from(h))) s->lostFocus(ParamToHandle(static_cast<LONG_PTR>(wParam)));
        return r;
    }
    default:
        break;
    }
    return CallWindowProc(gEditProc, h, msg, wParam, lParam);
}

LRESULT DropListProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    Spread* s = Spread::from(h);
    if (!s) return DefWindowProc(h, msg, wParam, lParam);
    const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    RECT client;
    GetClientRect(h, &client);
    const int itemHeight = s->dropItemHeight();
    switch (msg) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_MOUSEMOVE:
        if (CRect(client).PtInRect(p) && s->dropListTop() + p.y / itemHeight != s->dropListHover()) {
            s->setDropListHover(s->dropListTop() + p.y / itemHeight);
            InvalidateRect(h, nullptr, TRUE);
        }
        return 0;
    case WM_LBUTTONDOWN:
        if (!CRect(client).PtInRect(p)) s->closeDropList(std::nullopt);
        return 0;
    case WM_LBUTTONUP:
        if (CRect(client).PtInRect(p)) s->closeDropList(s->dropListTop() + p.y / itemHeight);
        return 0;
    case WM_CAPTURECHANGED:
        if (ParamToHandle(lParam) != h && s->dropList() == h) s->closeDropList(std::nullopt);
        return 0;
    case WM_PAINT:
        paintDropList(h);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    default:
        return DefWindowProc(h, msg, wParam, lParam);
    }
}
// The text tip: shown without activation, gone as soon as the mouse moves onto it or presses on it.
LRESULT TipProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    Spread* s = Spread::from(h);
    switch (msg) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (s && s->tipWindow() == h) s->hideTip(false);
        return 0;
    case WM_PAINT:
        paintTip(h);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    default:
        return DefWindowProc(h, msg, wParam, lParam);
    }
}
}  // namespace

void registerSpreadClasses() {
    WNDCLASS wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = SpreadProc;
    wc.lpszClassName = kSpreadClassName;
    RegisterClass(wc);

    // The editor is the framework's edit control under the grid's name, with the grid's keys.
    WNDCLASS edit;
    if (GetClassInfo(nullptr, "EDIT", &edit)) {
        gEditProc = edit.lpfnWndProc;
        edit.lpfnWndProc = EditorProc;
        edit.lpszClassName = kEditorClassName;
        RegisterClass(edit);
    }

    WNDCLASS list;
    list.lpfnWndProc = DropListProc;
    list.lpszClassName = kDropListClassName;
    RegisterClass(list);

    WNDCLASS tip;
    tip.lpfnWndProc = TipProc;
    tip.lpszClassName = kTipClassName;
    RegisterClass(tip);
}

void registerSpreadClass() { registerSpreadClasses(); }

}  // namespace vtl::grid
