// Window timers and thread timers, fired by the pump in order of their due time.
#include <algorithm>

#include "pump_internal.h"
#include "window_system.h"

using namespace vtl::win::detail;

namespace {
std::vector<Timer>& timers() { return WindowSystem::get().timers; }
}  // namespace

UINT_PTR SetTimer(HWND h, UINT_PTR id, UINT elapseMs, TIMERPROC proc) {
    auto& ws = WindowSystem::get();
    if (h && !ws.find(h)) return 0;
    const UINT interval = std::max<UINT>(elapseMs, 1);
    const std::uint64_t due = vtl::win::nowMs() + interval;
    auto existing = std::find_if(timers().begin(), timers().end(), [&](const Timer& t) {
        return t.window == h && t.id == id && (h || id != 0);
    });
    if (existing != timers().end()) {
        existing->interval = interval;
        existing->due = due;
        existing->proc = proc;
        existing->sequence = ws.timerSequence++;
        return h ? (id ? id : 1) : id;
    }
    Timer t;
    t.window = h;
    t.id = h ? id : ws.nextThreadTimerId++;
    t.interval = interval;
    t.due = due;
    t.proc = proc;
    t.sequence = ws.timerSequence++;
    timers().push_back(t);
    return h ? (id ? id : 1) : t.id;
}

BOOL KillTimer(HWND h, UINT_PTR id) {
    auto it = std::find_if(timers().begin(), timers().end(), [&](const Timer& t) { return t.window == h && t.id == id; });
    if (it == timers().end()) return FALSE;
    timers().erase(it);
    return TRUE;
}

DWORD GetTickCount() { return static_cast<DWORD>(vtl::win::nowMs()); }

namespace vtl::win::detail {

void killWindowTimers(HWND h) {
    auto& list = timers();
    list.erase(std::remove_if(list.begin(), list.end(), [h](const Timer& t) { return t.window == h; }), list.end());
}

std::optional<std::uint64_t> nextTimerDue() {
    if (timers().empty()) return std::nullopt;
    std::uint64_t best = timers().front().due;
    for (const auto& t : timers()) best = std::min(best, t.due);
    return best;
}

bool fireDueTimer(std::uint64_t now) {
    auto& list = timers();
    auto it = list.end();
    for (auto i = list.begin(); i != list.end(); ++i) {
        if (i->due > now) continue;
        if (it == list.end() || i->due < it->due || (i->due == it->due && i->sequence < it->sequence)) it = i;
    }
    if (it == list.end()) return false;
    // Timers repeat: the next firing is one interval later (a late timer fires once, not once per interval).
    std::uint64_t next = it->due + it->interval;
    if (next <= now) next = now + it->interval;
    it->due = next;
    it->sequence = WindowSystem::get().timerSequence++;
    const Timer t = *it;  // the procedure may kill or replace it
    if (t.proc) {
        t.proc(t.window, WM_TIMER, t.id, static_cast<DWORD>(now));
    } else if (t.window) {
        SendMessage(t.window, WM_TIMER, t.id, 0);
    }
    return true;
}

void clearTimers() {
    timers().clear();
    WindowSystem::get().nextThreadTimerId = 1;
}

}  // namespace vtl::win::detail
