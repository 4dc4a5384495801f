// The "tooltips_class32" class: keeps the tip text of each tool (a window, or an id within a window) and,
// fed the tools' mouse messages (TTM_RELAYEVENT), shows a tool's text near the cursor once it has rested
// on the tool for the delay; the tip goes when the cursor leaves the tool, on a click or a key.
#include <algorithm>

#include "json_writer.h"
#include "look.h"
#include "text_metrics.h"
#include "win/keys.h"
#include "window_system.h"

namespace vtl::win::detail {
namespace {
constexpr UINT_PTR kDelayTimer = 1;
constexpr UINT_PTR kLeaveTimer = 2;
constexpr UINT kLeaveCheckMs = 100;

struct ToolTipState : ControlState {
    std::vector<TOOLINFO> tools;
    bool active = true;
    UINT delay = 500;
    HWND pending;  // the tool the cursor rests on, waiting for the delay
    HWND shown;    // the tool whose text is shown
    std::string text;
    bool paint(const Window& w, PaintContext& pc) const override {
        const SIZE cs = WindowSystem::get().clientSize(w);
        pc.list.fillRect({0, 0, cs.cx, cs.cy}, sys(COLOR_INFOBK));
        pc.list.frameRect({0, 0, cs.cx, cs.cy}, sys(COLOR_WINDOWFRAME));
        label(pc.list, {4, 2, cs.cx - 4, cs.cy - 2}, text, pc.font, sys(COLOR_INFOTEXT), DT_LEFT | DT_NOPREFIX);
        return true;
    }
    void describe(JsonWriter& j) const override {
        j.key("active").value(active);
        j.key("tools").beginArray();
        for (const auto& t : tools) j.value(t.text);
        j.endArray();
    }
};

ToolTipState& stateOf(Window& w) {
    if (!w.state) w.state = std::make_unique<ToolTipState>();
    return static_cast<ToolTipState&>(*w.state);
}

void hideTip(HWND h, ToolTipState& s) {
    KillTimer(h, kDelayTimer);
    KillTimer(h, kLeaveTimer);
    s.pending = s.shown = HWND();
    if (IsWindowVisible(h)) ShowWindow(h, SW_HIDE);
}

bool cursorOver(HWND tool) {
    POINT p;
    GetCursorPos(&p);
    const HWND under = WindowFromPoint(p);
    return under && (under == tool || IsChild(tool, under));
}
}  // namespace

LRESULT ToolTipProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto& ws = WindowSystem::get();
    Window* w = ws.find(h);
    if (!w) return 0;
    ToolTipState& s = stateOf(*w);
    auto* info = reinterpret_cast<TOOLINFO*>(lParam);
    auto tool = [&] {
        return std::find_if(s.tools.begin(), s.tools.end(),
                            [&](const TOOLINFO& t) { return info && t.hwnd == info->hwnd && t.uId == info->uId; });
    };
    switch (msg) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case TTM_ADDTOOL:
        if (!info) return FALSE;
        if (auto it = tool(); it != s.tools.end()) {
            it->text = info->text;
        } else {
            s.tools.push_back(*info);
        }
        ws.touch();
        return TRUE;
    case TTM_DELTOOL:
        if (auto it = tool(); it != s.tools.end()) s.tools.erase(it);
        ws.touch();
        return 0;
    case TTM_UPDATETIPTEXT:
        if (auto it = tool(); it != s.tools.end()) {
            it->text = info->text;
            ws.touch();
        }
        return 0;
    case TTM_GETTEXT:
        if (auto it = tool(); it != s.tools.end()) info->text = it->text;
        else if (info) info->text.clear();
        return 0;
    case TTM_GETTOOLCOUNT:
        return static_cast<LRESULT>(s.tools.size());
    case TTM_ACTIVATE:
        s.active = wParam != 0;
        if (!s.active) hideTip(h, s);
        ws.touch();
        return 0;
    case TTM_SETDELAYTIME:
        s.delay = static_cast<UINT>(std::max<LPARAM>(lParam, 1));
        return 0;
    case TTM_RELAYEVENT: {
        const MSG* m = reinterpret_cast<const MSG*>(lParam);
        if (!m || !s.active) return 0;
        if (m->message == WM_MOUSEMOVE) {
            const bool isTool = std::any_of(s.tools.begin(), s.tools.end(), [&](const TOOLINFO& t) {
                return t.uId == static_cast<UINT_PTR>(m->hwnd.value()) || (t.hwnd == m->hwnd && t.uId == 0);
            });
            if (!isTool || m->hwnd == s.shown || m->hwnd == s.pending) return 0;
            hideTip(h, s);
            s.pending = m->hwnd;
            SetTimer(h, kDelayTimer, s.delay, nullptr);
        } else if ((m->message >= WM_LBUTTONDOWN && m->message <= WM_RBUTTONDBLCLK) || m->message == WM_KEYDOWN ||
                   m->message == WM_MOUSEWHEEL) {
            hideTip(h, s);
        }
        return 0;
    }
    case WM_TIMER:
        if (wParam == kDelayTimer) {
            KillTimer(h, kDelayTimer);
            const HWND tool = s.pending;
            s.pending = HWND();
            const auto it = std::find_if(s.tools.begin(), s.tools.end(), [&](const TOOLINFO& t) {
                return t.uId == static_cast<UINT_PTR>(tool.value()) || (t.hwnd == tool && t.uId == 0);
            });
            if (it == s.tools.end() || it->text.empty() || !IsWindow(tool) || !cursorOver(tool)) return 0;
            s.text = it->text;
            s.shown = tool;
            POINT p;
            GetCursorPos(&p);
            const SIZE text = measureText(w->font, s.text);
            MoveWindow(h, p.x, p.y + 20, text.cx + 8, text.cy + 4, TRUE);
            ShowWindow(h, SW_SHOWNA);
            SetTimer(h, kLeaveTimer, kLeaveCheckMs, nullptr);
            ws.touch();
        } else if (wParam == kLeaveTimer) {
            if (!IsWindow(s.shown) || !cursorOver(s.shown)) hideTip(h, s);
        }
        return 0;
    case WM_DESTROY:
        KillTimer(h, kDelayTimer);
        KillTimer(h, kLeaveTimer);
        return DefWindowProc(h, msg, wParam, lParam);
    default:
        return DefWindowProc(h, msg, wParam, lParam);
    }
}

}  // namespace vtl::win::detail
