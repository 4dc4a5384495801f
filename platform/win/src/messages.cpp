// Sending, posting and dispatching messages, and the default behaviours every class falls back on.
#include <algorithm>
#include <cstring>
#include <deque>

#include "deferred_delete.h"
#include "gdi_state.h"
#include "pump_internal.h"
#include "utf8.h"
#include "window_system.h"
#include "win/testing.h"
#include "wnd_access.h"

using namespace vtl::win::detail;

namespace {
// A notification from a window being destroyed is dropped: WM_COMMAND names its control in lParam,
// WM_NOTIFY in the header.
bool fromWindowBeingDestroyed(WindowSystem& ws, UINT msg, LPARAM lp) {
    HWND from;
    if (msg == WM_COMMAND && lp != 0) {
        from = ParamToHandle(lp);
    } else if (msg == WM_NOTIFY && lp != 0) {
        from = reinterpret_cast<const NMHDR*>(lp)->hwndFrom;
    } else {
        return false;
    }
    Window* w = ws.find(from);
    return w && w->destroying;
}
}  // namespace

LRESULT SendMessage(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto& ws = WindowSystem::get();
    Window* w = ws.find(h);
    if (!w) return 0;
    if (fromWindowBeingDestroyed(ws, msg, lParam)) return 0;
    ws.touch();
    LRESULT result;
    {
        // The window stays while a message to it is handled, also when a handler throws.
        struct Busy {
            WindowSystem& ws;
            Window* w;
            explicit Busy(WindowSystem& s, Window* window) : ws(s), w(window) { ++w->busy; }
            ~Busy() {
                --w->busy;
                if (w->destroyed && w->busy == 0) ws.release(w);
            }
            Busy(const Busy&) = delete;
            Busy& operator=(const Busy&) = delete;
        } busy(ws, w);
        if (CWnd* obj = w->object) {
            result = CWndAccess::dispatch(*obj, msg, wParam, lParam);
        } else {
            result = w->cls->proc(h, msg, wParam, lParam);
        }
    }
    sweepDeferredDeletes();
    return result;
}

BOOL PostMessage(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (h && !WindowSystem::get().find(h)) return FALSE;
    MSG m;
    m.hwnd = h;
    m.message = msg;
    m.wParam = wParam;
    m.lParam = lParam;
    m.time = static_cast<DWORD>(vtl::win::nowMs());
    m.pt = WindowSystem::get().cursor;
    postedMessages().push_back(m);
    return TRUE;
}

LRESULT DispatchMessage(const MSG* msg) {
    if (!msg) return 0;
    if (msg->message == WM_TIMER && msg->lParam != 0) {
        reinterpret_cast<TIMERPROC>(msg->lParam)(msg->hwnd, WM_TIMER, msg->wParam, msg->time);
        return 0;
    }
    return SendMessage(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT CallWindowProc(WNDPROC proc, HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    return proc ? proc(h, msg, wParam, lParam) : DefWindowProc(h, msg, wParam, lParam);
}

WNDPROC GetClassWindowProc(HWND h) {
    Window* w = WindowSystem::get().find(h);
    return w ? w->cls->proc : nullptr;
}

LRESULT DefWindowProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto& ws = WindowSystem::get();
    Window* w = ws.find(h);
    if (!w) return 0;
    switch (msg) {
    case WM_NCCREATE:
        return TRUE;
    case WM_SETTEXT:
        w->text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        ws.touch();
        return TRUE;
    case WM_GETTEXTLENGTH:
        return codePointCount(w->text);
    case WM_GETTEXT: {
        // Copies at most wParam - 1 bytes, never splitting a character; answers the bytes copied.
        if (wParam == 0 || lParam == 0) return 0;
        char* out = reinterpret_cast<char*>(lParam);
        std::size_t n = std::min<std::size_t>(w->text.size(), wParam - 1);
        while (n > 0 && n < w->text.size() && (static_cast<unsigned char>(w->text[n]) & 0xC0) == 0x80) --n;
        std::memcpy(out, w->text.data(), n);
        out[n] = '\0';
        return static_cast<LRESULT>(n);
    }
    case WM_SETFONT:
        w->font = HFONT(static_cast<int>(wParam));
        return 0;
    case WM_GETFONT:
        return w->font.value();
    case WM_CLOSE:
        DestroyWindow(h);
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) SendMessage(h, WM_CLOSE, 0, 0);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !(ws.focus && ws.root(ws.focus) == h)) SetFocus(h);
        return 0;
    case WM_MOUSEACTIVATE:
        return MA_ACTIVATE;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(h, &ps);
        EndPaint(h, &ps);
        return 0;
    }
    case WM_CTLCOLORSTATIC:
        // Labels get the button face behind them and the window text colour.
        if (DeviceContext* d = dcOf(HDC(static_cast<int>(wParam)))) {
            d->state.background = GetSysColor(COLOR_BTNFACE);
            d->state.text = GetSysColor(COLOR_WINDOWTEXT);
        }
        return GetSysColorBrush(COLOR_BTNFACE).value();
    default:
        return 0;
    }
}

BOOL RegisterClass(const WNDCLASS& wc) {
    if (!wc.lpszClassName || !wc.lpfnWndProc) return FALSE;
    auto& ws = WindowSystem::get();
    if (ws.findClass(wc.lpszClassName)) return FALSE;
    WindowClass cls;
    cls.name = wc.lpszClassName;
    cls.style = wc.style;
    cls.proc = wc.lpfnWndProc;
    cls.wndExtraBytes = std::max(0, wc.cbWndExtra);
    cls.instance = wc.hInstance;
    ws.registerClass(std::move(cls));
    return TRUE;
}

BOOL GetClassInfo(HINSTANCE, const char* className, WNDCLASS* out) {
    if (!className || !out) return FALSE;
    const WindowClass* cls = WindowSystem::get().findClass(className);
    if (!cls) return FALSE;
    out->style = cls->style;
    out->lpfnWndProc = cls->proc;
    out->cbClsExtra = 0;
    out->cbWndExtra = cls->wndExtraBytes;
    out->hInstance = cls->instance;
    out->lpszClassName = cls->name.c_str();
    return TRUE;
}

BOOL UnregisterClass(const char* className, HINSTANCE) {
    if (!className) return FALSE;
    auto& ws = WindowSystem::get();
    WindowClass* cls = ws.findClass(className);
    if (!cls) return FALSE;
    for (auto& [_, w] : ws.windows)
        if (w->cls == cls) return FALSE;  // still in use
    ws.classes.erase(lowerAscii(className));
    return TRUE;
}

HWND CreateWindowEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, int id, HINSTANCE instance, void* param) {
    auto& ws = WindowSystem::get();
    WindowClass* cls = className ? ws.findClass(className) : nullptr;
    if (!cls) {
        ws.pendingAttach = nullptr;
        return {};
    }
    if ((style & WS_CHILD) && !ws.find(parent)) {
        ws.pendingAttach = nullptr;
        return {};
    }
    CREATESTRUCT cs;
    cs.lpCreateParams = param;
    cs.hInstance = instance;
    cs.id = id;
    cs.hwndParent = parent;
    cs.x = x;
    cs.y = y;
    cs.cx = width;
    cs.cy = height;
    cs.style = style;
    cs.dwExStyle = exStyle;
    cs.lpszName = windowName;
    cs.lpszClass = className;
    return ws.create(cs, *cls);
}

namespace {
HWND& refusedDestroy() {
    static HWND refused;
    return refused;
}
}  // namespace

namespace vtl::win::testing {
void refuseNextDestroy(HWND h) { refusedDestroy() = h; }
}  // namespace vtl::win::testing

BOOL DestroyWindow(HWND h) {
    // A test may make one destroy fail, as the platform's can (a window of another thread, a hook).
    if (h && refusedDestroy() == h) {
        refusedDestroy() = HWND();
        return FALSE;
    }
    return WindowSystem::get().destroy(h) ? TRUE : FALSE;
}

BOOL IsWindow(HWND h) { return WindowSystem::get().find(h) ? TRUE : FALSE; }

std::string GetClassName(HWND h) {
    Window* w = WindowSystem::get().find(h);
    return w ? w->cls->name : std::string();
}
