// The cross-thread queue, published frames and the interactive input source.
#include "win/threads.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <variant>

#include "pump_internal.h"
#include "window_system.h"
#include "win/render.h"
#include "win/window_tree.h"

namespace vtl::win {

struct PostedStop {
    bool stopped = false;
};

namespace detail {
namespace {
struct CrossThread {
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<std::variant<InputEvent, std::function<void()>>> items;
    bool stopRequested = false;
};

CrossThread& crossThread() {
    static CrossThread q;
    return q;
}

struct Frames {
    std::mutex mutex;
    std::shared_ptr<const Frame> latest = std::make_shared<Frame>();
    std::uint64_t publishedChanges = ~std::uint64_t{0};
    std::uint64_t sequence = 0;
    std::function<std::vector<unsigned char>()> renderer;
};

Frames& frames() {
    static Frames f;
    return f;
}

std::thread::id& uiThread() {
    static std::thread::id id;
    return id;
}
}  // namespace

bool runOnePostedFromOtherThreads() {
    auto& q = crossThread();
    std::variant<InputEvent, std::function<void()>> item;
    {
        std::lock_guard lock(q.mutex);
        if (q.items.empty()) return false;
        item = std::move(q.items.front());
        q.items.pop_front();
    }
    if (auto* e = std::get_if<InputEvent>(&item)) {
        deliverInput(*e);
    } else if (auto& task = std::get<std::function<void()>>(item)) {
        task();
    }
    return true;
}

void clearCrossThread() {
    auto& q = crossThread();
    std::lock_guard lock(q.mutex);
    q.items.clear();
    q.stopRequested = false;
}

void waitForPosted(std::optional<std::uint64_t> deadlineMs, const bool* stopped) {
    auto& q = crossThread();
    std::unique_lock lock(q.mutex);
    auto ready = [&] { return !q.items.empty() || q.stopRequested || (stopped && *stopped); };
    if (deadlineMs) {
        const std::uint64_t now = nowMs();
        const auto wait = std::chrono::milliseconds(*deadlineMs > now ? *deadlineMs - now : 0);
        q.wake.wait_for(lock, wait, ready);
    } else {
        q.wake.wait(lock, ready);
    }
}

void wakeUiThread() {
    auto& q = crossThread();
    { std::lock_guard lock(q.mutex); }
    q.wake.notify_all();
}

void rememberUiThread() {
    if (uiThread() == std::thread::id()) uiThread() = std::this_thread::get_id();
}

void publishFrameIfChanged() {
    auto& f = frames();
    const std::uint64_t changes = WindowSystem::get().changes;
    if (changes == f.publishedChanges) return;
    auto frame = std::make_shared<Frame>();
    frame->windowTreeJson = windowTreeJson();
    frame->png = f.renderer ? f.renderer() : renderScreenPng();
    std::lock_guard lock(f.mutex);
    frame->sequence = ++f.sequence;
    f.latest = std::move(frame);
    f.publishedChanges = changes;
}
}  // namespace detail

void postInput(const InputEvent& event) {
    auto& q = detail::crossThread();
    {
        std::lock_guard lock(q.mutex);
        q.items.emplace_back(event);
    }
    q.wake.notify_all();
}

void postTask(std::function<void()> task) {
    auto& q = detail::crossThread();
    {
        std::lock_guard lock(q.mutex);
        q.items.emplace_back(std::move(task));
    }
    q.wake.notify_all();
}

std::shared_ptr<const Frame> latestFrame() {
    auto& f = detail::frames();
    std::lock_guard lock(f.mutex);
    return f.latest;
}

void publishFrame() { detail::publishFrameIfChanged(); }

void setFrameRenderer(std::function<std::vector<unsigned char>()> renderer) {
    detail::frames().renderer = std::move(renderer);
}

PostedInputSource::PostedInputSource() : stop_(std::make_shared<PostedStop>()) {}

NextInput PostedInputSource::next(const WaitInfo&, std::optional<std::uint64_t> deadlineMs) {
    {
        auto& q = detail::crossThread();
        std::lock_guard lock(q.mutex);
        if (stop_->stopped) return NextInput::exhausted();
    }
    detail::waitForPosted(deadlineMs, &stop_->stopped);
    auto& q = detail::crossThread();
    std::lock_guard lock(q.mutex);
    return stop_->stopped ? NextInput::exhausted() : NextInput::idle();
}

void PostedInputSource::stop() {
    {
        auto& q = detail::crossThread();
        std::lock_guard lock(q.mutex);
        stop_->stopped = true;
    }
    detail::wakeUiThread();
}

bool isUiThread() {
    const auto id = detail::uiThread();
    return id == std::thread::id() || id == std::this_thread::get_id();
}

}  // namespace vtl::win
