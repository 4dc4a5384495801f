#pragma once
// Scripts: what a person does, as data. Each step acts on what a person sees (a control by its id in the
// active window, a point, a message-box button by its answer) and is turned into input events, so focus,
// pre-translation and notifications happen exactly as for a real click or keystroke. A wait step holds the
// script until its condition is true; if the pump needs input while it is false, the waiting loop is
// recorded as unanswered and cancelled.
//
// Text form (one step per line, '#' starts a comment):
//   wait dialog 8131 | wait caption "Input" | wait class "#32770"
//   wait messagebox "exact text" | wait messagebox contains "part"
//   click 1092 | click OK | click 1092 shift+ctrl | click point 120 80 | click menu "Copy"
//   click 1204 in dialog 218 (a control of a shown dialog that is not the active window)
//   click tab 2 (the third item of the active window's tab control 8097)
//   rclick 1092 | dblclick 1092 | drag 1001 to 1002 | drag point 10 10 to point 40 40
//   drag 33000 by 40 -20 | drag 33000 by 40 -20 shift (from the target, by that many pixels)
//   type "M20" | key TAB | key shift+TAB | keydown SPACE | keyup SPACE
//   select 1092 "M20" | answer YES | advance 50 | close | resize 400 300
//   expect text 1001 "abc" | expect checked 1001 2 | expect focus 1001
//   expect enabled 1001 | expect disabled 1001 | expect visible 1001 | expect hidden 1001
//   expect dialog 8131 | expect messagebox contains "part"
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "win/export.h"
#include "win/input.h"
#include "win/types.h"

namespace vtl::win {

// What a step acts on.
struct Target {
    enum class Kind { Control, Point, Focus, MenuItem, Located };
    Kind kind = Kind::Control;
    int id = 0;
    POINT point;
    std::string text;  // a menu item's text; what a located target is
    // Finds the screen point when the step is taken (a place inside a control that exists only then);
    // nothing means the place cannot be found.
    std::function<std::optional<POINT>()> locate;
    // A control of the shown dialog made from this template (the topmost such) instead of the active
    // window's: a person clicks into a modeless dialog that is not active.
    int dialog = 0;
    VTLWIN_API std::string describe() const;
};
inline Target ctrl(int id) { return {Target::Kind::Control, id, {}, {}, {}}; }
inline Target ctrlIn(int dialogTemplate, int id) {
    Target t = ctrl(id);
    t.dialog = dialogTemplate;
    return t;
}
inline Target point(int x, int y) { return {Target::Kind::Point, 0, {x, y}, {}, {}}; }
inline Target focused() { return {Target::Kind::Focus, 0, {}, {}, {}}; }
// An item of the open pop-up menu, by its text ('&' ignored), the innermost menu first.
inline Target menuItem(std::string text) { return {Target::Kind::MenuItem, 0, {}, std::move(text), {}}; }
// A point found when the step is taken; `what` names it in reports.
inline Target located(std::string what, std::function<std::optional<POINT>()> locate) {
    return {Target::Kind::Located, 0, {}, std::move(what), std::move(locate)};
}

// What a wait step waits for.
struct Condition {
    enum class Kind { DialogTemplate, Caption, ClassName, MessageBoxText, MessageBoxContains };
    Kind kind = Kind::DialogTemplate;
    int templateId = 0;
    std::string text;
    VTLWIN_API bool satisfied() const;
    VTLWIN_API std::string describe() const;
};
inline Condition dialogWithTemplate(int id) { return {Condition::Kind::DialogTemplate, id, {}}; }
inline Condition captionIs(std::string text) { return {Condition::Kind::Caption, 0, std::move(text)}; }
inline Condition classIs(std::string name) { return {Condition::Kind::ClassName, 0, std::move(name)}; }
inline Condition messageBoxWith(std::string text) { return {Condition::Kind::MessageBoxText, 0, std::move(text)}; }
inline Condition messageBoxContaining(std::string text) {
    return {Condition::Kind::MessageBoxContains, 0, std::move(text)};
}

struct ScriptStep {
    enum class Kind {
        Wait, Click, RightClick, DoubleClick, Drag, Type, Key, KeyDown, KeyUp, Select, Answer, Advance, Check,
        Close, Resize
    };
    Kind kind = Kind::Wait;
    Condition condition;
    Target target;
    Target to;
    std::string text;
    UINT vkey = 0;
    unsigned modifiers = ModNone;
    int number = 0;  // answer id, milliseconds, width
    int number2 = 0; // height
    bool relative = false;  // a drag whose end is `to.point` pixels away from its start
    std::function<void()> check;
    int line = 0;    // line in the text form
    VTLWIN_API std::string describe() const;
};

class ScriptParseError : public std::runtime_error {
public:
    ScriptParseError(const std::string& name, int line, const std::string& what)
        : std::runtime_error(name + ":" + std::to_string(line) + ": " + what) {}
};

class VTLWIN_API Script {
public:
    explicit Script(std::string name = "script");

    Script& waitFor(Condition condition);
    Script& click(Target target, unsigned modifiers = ModNone);
    Script& rightClick(Target target, unsigned modifiers = ModNone);
    Script& doubleClick(Target target, unsigned modifiers = ModNone);
    Script& drag(Target from, Target to, unsigned modifiers = ModNone);
    // Presses the left button on `from`, moves by dx, dy in four steps and releases there.
    Script& dragBy(Target from, int dx, int dy, unsigned modifiers = ModNone);
    Script& type(std::string text);
    Script& key(UINT vkey, unsigned modifiers = ModNone);
    Script& keyDown(UINT vkey, unsigned modifiers = ModNone);
    Script& keyUp(UINT vkey, unsigned modifiers = ModNone);
    Script& select(Target target, std::string item);
    // Clicks the button of the shown message box whose result is `answer` (IDYES, IDNO, ...).
    Script& answer(int answer);
    Script& advance(unsigned ms);
    Script& check(std::function<void()> check, std::string description = "check");
    // Clicks the close box of the active window.
    Script& close();
    // Drags the bottom-right corner of the active window until its window size is width x height.
    Script& resize(int width, int height);

    // Reads the text form; throws ScriptParseError.
    static Script parse(std::string_view text, std::string name = "script");

    const std::string& name() const;
    std::size_t stepCount() const;
    std::size_t consumedCount() const;
    bool finished() const;
    const std::vector<std::string>& errors() const;
    // The steps not yet consumed, described.
    std::vector<std::string> remainingSteps() const;

    struct State;
    std::shared_ptr<State> state() const { return state_; }

private:
    Script& add(ScriptStep step);
    std::shared_ptr<State> state_;
};

// Runs fn with the script as the thread's input source. Afterwards what the script left (steps not
// consumed, errors) is kept for the test fixture.
VTLWIN_API void runWithScript(Script& script, const std::function<void()>& fn);

// Key names of the text form ("TAB", "F12", "A", ...), and modifier prefixes ("shift+ctrl+").
VTLWIN_API std::optional<UINT> virtualKeyByName(std::string_view name);
VTLWIN_API std::string virtualKeyName(UINT vkey);
// Answer names of the text form: OK, CANCEL, ABORT, RETRY, IGNORE, YES, NO.
VTLWIN_API std::optional<int> answerByName(std::string_view name);

}  // namespace vtl::win
