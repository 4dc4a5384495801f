// The "tooltips_class32" class: keeps the tip text of each tool (a window, or an id within a window).
#include <algorithm>

#include "json_writer.h"
#include "window_system.h"

namespace vtl::win::detail {
namespace {
struct ToolTipState : ControlState {
    std::vector<TOOLINFO> tools;
    bool active = true;
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
        ws.touch();
        return 0;
    case TTM_SETDELAYTIME:
        return 0;
    default:
        return DefWindowProc(h, msg, wParam, lParam);
    }
}

}  // namespace vtl::win::detail
