#pragma once
// What the workbench page sends as a person's input, read into the framework's input events.
//
// The body of POST /input is one event or an array of events, applied in order:
//   {"type": "mousedown" | "mouseup" | "mousemove" | "dblclick", "x": 10, "y": 20,
//    "button": "left" | "right", "modifiers": ["shift", "ctrl", "alt"]}
//   {"type": "wheel", "x": 10, "y": 20, "delta": -120}
//   {"type": "keydown" | "keyup" | "key", "key": "Enter", "modifiers": [...]}   ("key": down, then up)
//   {"type": "text", "text": "18"}                                               (one character each)
// Coordinates are screen pixels, as the published frame shows them. Key names are the browser's
// (KeyboardEvent.key: "Enter", "ArrowLeft", "PageUp", " ", "a") or the scripts' ("RETURN", "LEFT", "F4").
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "win/input.h"

namespace vtlhost {

// The most events one request may carry, and the longest text of one "text" event (code points).
inline constexpr std::size_t kMaxEventsPerRequest = 10000;
inline constexpr std::size_t kMaxTextLength = 10000;

// The virtual key of a browser or script key name; nothing for a name it does not know.
std::optional<unsigned> keyByName(std::string_view name);

// Reads the body into events. Nothing is returned for a body with any fault: `error` then says which
// event and what is wrong with it, for the person or program that sent it.
std::optional<std::vector<vtl::win::InputEvent>> decodeInput(std::string_view body, std::string& error);

// Whose turn it is at the dialogs when several pages share one workbench. The person who acted last keeps
// the turn while a key or a mouse button of theirs is down and for a quiet moment after their last action,
// so that nobody's click lands between another's Home, Shift+End and the digits typed; anyone else's input
// waits until then. A key left down longer than `abandoned` (its page was closed mid-press) no longer holds
// the turn: its releases go out before the next person's input.
class InputTurns {
public:
    using Clock = std::chrono::steady_clock;
    struct Timing {
        std::chrono::milliseconds quiet{400};
        std::chrono::milliseconds abandoned{5000};
    };
    InputTurns();
    explicit InputTurns(Timing timing);

    // Waits at most `limit` for `client`'s turn, then calls `post` with the events to deliver in order: the
    // releases an abandoned holder left, then `events`. Nobody else's post runs beside it. False, with
    // `error` for the person, when the turn did not come in time or the turns are closed.
    bool take(const std::string& client, const std::vector<vtl::win::InputEvent>& events,
              std::chrono::milliseconds limit,
              const std::function<void(const std::vector<vtl::win::InputEvent>&)>& post, std::string& error);
    // Ends every wait; take() answers false from now on.
    void close();
    // The client whose turn it is ("" for nobody yet) and what it holds down (tests, the page's status).
    std::string holder() const;
    std::size_t held() const;

private:
    bool mayAct(const std::string& client, Clock::time_point now, Clock::time_point& retryAt) const;
    std::vector<vtl::win::InputEvent> releasesOfHolder() const;
    void note(const std::string& client, const std::vector<vtl::win::InputEvent>& events, Clock::time_point now);

    Timing timing_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool closed_ = false;
    std::string holder_;
    bool anyHolder_ = false;
    Clock::time_point lastAt_{};
    std::set<unsigned> keysDown_;
    std::set<int> buttonsDown_;
    int lastX_ = 0, lastY_ = 0;
};

}  // namespace vtlhost
