#pragma once
// The one pump. Every wait for a person's action runs runLoop: the host's main loop, DoModal, message
// boxes, file dialogs, pop-up menus, trackers. Each turn dispatches posted messages and due timers; when
// nothing is ready it asks the thread's input source for the next action.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <memory>
#include <variant>
#include <vector>

#include "win/export.h"
#include "win/input.h"
#include "win/types.h"

class CWnd;

namespace vtl::win {

enum class WaitKind { MainLoop, Dialog, MessageBox, Menu, Tracker, FileDialog, Pick };

// What a loop is waiting for. `cancel` ends the loop as cancelled when no answer will come.
struct WaitInfo {
    WaitKind kind = WaitKind::MainLoop;
    HWND window;
    int templateId = 0;
    std::string text;
    std::function<void()> cancel;
    // "main", "dialog 8069", "messagebox <text>", "menu", "tracker", "filedialog <title>", "pick <prompt>".
    VTLWIN_API std::string describe() const;
};

struct AdvanceClock {
    unsigned ms = 0;
};
using PumpAction = std::variant<InputEvent, AdvanceClock, std::function<void()>>;

struct NextInput {
    enum class Kind { Action, Idle, Exhausted };
    Kind kind = Kind::Exhausted;
    PumpAction action;
    static NextInput idle() { return {Kind::Idle, {}}; }
    static NextInput exhausted() { return {Kind::Exhausted, {}}; }
    static NextInput of(PumpAction a) { return {Kind::Action, std::move(a)}; }
};

// Where the pump gets what a person does next. A headless source answers Exhausted when it has nothing
// left: the pump records "unanswered <wait>" and cancels that loop. A blocking source waits instead, until
// `deadlineMs` (the framework clock's time of the next due timer), and answers Idle.
class InputSource {
public:
    virtual ~InputSource() = default;
    virtual NextInput next(const WaitInfo& wait, std::optional<std::uint64_t> deadlineMs) = 0;
    // A source that shows a person the screen wants a frame published before it waits.
    virtual bool wantsFrames() const { return false; }
};

// Runs until done() is true.
VTLWIN_API void runLoop(const WaitInfo& wait, const std::function<bool()>& done);
VTLWIN_API int loopDepth();
// The innermost loop's wait, or nullptr outside any loop.
VTLWIN_API const WaitInfo* currentWait();

// Makes `source` the thread's input source for the scope.
class VTLWIN_API ScopedInputSource {
public:
    explicit ScopedInputSource(InputSource& source);
    ~ScopedInputSource();
    ScopedInputSource(const ScopedInputSource&) = delete;
    ScopedInputSource& operator=(const ScopedInputSource&) = delete;
};

// The clock is chosen once at start: virtual (tests, scripts, gallery) or real (interactive).
enum class ClockMode { Virtual, Real };
VTLWIN_API void setClockMode(ClockMode mode);
VTLWIN_API ClockMode clockMode();
VTLWIN_API std::uint64_t nowMs();
// Lets `ms` of virtual time pass from outside any loop: posted messages and due timers run in order.
VTLWIN_API void advance(unsigned ms);
// Runs what is posted or due now, without waiting.
VTLWIN_API void processPending();

// Frees a window object once no message to it is being handled; a dialog that closes from its own
// handler hands itself here instead of being deleted under its own feet.
VTLWIN_API void deleteLater(std::unique_ptr<CWnd> object);

// The waits that ran dry (cancelled), as "unanswered <wait>", since the last reset.
VTLWIN_API std::vector<std::string> unansweredWaits();

}  // namespace vtl::win
