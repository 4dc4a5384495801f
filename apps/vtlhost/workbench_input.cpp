#include "workbench_input.h"

#include <cmath>
#include <nlohmann/json.hpp>

#include "gfx/utf8.h"
#include "win/script.h"

namespace vtlhost {
namespace {
using vtl::win::InputEvent;
using Json = nlohmann::json;

// Farther than any screen: a coordinate beyond it is a fault of the sender, not a place.
constexpr double kMaxCoordinate = 100000;
constexpr double kMaxWheelDelta = 100000;

struct BadEvent {
    std::string what;
};

int numberField(const Json& event, const char* name, double limit) {
    const auto it = event.find(name);
    if (it == event.end()) throw BadEvent{std::string("\"") + name + "\" is missing"};
    if (!it->is_number()) throw BadEvent{std::string("\"") + name + "\" is not a number"};
    const double v = std::floor(it->get<double>());
    if (!std::isfinite(v) || std::fabs(v) > limit) throw BadEvent{std::string("\"") + name + "\" is out of range"};
    return static_cast<int>(v);
}

std::string textField(const Json& event, const char* name) {
    const auto it = event.find(name);
    if (it == event.end()) throw BadEvent{std::string("\"") + name + "\" is missing"};
    if (!it->is_string()) throw BadEvent{std::string("\"") + name + "\" is not a string"};
    return it->get<std::string>();
}

unsigned modifiersOf(const Json& event) {
    const auto it = event.find("modifiers");
    if (it == event.end()) return vtl::win::ModNone;
    if (!it->is_array()) throw BadEvent{"\"modifiers\" is not a list"};
    unsigned mods = vtl::win::ModNone;
    for (const Json& m : *it) {
        const std::string name = m.is_string() ? m.get<std::string>() : m.dump();
        if (name == "shift") {
            mods |= vtl::win::ModShift;
        } else if (name == "ctrl" || name == "control") {
            mods |= vtl::win::ModCtrl;
        } else if (name == "alt") {
            mods |= vtl::win::ModAlt;
        } else {
            throw BadEvent{"unknown modifier " + name + " (shift, ctrl, alt)"};
        }
    }
    return mods;
}

InputEvent::Button buttonOf(const Json& event) {
    const auto it = event.find("button");
    if (it == event.end()) return InputEvent::Button::Left;
    const std::string name = it->is_string() ? it->get<std::string>() : it->dump();
    if (name == "left") return InputEvent::Button::Left;
    if (name == "right") return InputEvent::Button::Right;
    if (name == "middle") return InputEvent::Button::Middle;
    throw BadEvent{"unknown button " + name + " (left, right, middle)"};
}

void decodeOne(const Json& event, std::vector<InputEvent>& out) {
    using K = InputEvent::Kind;
    if (!event.is_object()) throw BadEvent{"not an object"};
    const std::string type = textField(event, "type");
    const unsigned mods = modifiersOf(event);
    const auto mouse = [&](K kind) {
        InputEvent e = InputEvent::mouse(kind, numberField(event, "x", kMaxCoordinate),
                                         numberField(event, "y", kMaxCoordinate), buttonOf(event), mods);
        if (kind == K::Wheel) e.wheelDelta = numberField(event, "delta", kMaxWheelDelta);
        out.push_back(e);
    };
    const auto key = [&]() -> unsigned {
        const std::string name = textField(event, "key");
        const auto vk = keyByName(name);
        if (!vk) throw BadEvent{"unknown key name \"" + name + "\""};
        return *vk;
    };
    if (type == "mousedown") {
        mouse(K::MouseDown);
    } else if (type == "mouseup") {
        mouse(K::MouseUp);
    } else if (type == "mousemove") {
        mouse(K::MouseMove);
    } else if (type == "dblclick") {
        mouse(K::DoubleClick);
    } else if (type == "wheel") {
        mouse(K::Wheel);
    } else if (type == "keydown") {
        out.push_back(InputEvent::key(K::KeyDown, key(), mods));
    } else if (type == "keyup") {
        out.push_back(InputEvent::key(K::KeyUp, key(), mods));
    } else if (type == "key") {
        const unsigned vk = key();
        out.push_back(InputEvent::key(K::KeyDown, vk, mods));
        out.push_back(InputEvent::key(K::KeyUp, vk, mods));
    } else if (type == "text") {
        const std::u32string text = vtl::gfx::decodeUtf8(textField(event, "text"));
        if (text.size() > kMaxTextLength)
            throw BadEvent{"the text is longer than " + std::to_string(kMaxTextLength) + " characters"};
        for (char32_t c : text) {
            // Enter, Tab and Backspace are keys; as characters they would reach a control unlike a keyboard's.
            if (c < 0x20 || c == 0x7F) throw BadEvent{"the text holds a control character (send keys for those)"};
            out.push_back(InputEvent::character(c));
        }
    } else {
        throw BadEvent{"unknown type \"" + type + "\""};
    }
}
}  // namespace

std::optional<unsigned> keyByName(std::string_view name) {
    if (name == " ") return vtl::win::virtualKeyByName("SPACE");
    if (name.starts_with("Arrow")) name.remove_prefix(5);
    if (name.empty()) return std::nullopt;
    const auto vk = vtl::win::virtualKeyByName(name);
    if (!vk) return std::nullopt;
    return static_cast<unsigned>(*vk);
}

std::optional<std::vector<InputEvent>> decodeInput(std::string_view body, std::string& error) {
    const Json doc = Json::parse(body, nullptr, false);
    if (doc.is_discarded()) {
        error = "the body is not JSON";
        return std::nullopt;
    }
    if (!doc.is_object() && !doc.is_array()) {
        error = "the body is neither an event nor a list of events";
        return std::nullopt;
    }
    const Json list = doc.is_array() ? doc : Json::array({doc});
    std::vector<InputEvent> events;
    std::size_t n = 0;
    for (const Json& event : list) {
        ++n;
        try {
            decodeOne(event, events);
        } catch (const BadEvent& bad) {
            error = "event " + std::to_string(n) + ": " + bad.what;
            return std::nullopt;
        }
        if (events.size() > kMaxEventsPerRequest) {
            error = "more than " + std::to_string(kMaxEventsPerRequest) + " events in one request";
            return std::nullopt;
        }
    }
    return events;
}

InputTurns::InputTurns() : InputTurns(Timing{}) {}
InputTurns::InputTurns(Timing timing) : timing_(timing) {}

bool InputTurns::mayAct(const std::string& client, Clock::time_point now, Clock::time_point& retryAt) const {
    if (!anyHolder_ || client == holder_) return true;
    const bool holding = !keysDown_.empty() || !buttonsDown_.empty();
    const Clock::time_point freeAt = lastAt_ + (holding ? timing_.abandoned : timing_.quiet);
    if (now >= freeAt) return true;
    retryAt = freeAt;
    return false;
}

std::vector<InputEvent> InputTurns::releasesOfHolder() const {
    std::vector<InputEvent> releases;
    for (int b : buttonsDown_)
        releases.push_back(InputEvent::mouse(InputEvent::Kind::MouseUp, lastX_, lastY_, static_cast<InputEvent::Button>(b)));
    for (unsigned vk : keysDown_) releases.push_back(InputEvent::key(InputEvent::Kind::KeyUp, vk));
    return releases;
}

void InputTurns::note(const std::string& client, const std::vector<InputEvent>& events, Clock::time_point now) {
    using K = InputEvent::Kind;
    if (!anyHolder_ || client != holder_) {
        keysDown_.clear();
        buttonsDown_.clear();
    }
    anyHolder_ = true;
    holder_ = client;
    lastAt_ = now;
    for (const InputEvent& e : events) {
        switch (e.kind) {
        case K::KeyDown: keysDown_.insert(e.vkey); break;
        case K::KeyUp: keysDown_.erase(e.vkey); break;
        case K::MouseDown:
        case K::DoubleClick: buttonsDown_.insert(static_cast<int>(e.button)); break;
        case K::MouseUp: buttonsDown_.erase(static_cast<int>(e.button)); break;
        default: break;
        }
        if (e.kind == K::MouseDown || e.kind == K::MouseUp || e.kind == K::MouseMove || e.kind == K::DoubleClick) {
            lastX_ = e.x;
            lastY_ = e.y;
        }
    }
}

bool InputTurns::take(const std::string& client, const std::vector<InputEvent>& events, std::chrono::milliseconds limit,
                      const std::function<void(const std::vector<InputEvent>&)>& post, std::string& error) {
    std::unique_lock lock(mutex_);
    const Clock::time_point deadline = Clock::now() + limit;
    for (;;) {
        if (closed_) {
            error = "the workbench is stopping";
            return false;
        }
        const Clock::time_point now = Clock::now();
        Clock::time_point retryAt = now;
        if (mayAct(client, now, retryAt)) break;
        if (now >= deadline) {
            error = "another person is using the dialogs; your input waited " +
                    std::to_string(limit.count() / 1000) + " s for its turn and was not sent";
            return false;
        }
        changed_.wait_until(lock, std::min(retryAt, deadline));
    }
    std::vector<InputEvent> all;
    if (anyHolder_ && client != holder_) all = releasesOfHolder();
    all.insert(all.end(), events.begin(), events.end());
    post(all);
    note(client, events, Clock::now());
    lock.unlock();
    changed_.notify_all();
    return true;
}

void InputTurns::close() {
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
    }
    changed_.notify_all();
}

std::string InputTurns::holder() const {
    std::lock_guard lock(mutex_);
    return holder_;
}

std::size_t InputTurns::held() const {
    std::lock_guard lock(mutex_);
    return keysDown_.size() + buttonsDown_.size();
}

}  // namespace vtlhost
