// The input layer: turns a person's events into the messages the platform would send, with hit testing,
// capture, click activation, the frame's caption and borders, pre-translation and dispatch.
#include "win/input.h"

#include <set>

#include "pump_internal.h"
#include "window_system.h"
#include "win/window_tree.h"
#include "win/keys.h"

namespace vtl::win {
namespace detail {
namespace {
std::set<UINT>& keysDown() {
    static std::set<UINT> keys;
    return keys;
}

// Moving or sizing a top-level window by its caption or border, until the button is released.
struct FrameDrag {
    enum class Mode { None, Move, Size, CloseBox } mode = Mode::None;
    HWND window;
    POINT start;
    RECT startRect;
    int edges = 0;  // 1 left, 2 top, 4 right, 8 bottom
};
FrameDrag& frameDrag() {
    static FrameDrag d;
    return d;
}

unsigned modifierState() {
    auto& ws = WindowSystem::get();
    return ws.heldModifiers | ws.eventModifiers;
}

// The buttons held while a mouse message is delivered (a button pressed by the event counts, one released
// by it does not) and the held Shift and Ctrl.
WPARAM mouseKeyFlags() {
    WPARAM flags = 0;
    if (keyIsDown(VK_LBUTTON)) flags |= MK_LBUTTON;
    if (keyIsDown(VK_RBUTTON)) flags |= MK_RBUTTON;
    if (keyIsDown(VK_MBUTTON)) flags |= MK_MBUTTON;
    if (modifierState() & ModShift) flags |= MK_SHIFT;
    if (modifierState() & ModCtrl) flags |= MK_CONTROL;
    return flags;
}

// The virtual key of a mouse button.
UINT buttonKey(InputEvent::Button b) {
    switch (b) {
    case InputEvent::Button::Left: return VK_LBUTTON;
    case InputEvent::Button::Right: return VK_RBUTTON;
    case InputEvent::Button::Middle: return VK_MBUTTON;
    }
    return VK_LBUTTON;
}

bool inside(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

// Non-client handling of a top-level window: close box, caption (move) and thick border (size).
bool handleFrameMouse(WindowSystem& ws, HWND top, const InputEvent& e) {
    Window* w = ws.find(top);
    auto& drag = frameDrag();
    const POINT p{e.x, e.y};
    if (e.kind == InputEvent::Kind::MouseDown && e.button == InputEvent::Button::Left) {
        const RECT r = ws.screenRect(*w);
        const Insets in = ws.nonClientInsets(*w);
        const RECT client{r.left + in.left, r.top + in.top, r.right - in.right, r.bottom - in.bottom};
        if (inside(client, p) || !inside(r, p)) return false;
        if (ws.active != top) ws.setActive(top);
        if ((w->style & WS_CAPTION) == WS_CAPTION && (w->style & WS_SYSMENU) && inside(closeBoxRect(top), p)) {
            drag = {FrameDrag::Mode::CloseBox, top, p, r, 0};
            return true;
        }
        int edges = 0;
        if (w->style & WS_THICKFRAME) {
            if (p.x < r.left + in.left) edges |= 1;
            if (p.x >= r.right - in.right) edges |= 4;
            if (p.y < r.top + std::min(in.left, in.top)) edges |= 2;
            if (p.y >= r.bottom - in.bottom) edges |= 8;
        }
        drag = {edges ? FrameDrag::Mode::Size : FrameDrag::Mode::Move, top, p, r, edges};
        return true;
    }
    return false;
}

bool continueFrameDrag(WindowSystem& ws, const InputEvent& e) {
    auto& drag = frameDrag();
    if (drag.mode == FrameDrag::Mode::None) return false;
    if (!ws.find(drag.window)) {
        drag.mode = FrameDrag::Mode::None;
        return false;
    }
    const int dx = e.x - drag.start.x, dy = e.y - drag.start.y;
    const RECT s = drag.startRect;
    if (e.kind == InputEvent::Kind::MouseMove || e.kind == InputEvent::Kind::MouseUp) {
        if (drag.mode == FrameDrag::Mode::Move) {
            SetWindowPos(drag.window, HWND(), s.left + dx, s.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        } else if (drag.mode == FrameDrag::Mode::Size) {
            RECT r = s;
            if (drag.edges & 1) r.left += dx;
            if (drag.edges & 2) r.top += dy;
            if (drag.edges & 4) r.right += dx;
            if (drag.edges & 8) r.bottom += dy;
            SetWindowPos(drag.window, HWND(), r.left, r.top, r.right - r.left, r.bottom - r.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            // A minimum tracking size keeps the opposite edge where it was.
            if (Window* w = ws.find(drag.window); w && (drag.edges & (1 | 2))) {
                RECT now = w->rect;
                int x = now.left, y = now.top;
                if (drag.edges & 1) x = r.right - (now.right - now.left);
                if (drag.edges & 2) y = r.bottom - (now.bottom - now.top);
                if (x != now.left || y != now.top)
                    SetWindowPos(drag.window, HWND(), x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
        }
    }
    if (e.kind == InputEvent::Kind::MouseUp) {
        const FrameDrag ended = drag;
        drag.mode = FrameDrag::Mode::None;
        if (ended.mode == FrameDrag::Mode::CloseBox && inside(closeBoxRect(ended.window), POINT{e.x, e.y}))
            SendMessage(ended.window, WM_SYSCOMMAND, SC_CLOSE, MAKEPOINTLPARAM(e.x, e.y));
    }
    return true;
}

void deliverMouse(const InputEvent& e) {
    auto& ws = WindowSystem::get();
    ws.cursor = {e.x, e.y};
    if (continueFrameDrag(ws, e)) return;
    HWND target = ws.capture ? ws.capture : ws.hitTest(ws.cursor);
    if (!target) return;
    const HWND top = ws.root(target);
    Window* topWindow = ws.find(top);
    // A disabled top-level window (the owner of a modal dialog) takes no mouse input.
    if (!topWindow || !topWindow->enabledFlag()) return;
    if (!ws.capture && target == top && handleFrameMouse(ws, top, e)) return;
    const bool down = e.kind == InputEvent::Kind::MouseDown || e.kind == InputEvent::Kind::DoubleClick;
    if (down && ws.active != top) {
        // Pop-ups such as menus and dropped lists answer that a click does not activate them.
        const LRESULT ma = SendMessage(top, WM_MOUSEACTIVATE, HandleToParam(top), 0);
        if (ma != MA_NOACTIVATE && ma != MA_NOACTIVATEANDEAT) ws.setActive(top);
        if (!ws.find(target)) return;
        if (ma == MA_ACTIVATEANDEAT || ma == MA_NOACTIVATEANDEAT) return;
    }
    UINT msg = WM_MOUSEMOVE;
    // Each button's down, up and double-click messages, in that order.
    const UINT first = e.button == InputEvent::Button::Left    ? WM_LBUTTONDOWN
                       : e.button == InputEvent::Button::Right ? WM_RBUTTONDOWN
                                                               : WM_MBUTTONDOWN;
    switch (e.kind) {
    case InputEvent::Kind::MouseDown:
        msg = first;
        break;
    case InputEvent::Kind::MouseUp:
        msg = first + 1;
        break;
    case InputEvent::Kind::DoubleClick: {
        Window* tw = ws.find(target);
        const bool wantsDouble = tw && (tw->cls->style & CS_DBLCLKS);
        msg = wantsDouble ? first + 2 : first;
        break;
    }
    case InputEvent::Kind::Wheel:
        msg = WM_MOUSEWHEEL;
        break;
    default:
        break;
    }
    POINT client{e.x, e.y};
    WPARAM wParam = mouseKeyFlags();
    LPARAM lParam;
    if (msg == WM_MOUSEWHEEL) {
        target = ws.focus ? ws.focus : target;
        wParam |= static_cast<WPARAM>(static_cast<WORD>(static_cast<short>(e.wheelDelta))) << 16;
        lParam = MAKEPOINTLPARAM(e.x, e.y);
    } else {
        ScreenToClient(target, &client);
        lParam = MAKEPOINTLPARAM(client.x, client.y);
    }
    MSG m;
    m.hwnd = target;
    m.message = msg;
    m.wParam = wParam;
    m.lParam = lParam;
    m.time = static_cast<DWORD>(nowMs());
    m.pt = ws.cursor;
    dispatchInputMessage(m);
}

void deliverKey(const InputEvent& e) {
    auto& ws = WindowSystem::get();
    const HWND target = ws.focus ? ws.focus : ws.active;
    if (!target) return;
    MSG m;
    m.hwnd = target;
    m.time = static_cast<DWORD>(nowMs());
    m.pt = ws.cursor;
    switch (e.kind) {
    case InputEvent::Kind::KeyDown:
        m.message = WM_KEYDOWN;
        m.wParam = e.vkey;
        m.lParam = 1;
        break;
    case InputEvent::Kind::KeyUp:
        m.message = WM_KEYUP;
        m.wParam = e.vkey;
        m.lParam = static_cast<LPARAM>(0xC0000001u);
        break;
    default:
        m.message = WM_CHAR;
        m.wParam = e.ch;
        m.lParam = 1;
        break;
    }
    dispatchInputMessage(m);
}

unsigned modifierOfKey(UINT vk) {
    if (vk == VK_SHIFT) return ModShift;
    if (vk == VK_CONTROL) return ModCtrl;
    if (vk == VK_MENU) return ModAlt;
    return 0;
}
}  // namespace

bool keyIsDown(UINT vk) {
    const unsigned mods = modifierState();
    if (vk == VK_SHIFT) return mods & ModShift;
    if (vk == VK_CONTROL) return mods & ModCtrl;
    if (vk == VK_MENU) return mods & ModAlt;
    return keysDown().count(vk) != 0;
}

void setKeyDown(UINT vk, bool down) {
    if (down) {
        keysDown().insert(vk);
    } else {
        keysDown().erase(vk);
    }
}

void clearKeys() {
    keysDown().clear();
    frameDrag() = {};
    auto& ws = WindowSystem::get();
    ws.heldModifiers = 0;
    ws.eventModifiers = 0;
}
}  // namespace detail

InputEvent InputEvent::mouse(Kind kind, int x, int y, Button button, unsigned modifiers) {
    InputEvent e;
    e.kind = kind;
    e.x = x;
    e.y = y;
    e.button = button;
    e.modifiers = modifiers;
    return e;
}

InputEvent InputEvent::key(Kind kind, UINT vkey, unsigned modifiers) {
    InputEvent e;
    e.kind = kind;
    e.vkey = vkey;
    e.modifiers = modifiers;
    return e;
}

InputEvent InputEvent::character(char32_t ch) {
    InputEvent e;
    e.kind = Kind::Char;
    e.ch = ch;
    return e;
}

std::string InputEvent::describe() const {
    const char* names[] = {"mousedown", "mouseup", "mousemove", "doubleclick", "keydown", "keyup", "char", "wheel"};
    std::string s = names[static_cast<int>(kind)];
    switch (kind) {
    case Kind::KeyDown:
    case Kind::KeyUp:
        return s + " " + std::to_string(vkey);
    case Kind::Char:
        return s + " " + std::to_string(static_cast<unsigned>(ch));
    default:
        return s + " " + std::to_string(x) + "," + std::to_string(y);
    }
}

void deliverInput(const InputEvent& event) {
    using namespace detail;
    auto& ws = WindowSystem::get();
    rememberUiThread();
    ws.eventModifiers = event.modifiers;
    switch (event.kind) {
    case InputEvent::Kind::KeyDown:
        if (const unsigned m = modifierOfKey(event.vkey)) ws.heldModifiers |= m;
        setKeyDown(event.vkey, true);
        deliverKey(event);
        break;
    case InputEvent::Kind::KeyUp:
        if (const unsigned m = modifierOfKey(event.vkey)) ws.heldModifiers &= ~m;
        setKeyDown(event.vkey, false);
        deliverKey(event);
        break;
    case InputEvent::Kind::Char:
        deliverKey(event);
        break;
    default: {
        const UINT vk = buttonKey(event.button);
        if (event.kind == InputEvent::Kind::MouseDown || event.kind == InputEvent::Kind::DoubleClick) setKeyDown(vk, true);
        if (event.kind == InputEvent::Kind::MouseUp) setKeyDown(vk, false);
        deliverMouse(event);
        break;
    }
    }
    ws.eventModifiers = 0;
}

POINT clickPoint(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

RECT closeBoxRect(HWND topLevel) {
    RECT r{};
    GetWindowRect(topLevel, &r);
    return {r.right - 5 - 18, r.top + 3, r.right - 5 - 2, r.top + 17};
}

}  // namespace vtl::win
