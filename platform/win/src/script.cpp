// Scripts as an input source: each step is resolved against what is on screen when it is reached and
// turned into a person's input events.
#include "win/script.h"

#include <algorithm>
#include <deque>

#include "pump_internal.h"
#include "script_state.h"
#include "utf8.h"
#include "window_system.h"
#include "win/menu.h"
#include "win/pump.h"

namespace vtl::win {

namespace {
using detail::Window;
using detail::WindowSystem;

HWND findControl(WindowSystem& ws, HWND parent, int id, bool visibleOnly) {
    Window* p = ws.find(parent);
    if (!p) return {};
    for (HWND c : p->children) {
        Window* w = ws.find(c);
        if (!w) continue;
        if (w->id == id && (!visibleOnly || ws.isVisible(c))) return c;
        if (HWND deeper = findControl(ws, c, id, visibleOnly)) return deeper;
    }
    return {};
}

}  // namespace

namespace detail {
// A control by id in the active window: a visible one first.
HWND findControlInActiveWindow(int id) {
    auto& ws = WindowSystem::get();
    if (!ws.active) return {};
    if (HWND h = findControl(ws, ws.active, id, true)) return h;
    return findControl(ws, ws.active, id, false);
}

// A control by id in the topmost shown dialog made from the template.
HWND findControlInDialog(int templateId, int id) {
    auto& ws = WindowSystem::get();
    for (HWND top : ws.topLevels) {
        Window* w = ws.find(top);
        if (!w || !w->dialog || w->dialog->templateId != templateId || !ws.isVisible(top)) continue;
        if (HWND h = findControl(ws, top, id, true)) return h;
        return findControl(ws, top, id, false);
    }
    return {};
}
}  // namespace detail

namespace {
using detail::findControlInActiveWindow;
using detail::findControlInDialog;

std::string activeDescription() {
    auto& ws = WindowSystem::get();
    Window* a = ws.find(ws.active);
    if (!a) return "no active window";
    std::string s = "active window \"" + a->text + "\"";
    if (a->dialog) s += " (dialog " + std::to_string(a->dialog->templateId) + ")";
    return s;
}

class ScriptSource : public InputSource {
public:
    explicit ScriptSource(std::shared_ptr<Script::State> state) : s_(std::move(state)) {}

    NextInput next(const WaitInfo&, std::optional<std::uint64_t>) override {
        while (true) {
            if (!s_->pending.empty()) {
                PumpAction a = std::move(s_->pending.front());
                s_->pending.pop_front();
                return NextInput::of(std::move(a));
            }
            if (s_->failed || s_->position >= s_->steps.size()) return NextInput::exhausted();
            ScriptStep& step = s_->steps[s_->position];
            if (step.kind == ScriptStep::Kind::Wait) {
                if (!step.condition.satisfied()) return NextInput::exhausted();
                ++s_->position;
                continue;
            }
            // The step counts as taken before it runs: a step that opens a modal dialog (a check, a choice
            // whose handler asks) runs the dialog's loop inside it, and that loop goes on with the next step
            // instead of taking this one again, and again, until the stack ends.
            const std::size_t number = ++s_->position;
            std::string error;
            if (!expand(step, error)) {
                s_->errors.push_back(s_->name + ": step " + std::to_string(number) +
                                     (step.line ? " (line " + std::to_string(step.line) + ")" : "") + " \"" +
                                     step.describe() + "\": " + error);
                s_->failed = true;
                // The failed step stays among the steps not taken (unless a dialog inside it took more).
                if (s_->position == number) s_->position = number - 1;
                return NextInput::exhausted();
            }
        }
    }

private:
    void push(const InputEvent& e) { s_->pending.emplace_back(e); }

    bool pointOf(const Target& t, POINT& p, std::string& error) {
        switch (t.kind) {
        case Target::Kind::Point:
            p = t.point;
            return true;
        case Target::Kind::Focus: {
            const HWND f = GetFocus();
            if (!f) {
                error = "nothing has the focus";
                return false;
            }
            p = clickPoint(f);
            return true;
        }
        case Target::Kind::MenuItem: {
            RECT r{};
            if (!openMenuItemRect(t.text, r)) {
                error = "no open menu has an item \"" + t.text + "\"";
                return false;
            }
            p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
            return true;
        }
        case Target::Kind::Located: {
            const auto found = t.locate ? t.locate() : std::nullopt;
            if (!found) {
                error = "cannot find " + t.text;
                return false;
            }
            p = *found;
            return true;
        }
        case Target::Kind::Control: {
            const HWND h = t.dialog ? findControlInDialog(t.dialog, t.id) : findControlInActiveWindow(t.id);
            if (!h) {
                error = "no control " + std::to_string(t.id) + " in the " +
                        (t.dialog ? "shown dialog " + std::to_string(t.dialog) : activeDescription());
                return false;
            }
            p = clickPoint(h);
            return true;
        }
        }
        return false;
    }

    void pushClick(POINT p, InputEvent::Button b, unsigned mods, bool twice) {
        using K = InputEvent::Kind;
        push(InputEvent::mouse(K::MouseDown, p.x, p.y, b, mods));
        push(InputEvent::mouse(K::MouseUp, p.x, p.y, b, mods));
        if (twice) {
            push(InputEvent::mouse(K::DoubleClick, p.x, p.y, b, mods));
            push(InputEvent::mouse(K::MouseUp, p.x, p.y, b, mods));
        }
    }

    void pushDrag(POINT from, POINT to, unsigned mods) {
        using K = InputEvent::Kind;
        push(InputEvent::mouse(K::MouseDown, from.x, from.y, InputEvent::Button::Left, mods));
        constexpr int kSteps = 4;
        for (int i = 1; i <= kSteps; ++i) {
            push(InputEvent::mouse(K::MouseMove, from.x + (to.x - from.x) * i / kSteps,
                                   from.y + (to.y - from.y) * i / kSteps, InputEvent::Button::Left, mods));
        }
        push(InputEvent::mouse(K::MouseUp, to.x, to.y, InputEvent::Button::Left, mods));
    }

    bool expand(ScriptStep& step, std::string& error) {
        using K = ScriptStep::Kind;
        POINT p{}, q{};
        switch (step.kind) {
        case K::Click:
        case K::RightClick:
        case K::DoubleClick:
            if (!pointOf(step.target, p, error)) return false;
            pushClick(p, step.kind == K::RightClick ? InputEvent::Button::Right : InputEvent::Button::Left,
                      step.modifiers, step.kind == K::DoubleClick);
            return true;
        case K::Drag:
            if (!pointOf(step.target, p, error)) return false;
            if (step.relative) q = {p.x + step.to.point.x, p.y + step.to.point.y};
            else if (!pointOf(step.to, q, error)) return false;
            pushDrag(p, q, step.modifiers);
            return true;
        case K::Type:
            for (char32_t c : detail::toU32(step.text)) push(InputEvent::character(c));
            return true;
        case K::Key:
            push(InputEvent::key(InputEvent::Kind::KeyDown, step.vkey, step.modifiers));
            push(InputEvent::key(InputEvent::Kind::KeyUp, step.vkey, step.modifiers));
            return true;
        case K::KeyDown:
            push(InputEvent::key(InputEvent::Kind::KeyDown, step.vkey, step.modifiers));
            return true;
        case K::KeyUp:
            push(InputEvent::key(InputEvent::Kind::KeyUp, step.vkey, step.modifiers));
            return true;
        case K::Select: {
            // Like a click, a choice may be made in a shown dialog that is not the active window.
            const HWND h = step.target.dialog ? findControlInDialog(step.target.dialog, step.target.id)
                                              : findControlInActiveWindow(step.target.id);
            if (!h) {
                error = "no control " + std::to_string(step.target.id) + " in the " +
                        (step.target.dialog ? "shown dialog " + std::to_string(step.target.dialog) : activeDescription());
                return false;
            }
            std::vector<PumpAction> actions;
            detail::SelectRequest req{&step.text, &actions, &error};
            if (!SendMessage(h, detail::WMX_SELECT_ITEM, 0, reinterpret_cast<LPARAM>(&req))) {
                if (error.empty()) error = "a " + GetClassName(h) + " control has no items to select";
                return false;
            }
            for (auto& a : actions) s_->pending.push_back(std::move(a));
            return true;
        }
        case K::Answer: {
            const HWND h = findControlInActiveWindow(step.number);
            if (!h) {
                error = "no button for answer " + std::to_string(step.number) + " in the " + activeDescription();
                return false;
            }
            pushClick(clickPoint(h), InputEvent::Button::Left, ModNone, false);
            return true;
        }
        case K::Close: {
            const HWND a = GetActiveWindow();
            if (!a || !(GetWindowLongPtr(a, GWL_STYLE) & WS_SYSMENU)) {
                error = "the " + activeDescription() + " has no close box";
                return false;
            }
            const RECT r = closeBoxRect(a);
            pushClick({(r.left + r.right) / 2, (r.top + r.bottom) / 2}, InputEvent::Button::Left, ModNone, false);
            return true;
        }
        case K::Resize: {
            const HWND a = GetActiveWindow();
            if (!a || !(GetWindowLongPtr(a, GWL_STYLE) & WS_THICKFRAME)) {
                error = "the " + activeDescription() + " cannot be resized";
                return false;
            }
            RECT r{};
            GetWindowRect(a, &r);
            const POINT from{r.right - 2, r.bottom - 2};
            pushDrag(from, {from.x + step.number - (r.right - r.left), from.y + step.number2 - (r.bottom - r.top)},
                     ModNone);
            return true;
        }
        case K::Advance:
            s_->pending.emplace_back(AdvanceClock{static_cast<unsigned>(step.number)});
            return true;
        case K::Check:
            try {
                if (step.check) step.check();
            } catch (const std::exception& e) {
                error = e.what();
                return false;
            }
            return true;
        case K::Wait:
            return true;
        }
        return true;
    }

    std::shared_ptr<Script::State> s_;
};
}  // namespace

std::string Target::describe() const {
    switch (kind) {
    case Kind::Control:
        return std::to_string(id) + (dialog ? " in dialog " + std::to_string(dialog) : "");
    case Kind::Point:
        return "point " + std::to_string(point.x) + " " + std::to_string(point.y);
    case Kind::Focus:
        return "focus";
    case Kind::MenuItem:
        return "menu \"" + text + "\"";
    case Kind::Located:
        return text;
    }
    return {};
}

bool Condition::satisfied() const {
    auto& ws = WindowSystem::get();
    Window* a = ws.find(ws.active);
    switch (kind) {
    case Kind::DialogTemplate:
        return a && a->dialog && a->dialog->templateId == templateId;
    case Kind::Caption:
        return a && a->text == text;
    case Kind::ClassName:
        return a && detail::lowerAscii(a->cls->name) == detail::lowerAscii(text);
    case Kind::MessageBoxText:
    case Kind::MessageBoxContains: {
        const WaitInfo* w = currentWait();
        if (!w || w->kind != WaitKind::MessageBox) return false;
        return kind == Kind::MessageBoxText ? w->text == text : w->text.find(text) != std::string::npos;
    }
    }
    return false;
}

std::string Condition::describe() const {
    switch (kind) {
    case Kind::DialogTemplate:
        return "dialog " + std::to_string(templateId);
    case Kind::Caption:
        return "caption \"" + text + "\"";
    case Kind::ClassName:
        return "class \"" + text + "\"";
    case Kind::MessageBoxText:
        return "messagebox \"" + text + "\"";
    case Kind::MessageBoxContains:
        return "messagebox contains \"" + text + "\"";
    }
    return {};
}

std::string ScriptStep::describe() const {
    auto mods = [this] {
        std::string m;
        if (modifiers & ModShift) m += "shift+";
        if (modifiers & ModCtrl) m += "ctrl+";
        if (modifiers & ModAlt) m += "alt+";
        return m;
    };
    switch (kind) {
    case Kind::Wait:
        return "wait " + condition.describe();
    case Kind::Click:
        return "click " + target.describe() + (modifiers ? " " + mods() : "");
    case Kind::RightClick:
        return "rclick " + target.describe();
    case Kind::DoubleClick:
        return "dblclick " + target.describe();
    case Kind::Drag:
        if (relative)
            return "drag " + target.describe() + " by " + std::to_string(to.point.x) + " " + std::to_string(to.point.y) +
                   (modifiers ? " " + mods() : "");
        return "drag " + target.describe() + " to " + to.describe();
    case Kind::Type:
        return "type \"" + text + "\"";
    case Kind::Key:
        return "key " + mods() + virtualKeyName(vkey);
    case Kind::KeyDown:
        return "keydown " + mods() + virtualKeyName(vkey);
    case Kind::KeyUp:
        return "keyup " + mods() + virtualKeyName(vkey);
    case Kind::Select:
        return "select " + target.describe() + " \"" + text + "\"";
    case Kind::Answer:
        return "answer " + std::to_string(number);
    case Kind::Advance:
        return "advance " + std::to_string(number);
    case Kind::Check:
        return text.empty() ? "check" : text;
    case Kind::Close:
        return "close";
    case Kind::Resize:
        return "resize " + std::to_string(number) + " " + std::to_string(number2);
    }
    return {};
}

Script::Script(std::string name) : state_(std::make_shared<State>()) { state_->name = std::move(name); }

Script& Script::add(ScriptStep step) {
    state_->steps.push_back(std::move(step));
    return *this;
}

Script& Script::waitFor(Condition condition) {
    ScriptStep s;
    s.kind = ScriptStep::Kind::Wait;
    s.condition = std::move(condition);
    return add(std::move(s));
}

namespace {
ScriptStep targeted(ScriptStep::Kind kind, Target t, unsigned mods) {
    ScriptStep s;
    s.kind = kind;
    s.target = t;
    s.modifiers = mods;
    return s;
}
}  // namespace

Script& Script::click(Target t, unsigned mods) { return add(targeted(ScriptStep::Kind::Click, t, mods)); }
Script& Script::rightClick(Target t, unsigned mods) { return add(targeted(ScriptStep::Kind::RightClick, t, mods)); }
Script& Script::doubleClick(Target t, unsigned mods) { return add(targeted(ScriptStep::Kind::DoubleClick, t, mods)); }
Script& Script::drag(Target from, Target to, unsigned mods) {
    ScriptStep s = targeted(ScriptStep::Kind::Drag, from, mods);
    s.to = to;
    return add(std::move(s));
}
Script& Script::dragBy(Target from, int dx, int dy, unsigned mods) {
    ScriptStep s = targeted(ScriptStep::Kind::Drag, from, mods);
    s.to = point(dx, dy);
    s.relative = true;
    return add(std::move(s));
}
Script& Script::type(std::string text) {
    ScriptStep s;
    s.kind = ScriptStep::Kind::Type;
    s.text = std::move(text);
    return add(std::move(s));
}
Script& Script::key(UINT vkey, unsigned mods) {
    ScriptStep s = targeted(ScriptStep::Kind::Key, {}, mods);
    s.vkey = vkey;
    return add(std::move(s));
}
Script& Script::keyDown(UINT vkey, unsigned mods) {
    ScriptStep s = targeted(ScriptStep::Kind::KeyDown, {}, mods);
    s.vkey = vkey;
    return add(std::move(s));
}
Script& Script::keyUp(UINT vkey, unsigned mods) {
    ScriptStep s = targeted(ScriptStep::Kind::KeyUp, {}, mods);
    s.vkey = vkey;
    return add(std::move(s));
}
Script& Script::select(Target t, std::string item) {
    ScriptStep s = targeted(ScriptStep::Kind::Select, t, ModNone);
    s.text = std::move(item);
    return add(std::move(s));
}
Script& Script::answer(int answer) {
    ScriptStep s;
    s.kind = ScriptStep::Kind::Answer;
    s.number = answer;
    return add(std::move(s));
}
Script& Script::advance(unsigned ms) {
    ScriptStep s;
    s.kind = ScriptStep::Kind::Advance;
    s.number = static_cast<int>(ms);
    return add(std::move(s));
}
Script& Script::check(std::function<void()> check, std::string description) {
    ScriptStep s;
    s.kind = ScriptStep::Kind::Check;
    s.check = std::move(check);
    s.text = std::move(description);
    return add(std::move(s));
}
Script& Script::close() {
    ScriptStep s;
    s.kind = ScriptStep::Kind::Close;
    return add(std::move(s));
}
Script& Script::resize(int width, int height) {
    ScriptStep s;
    s.kind = ScriptStep::Kind::Resize;
    s.number = width;
    s.number2 = height;
    return add(std::move(s));
}

const std::string& Script::name() const { return state_->name; }
std::size_t Script::stepCount() const { return state_->steps.size(); }
std::size_t Script::consumedCount() const { return state_->position; }
bool Script::finished() const {
    return state_->position >= state_->steps.size() && state_->pending.empty() && state_->errors.empty();
}
const std::vector<std::string>& Script::errors() const { return state_->errors; }

std::vector<std::string> Script::remainingSteps() const {
    std::vector<std::string> out;
    for (std::size_t i = state_->position; i < state_->steps.size(); ++i) out.push_back(state_->steps[i].describe());
    return out;
}

void runWithScript(Script& script, const std::function<void()>& fn) {
    ScriptSource source(script.state());
    {
        ScopedInputSource scope(source);
        fn();
    }
    std::vector<std::string> problems = script.errors();
    auto& s = *script.state();
    for (std::size_t i = s.position; i < s.steps.size(); ++i) {
        problems.push_back(s.name + ": step " + std::to_string(i + 1) +
                           (s.steps[i].line ? " (line " + std::to_string(s.steps[i].line) + ")" : "") +
                           " not reached: " + s.steps[i].describe());
    }
    detail::recordScriptProblems(problems);
    // A step's last events can outlive the loop they ended (the key-up after Escape closed the dialog):
    // the person's hand still lifts, and the event goes to whatever has the focus now.
    auto& pending = script.state()->pending;
    while (!pending.empty()) {
        PumpAction a = std::move(pending.front());
        pending.pop_front();
        if (auto* e = std::get_if<InputEvent>(&a)) {
            deliverInput(*e);
        } else if (auto* task = std::get_if<std::function<void()>>(&a); task && *task) {
            (*task)();
        }
    }
}

namespace detail {
std::vector<std::string>& scriptProblemRecords() {
    static std::vector<std::string> records;
    return records;
}
void recordScriptProblems(const std::vector<std::string>& problems) {
    auto& r = scriptProblemRecords();
    r.insert(r.end(), problems.begin(), problems.end());
}
}  // namespace detail

}  // namespace vtl::win
