#pragma once
// Threads. All window state belongs to the UI thread. Other threads may only post input and tasks (a
// locked queue that wakes the UI thread) and read the latest frame the UI thread published.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "win/export.h"
#include "win/input.h"
#include "win/pump.h"

namespace vtl::win {

VTLWIN_API void postInput(const InputEvent& event);
VTLWIN_API void postTask(std::function<void()> task);

// An immutable picture of the screen: the window tree as JSON and, once painting exists, a PNG.
struct Frame {
    std::uint64_t sequence = 0;
    std::string windowTreeJson;
    std::vector<unsigned char> png;
};
VTLWIN_API std::shared_ptr<const Frame> latestFrame();
// Publishes a frame now if the windows changed since the last one (UI thread).
VTLWIN_API void publishFrame();
// Turns the current screen into PNG bytes for published frames; set by the painting layer.
VTLWIN_API void setFrameRenderer(std::function<std::vector<unsigned char>()> renderer);

// The input source of an interactive front end on the real clock: it waits for posted input and tasks, or
// for the next due timer. stop() makes every waiting loop end as unanswered.
class VTLWIN_API PostedInputSource : public InputSource {
public:
    PostedInputSource();
    NextInput next(const WaitInfo& wait, std::optional<std::uint64_t> deadlineMs) override;
    bool wantsFrames() const override { return true; }
    void stop();

private:
    std::shared_ptr<struct PostedStop> stop_;
};

// True on the thread that owns the windows (the first thread that used the framework).
VTLWIN_API bool isUiThread();

}  // namespace vtl::win
