// The window tree as JSON.
#include "win/window_tree.h"

#include "json_writer.h"
#include "window_system.h"

namespace vtl::win {
namespace {
using detail::JsonWriter;
using detail::Window;
using detail::WindowSystem;

void writeRect(JsonWriter& j, const RECT& r) {
    j.beginArray().value(static_cast<int>(r.left)).value(static_cast<int>(r.top)).value(static_cast<int>(r.right))
        .value(static_cast<int>(r.bottom)).endArray();
}

void writeWindow(JsonWriter& j, WindowSystem& ws, const Window& w) {
    j.beginObject();
    j.key("handle").value(w.handle.value());
    j.key("class").value(w.cls->name);
    j.key("id").value(w.id);
    j.key("text").value(w.text);
    j.key("rect");
    writeRect(j, ws.screenRect(w));
    const SIZE cs = ws.clientSize(w);
    j.key("client").beginArray().value(static_cast<int>(cs.cx)).value(static_cast<int>(cs.cy)).endArray();
    j.key("style").value(static_cast<long long>(w.style));
    j.key("exStyle").value(static_cast<long long>(w.exStyle));
    j.key("visible").value(w.visibleFlag());
    j.key("enabled").value(w.enabledFlag());
    if (ws.focus == w.handle) j.key("focused").value(true);
    if (w.owner) j.key("owner").value(w.owner.value());
    if (w.dialog) j.key("template").value(w.dialog->templateId);
    if (w.state) w.state->describe(j);
    j.key("children").beginArray();
    for (HWND c : w.children)
        if (Window* cw = ws.find(c)) writeWindow(j, ws, *cw);
    j.endArray();
    j.endObject();
}
}  // namespace

std::string windowTreeJson() {
    auto& ws = WindowSystem::get();
    JsonWriter j;
    j.beginObject();
    const SIZE s = screenSize();
    j.key("screen").beginArray().value(static_cast<int>(s.cx)).value(static_cast<int>(s.cy)).endArray();
    j.key("focus").value(ws.focus.value());
    j.key("active").value(ws.active.value());
    j.key("capture").value(ws.capture.value());
    j.key("windows").beginArray();
    for (HWND h : ws.topLevels)
        if (Window* w = ws.find(h)) writeWindow(j, ws, *w);
    j.endArray();
    j.endObject();
    return j.str();
}

std::string windowTreeJson(HWND root) {
    auto& ws = WindowSystem::get();
    Window* w = ws.find(root);
    if (!w) return "null";
    JsonWriter j;
    writeWindow(j, ws, *w);
    return j.str();
}

}  // namespace vtl::win
