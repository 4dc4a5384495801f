#pragma once
// State shared by the pump, the input layer, timers and the cross-thread queue. Private to libvtlwin.
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "win/pump.h"
#include "win/types.h"

namespace vtl::win::detail {

std::deque<MSG>& postedMessages();
// Pre-translates and dispatches a key or mouse message. While a menu or a tracker runs its loop, an input
// filter sees each key and mouse message first and may take it.
void dispatchInputMessage(MSG& msg);
using InputFilter = std::function<bool(MSG&)>;
class ScopedInputFilter {
public:
    explicit ScopedInputFilter(InputFilter filter);
    ~ScopedInputFilter();
    ScopedInputFilter(const ScopedInputFilter&) = delete;
    ScopedInputFilter& operator=(const ScopedInputFilter&) = delete;
};

// Keys held down (from key events) and the modifiers of the event being delivered.
bool keyIsDown(UINT vk);
void setKeyDown(UINT vk, bool down);
void clearKeys();

// Timers.
bool fireDueTimer(std::uint64_t now);
std::optional<std::uint64_t> nextTimerDue();
void clearTimers();

// Cross-thread queue: runs one posted input or task; false when empty.
bool runOnePostedFromOtherThreads();
void clearCrossThread();
// Blocks until something is posted from another thread, the deadline passes, or `stopped` is set.
void waitForPosted(std::optional<std::uint64_t> deadlineMs, const bool* stopped);
void wakeUiThread();
void rememberUiThread();

// Pump records.
void recordUnanswered(const WaitInfo& wait);
void clearUnanswered();
void clearPumpState();
void publishFrameIfChanged();

void clearClipboard();

// Script records kept for the test fixture.
void recordScriptProblems(const std::vector<std::string>& problems);
std::vector<std::string>& scriptProblemRecords();

}  // namespace vtl::win::detail
