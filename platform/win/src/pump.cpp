// The one pump: nested loops, the clock, posted messages, deferred deletions and unanswered waits.
#include "win/pump.h"

#include <algorithm>
#include <chrono>
#include <deque>
#include <memory>
#include <vector>

#include "deferred_delete.h"
#include "pump_internal.h"
#include "window_system.h"
#include "win/threads.h"
#include "win/wnd.h"
#include "wnd_access.h"

namespace vtl::win {
namespace detail {
namespace {
struct PumpState {
    std::vector<InputSource*> sources;
    std::vector<const WaitInfo*> waits;
    std::deque<MSG> posted;
    ClockMode mode = ClockMode::Virtual;
    std::uint64_t virtualNow = 0;
    std::uint64_t target = 0;  // virtual time the clock runs to before more input is asked for
    std::chrono::steady_clock::time_point realStart = std::chrono::steady_clock::now();
    std::vector<std::string> unanswered;
    std::vector<std::unique_ptr<CWnd>> deferred;
    bool sweeping = false;
    std::vector<InputFilter> filters;
};

PumpState& pump() {
    static PumpState state;
    return state;
}

// Offers a key or mouse message to the objects of the target's window chain, innermost first, then lets a
// dialog that has no object navigate. True when something took it.
bool preTranslate(MSG& msg) {
    auto& ws = WindowSystem::get();
    const bool input = (msg.message >= WM_KEYDOWN && msg.message <= WM_SYSKEYUP) ||
                       (msg.message >= WM_MOUSEMOVE && msg.message <= WM_MOUSEWHEEL);
    if (!input) return false;
    for (HWND h = msg.hwnd; h;) {
        Window* w = ws.find(h);
        if (!w) return true;  // the target went away while its chain was asked: nothing left to deliver
        if (CWnd* obj = w->object) {
            if (obj->PreTranslateMessage(&msg)) return true;
        }
        if (!w->isChild()) break;
        h = w->parent;
    }
    const HWND root = ws.root(msg.hwnd);
    Window* r = ws.find(root);
    if (r && r->cls->isDialog && !r->object) return IsDialogMessage(root, &msg) != FALSE;
    return false;
}

// One unit of ready work: a message or input posted from another thread, a posted message, a due timer,
// or a step of virtual time. False when nothing is ready.
bool runOneReady(bool allowClockSteps) {
    auto& p = pump();
    sweepDeferredDeletes();
    if (runOnePostedFromOtherThreads()) return true;
    if (!p.posted.empty()) {
        MSG m = p.posted.front();
        p.posted.pop_front();
        if (!m.hwnd) return true;  // thread messages have no receiver here
        if (!preTranslate(m)) DispatchMessage(&m);
        return true;
    }
    const std::uint64_t now = nowMs();
    if (fireDueTimer(now)) return true;
    if (allowClockSteps && p.mode == ClockMode::Virtual && p.virtualNow < p.target) {
        const auto due = nextTimerDue();
        p.virtualNow = (due && *due < p.target) ? std::max(*due, p.virtualNow) : p.target;
        return true;
    }
    return false;
}
}  // namespace

std::deque<MSG>& postedMessages() { return pump().posted; }

void dispatchInputMessage(MSG& msg) {
    auto& filters = pump().filters;
    if (!filters.empty()) {
        const InputFilter filter = filters.back();  // the filter may end its own loop
        if (filter(msg)) return;
    }
    if (!preTranslate(msg)) DispatchMessage(&msg);
}

ScopedInputFilter::ScopedInputFilter(InputFilter filter) { pump().filters.push_back(std::move(filter)); }
ScopedInputFilter::~ScopedInputFilter() { pump().filters.pop_back(); }

void recordUnanswered(const WaitInfo& wait) { pump().unanswered.push_back("unanswered " + wait.describe()); }
void clearUnanswered() { pump().unanswered.clear(); }

void sweepDeferredDeletes() {
    auto& p = pump();
    if (p.deferred.empty() || p.sweeping) return;
    p.sweeping = true;
    for (std::size_t i = 0; i < p.deferred.size();) {
        CWnd* obj = p.deferred[i].get();
        Window* w = WindowSystem::get().find(obj->m_hWnd);
        if (CWndAccess::dispatchDepth(*obj) == 0 && !(w && w->busy > 0)) {
            auto doomed = std::move(p.deferred[i]);
            p.deferred.erase(p.deferred.begin() + static_cast<std::ptrdiff_t>(i));
            doomed.reset();  // may destroy its window, and so reach this function again
            i = 0;
        } else {
            ++i;
        }
    }
    p.sweeping = false;
}

void deleteAllDeferred() {
    auto& p = pump();
    while (!p.deferred.empty()) {
        auto doomed = std::move(p.deferred.back());
        p.deferred.pop_back();
    }
}

void clearPumpState() {
    auto& p = pump();
    deleteAllDeferred();
    p.filters.clear();
    p.posted.clear();
    p.unanswered.clear();
    p.mode = ClockMode::Virtual;
    p.virtualNow = 0;
    p.target = 0;
    p.realStart = std::chrono::steady_clock::now();
}
}  // namespace detail

std::string WaitInfo::describe() const {
    switch (kind) {
    case WaitKind::MainLoop:
        return "main";
    case WaitKind::Dialog:
        return templateId ? "dialog " + std::to_string(templateId) : "dialog \"" + text + "\"";
    case WaitKind::MessageBox:
        return "messagebox " + text;
    case WaitKind::Menu:
        return "menu";
    case WaitKind::Tracker:
        return "tracker";
    case WaitKind::FileDialog:
        return "filedialog " + text;
    case WaitKind::Pick:
        return "pick " + text;
    }
    return "wait";
}

void runLoop(const WaitInfo& wait, const std::function<bool()>& done) {
    auto& p = detail::pump();
    detail::rememberUiThread();
    p.waits.push_back(&wait);
    struct Pop {
        ~Pop() { detail::pump().waits.pop_back(); }
    } pop;
    while (!done()) {
        if (detail::runOneReady(true)) continue;
        InputSource* source = p.sources.empty() ? nullptr : p.sources.back();
        NextInput next = NextInput::exhausted();
        if (source) {
            if (source->wantsFrames()) detail::publishFrameIfChanged();
            std::optional<std::uint64_t> deadline;
            if (p.mode == ClockMode::Real) deadline = detail::nextTimerDue();
            next = source->next(wait, deadline);
        }
        switch (next.kind) {
        case NextInput::Kind::Action:
            if (auto* e = std::get_if<InputEvent>(&next.action)) {
                deliverInput(*e);
            } else if (auto* a = std::get_if<AdvanceClock>(&next.action)) {
                p.target = std::max(p.target, p.virtualNow) + a->ms;
            } else if (auto* task = std::get_if<std::function<void()>>(&next.action)) {
                if (*task) (*task)();
            }
            break;
        case NextInput::Kind::Idle:
            break;
        case NextInput::Kind::Exhausted:
            detail::recordUnanswered(wait);
            if (wait.cancel) wait.cancel();
            // A loop that cannot be cancelled ends here rather than spin.
            if (!done()) return;
            break;
        }
    }
}

int loopDepth() { return static_cast<int>(detail::pump().waits.size()); }

const WaitInfo* currentWait() {
    auto& w = detail::pump().waits;
    return w.empty() ? nullptr : w.back();
}

ScopedInputSource::ScopedInputSource(InputSource& source) { detail::pump().sources.push_back(&source); }
ScopedInputSource::~ScopedInputSource() { detail::pump().sources.pop_back(); }

void setClockMode(ClockMode mode) {
    auto& p = detail::pump();
    p.mode = mode;
    p.realStart = std::chrono::steady_clock::now();
}

ClockMode clockMode() { return detail::pump().mode; }

std::uint64_t nowMs() {
    auto& p = detail::pump();
    if (p.mode == ClockMode::Virtual) return p.virtualNow;
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - p.realStart).count());
}

void advance(unsigned ms) {
    auto& p = detail::pump();
    if (p.mode == ClockMode::Virtual) p.target = std::max(p.target, p.virtualNow) + ms;
    while (detail::runOneReady(true)) {
    }
}

void processPending() {
    while (detail::runOneReady(false)) {
    }
}

void deleteLater(std::unique_ptr<CWnd> object) {
    if (!object) return;
    detail::pump().deferred.push_back(std::move(object));
    detail::sweepDeferredDeletes();
}

std::vector<std::string> unansweredWaits() { return detail::pump().unanswered; }

}  // namespace vtl::win
