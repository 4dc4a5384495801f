// The text form of scripts, as `vtlhost run` reads it.
#include <charconv>
#include <map>
#include <stdexcept>

#include "line_tokens.h"
#include "script_state.h"
#include "window_system.h"
#include "win/api.h"
#include "win/messages.h"
#include "win/keys.h"
#include "win/script.h"

namespace vtl::win {
namespace {

// Item `index` (from 0) of the tab control 8097 of the active window.
Target tabItem(int index) {
    constexpr int kTabControlId = 8097;
    return located("tab " + std::to_string(index), [index]() -> std::optional<POINT> {
        const HWND tabs = ::GetDlgItem(::GetActiveWindow(), kTabControlId);
        RECT r;
        if (!tabs || !::SendMessage(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)))
            return std::nullopt;
        POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ::ClientToScreen(tabs, &p);
        return p;
    });
}

const std::map<std::string, UINT>& keyNames() {
    static const std::map<std::string, UINT> names = [] {
        std::map<std::string, UINT> m = {
            {"BACK", VK_BACK}, {"BACKSPACE", VK_BACK}, {"TAB", VK_TAB}, {"RETURN", VK_RETURN}, {"ENTER", VK_RETURN},
            {"SHIFT", VK_SHIFT}, {"CONTROL", VK_CONTROL}, {"CTRL", VK_CONTROL}, {"ALT", VK_MENU}, {"MENU", VK_MENU},
            {"ESCAPE", VK_ESCAPE}, {"ESC", VK_ESCAPE}, {"SPACE", VK_SPACE}, {"PRIOR", VK_PRIOR},
            {"PAGEUP", VK_PRIOR}, {"NEXT", VK_NEXT}, {"PAGEDOWN", VK_NEXT}, {"END", VK_END}, {"HOME", VK_HOME},
            {"LEFT", VK_LEFT}, {"UP", VK_UP}, {"RIGHT", VK_RIGHT}, {"DOWN", VK_DOWN}, {"INSERT", VK_INSERT},
            {"DELETE", VK_DELETE}, {"DEL", VK_DELETE},
        };
        for (int i = 1; i <= 12; ++i) m["F" + std::to_string(i)] = VK_F1 + static_cast<UINT>(i - 1);
        for (char c = 'A'; c <= 'Z'; ++c) m[std::string(1, c)] = static_cast<UINT>(c);
        for (char c = '0'; c <= '9'; ++c) m[std::string(1, c)] = static_cast<UINT>(c);
        return m;
    }();
    return names;
}

std::string upper(std::string_view s) {
    std::string u(s);
    for (char& c : u) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return u;
}

using Token = detail::LineToken;

std::vector<Token> tokenize(std::string_view line, const std::string& name, int lineNo) {
    std::vector<Token> out;
    if (!detail::splitLine(line, "", false, out)) throw ScriptParseError(name, lineNo, "unterminated string");
    return out;
}

class LineReader {
public:
    LineReader(std::vector<Token> t, const std::string& name, int line) : t_(std::move(t)), name_(name), line_(line) {}

    bool atEnd() const { return i_ >= t_.size(); }
    [[noreturn]] void fail(const std::string& what) const { throw ScriptParseError(name_, line_, what); }

    std::string word(const char* what) {
        if (atEnd() || t_[i_].quoted) fail(std::string("expected ") + what);
        return t_[i_++].text;
    }
    std::string quoted(const char* what) {
        if (atEnd() || !t_[i_].quoted) fail(std::string("expected ") + what + " in quotes");
        return t_[i_++].text;
    }
    bool peekWord(std::string_view w) const { return !atEnd() && !t_[i_].quoted && upper(t_[i_].text) == upper(w); }
    int number(const char* what) {
        const std::string w = word(what);
        int v = 0;
        const auto r = std::from_chars(w.data(), w.data() + w.size(), v);
        if (r.ec != std::errc() || r.ptr != w.data() + w.size()) fail(std::string("expected a number for ") + what);
        return v;
    }
    // A control id, OK/CANCEL/YES/NO, or "point X Y".
    Target target() {
        if (peekWord("point")) {
            ++i_;
            const int x = number("x");
            const int y = number("y");
            return point(x, y);
        }
        if (peekWord("focus")) {
            ++i_;
            return focused();
        }
        if (peekWord("menu")) {
            ++i_;
            return menuItem(quoted("the menu item"));
        }
        if (peekWord("tab")) {
            ++i_;
            return tabItem(number("the tab's index"));
        }
        const std::string w = word("a control id");
        Target t;
        if (auto a = answerByName(w)) {
            t = ctrl(*a);
        } else {
            int v = 0;
            const auto r = std::from_chars(w.data(), w.data() + w.size(), v);
            if (r.ec != std::errc() || r.ptr != w.data() + w.size()) fail("expected a control id, found \"" + w + "\"");
            t = ctrl(v);
        }
        if (peekWord("in")) {
            ++i_;
            if (!peekWord("dialog")) fail("expected \"dialog\" after \"in\"");
            ++i_;
            t.dialog = number("the dialog's template");
        }
        return t;
    }
    // "shift+ctrl+TAB" -> key and modifiers; with keyRequired false, "shift+ctrl" alone.
    std::pair<UINT, unsigned> keyChord(bool keyRequired) {
        const std::string w = word(keyRequired ? "a key" : "modifiers");
        unsigned mods = ModNone;
        std::string rest = w;
        while (true) {
            const auto plus = rest.find('+');
            if (plus == std::string::npos) break;
            const std::string m = upper(rest.substr(0, plus));
            if (m == "SHIFT") mods |= ModShift;
            else if (m == "CTRL" || m == "CONTROL") mods |= ModCtrl;
            else if (m == "ALT") mods |= ModAlt;
            else fail("unknown modifier \"" + m + "\"");
            rest = rest.substr(plus + 1);
        }
        if (!keyRequired) {
            const std::string m = upper(rest);
            if (m == "SHIFT") mods |= ModShift;
            else if (m == "CTRL" || m == "CONTROL") mods |= ModCtrl;
            else if (m == "ALT") mods |= ModAlt;
            else fail("unknown modifier \"" + rest + "\"");
            return {0, mods};
        }
        auto vk = virtualKeyByName(rest);
        if (!vk) fail("unknown key \"" + rest + "\"");
        return {*vk, mods};
    }
    unsigned optionalModifiers() { return atEnd() ? ModNone : keyChord(false).second; }
    void end() {
        if (!atEnd()) fail("unexpected \"" + t_[i_].text + "\"");
    }
    int line() const { return line_; }

private:
    std::vector<Token> t_;
    std::size_t i_ = 0;
    std::string name_;
    int line_;
};

// An "expect" line becomes a check that fails the script with a clear message.
std::function<void()> expectation(LineReader& r) {
    const std::string what = upper(r.word("what to expect"));
    if (what == "TEXT") {
        const int id = r.target().id;
        const std::string text = r.quoted("the text");
        return [id, text] {
            const HWND h = detail::findControlInActiveWindow(id);
            if (!h) throw std::runtime_error("no control " + std::to_string(id));
            const std::string actual = GetWindowText(h);
            if (actual != text) throw std::runtime_error("text of " + std::to_string(id) + " is \"" + actual + "\", expected \"" + text + "\"");
        };
    }
    if (what == "CHECKED") {
        const int id = r.target().id;
        const int state = r.number("the check state");
        return [id, state] {
            const HWND h = detail::findControlInActiveWindow(id);
            if (!h) throw std::runtime_error("no control " + std::to_string(id));
            const auto actual = static_cast<int>(SendMessage(h, BM_GETCHECK, 0, 0));
            if (actual != state)
                throw std::runtime_error("check state of " + std::to_string(id) + " is " + std::to_string(actual) +
                                         ", expected " + std::to_string(state));
        };
    }
    if (what == "FOCUS") {
        const int id = r.target().id;
        return [id] {
            const HWND f = GetFocus();
            if (!f || GetDlgCtrlID(f) != id)
                throw std::runtime_error("focus is on " + (f ? std::to_string(GetDlgCtrlID(f)) : std::string("nothing")) +
                                         ", expected " + std::to_string(id));
        };
    }
    if (what == "ENABLED" || what == "DISABLED" || what == "VISIBLE" || what == "HIDDEN") {
        const int id = r.target().id;
        return [id, what] {
            const HWND h = detail::findControlInActiveWindow(id);
            if (!h) throw std::runtime_error("no control " + std::to_string(id));
            const bool ok = what == "ENABLED"   ? IsWindowEnabled(h)
                            : what == "DISABLED" ? !IsWindowEnabled(h)
                            : what == "VISIBLE"  ? IsWindowVisible(h)
                                                 : !IsWindowVisible(h);
            if (!ok) throw std::runtime_error("control " + std::to_string(id) + " is not " + what);
        };
    }
    if (what == "DIALOG") {
        const int id = r.number("the template number");
        return [id] {
            if (!dialogWithTemplate(id).satisfied())
                throw std::runtime_error("the active window is not dialog " + std::to_string(id));
        };
    }
    r.fail("unknown expectation \"" + what + "\"");
}

Condition condition(LineReader& r) {
    const std::string what = upper(r.word("what to wait for"));
    if (what == "DIALOG") return dialogWithTemplate(r.number("the template number"));
    if (what == "CAPTION") return captionIs(r.quoted("the caption"));
    if (what == "CLASS") return classIs(r.quoted("the class name"));
    if (what == "MESSAGEBOX") {
        if (r.peekWord("contains")) {
            r.word("contains");
            return messageBoxContaining(r.quoted("the text"));
        }
        return messageBoxWith(r.quoted("the text"));
    }
    r.fail("unknown wait \"" + what + "\"");
}
}  // namespace

std::optional<UINT> virtualKeyByName(std::string_view name) {
    const auto& names = keyNames();
    auto it = names.find(upper(name));
    if (it == names.end()) return std::nullopt;
    return it->second;
}

std::string virtualKeyName(UINT vkey) {
    for (const auto& [name, vk] : keyNames())
        if (vk == vkey && name != "ENTER" && name != "ESC" && name != "CTRL" && name != "DEL" && name != "BACKSPACE" &&
            name != "PAGEUP" && name != "PAGEDOWN" && name != "MENU")
            return name;
    return std::to_string(vkey);
}

std::optional<int> answerByName(std::string_view name) {
    static const std::map<std::string, int> answers = {{"OK", IDOK},         {"CANCEL", IDCANCEL}, {"ABORT", IDABORT},
                                                       {"RETRY", IDRETRY},   {"IGNORE", IDIGNORE}, {"YES", IDYES},
                                                       {"NO", IDNO}};
    auto it = answers.find(upper(name));
    if (it == answers.end()) return std::nullopt;
    return it->second;
}

Script Script::parse(std::string_view text, std::string name) {
    Script script(name);
    int lineNo = 0;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        const std::size_t eol = text.find('\n', pos);
        const std::string_view line = text.substr(pos, eol == std::string_view::npos ? std::string_view::npos : eol - pos);
        pos = (eol == std::string_view::npos) ? text.size() + 1 : eol + 1;
        ++lineNo;
        auto tokens = tokenize(line, name, lineNo);
        if (tokens.empty()) continue;
        LineReader r(std::move(tokens), name, lineNo);
        const std::string verb = upper(r.word("a step"));
        const std::size_t before = script.stepCount();
        if (verb == "WAIT") {
            script.waitFor(condition(r));
        } else if (verb == "CLICK" || verb == "RCLICK" || verb == "DBLCLICK") {
            const Target t = r.target();
            const unsigned mods = r.optionalModifiers();
            if (verb == "CLICK") script.click(t, mods);
            else if (verb == "RCLICK") script.rightClick(t, mods);
            else script.doubleClick(t, mods);
        } else if (verb == "DRAG") {
            const Target from = r.target();
            if (r.peekWord("by")) {
                r.word("by");
                const int dx = r.number("the horizontal distance");
                const int dy = r.number("the vertical distance");
                script.dragBy(from, dx, dy, r.optionalModifiers());
            } else {
                if (!r.peekWord("to")) r.fail("expected \"to\" or \"by\"");
                r.word("to");
                const Target to = r.target();
                script.drag(from, to, r.optionalModifiers());
            }
        } else if (verb == "TYPE") {
            script.type(r.quoted("the text"));
        } else if (verb == "KEY" || verb == "KEYDOWN" || verb == "KEYUP") {
            const auto [vk, mods] = r.keyChord(true);
            if (verb == "KEY") script.key(vk, mods);
            else if (verb == "KEYDOWN") script.keyDown(vk, mods);
            else script.keyUp(vk, mods);
        } else if (verb == "SELECT") {
            const Target t = r.target();
            script.select(t, r.quoted("the item"));
        } else if (verb == "ANSWER") {
            const std::string a = r.word("an answer");
            auto id = answerByName(a);
            if (!id) r.fail("unknown answer \"" + a + "\"");
            script.answer(*id);
        } else if (verb == "ADVANCE") {
            const int ms = r.number("milliseconds");
            if (ms < 0) r.fail("negative time");
            script.advance(static_cast<unsigned>(ms));
        } else if (verb == "CLOSE") {
            script.close();
        } else if (verb == "RESIZE") {
            const int w = r.number("the width");
            const int h = r.number("the height");
            script.resize(w, h);
        } else if (verb == "EXPECT") {
            if (r.peekWord("messagebox")) {
                script.waitFor(condition(r));
            } else {
                auto lineText = std::string(line);
                while (!lineText.empty() && (lineText.back() == '\r' || lineText.back() == ' ')) lineText.pop_back();
                script.check(expectation(r), lineText.substr(lineText.find_first_not_of(" \t")));
            }
        } else {
            r.fail("unknown step \"" + verb + "\"");
        }
        r.end();
        for (std::size_t i = before; i < script.stepCount(); ++i) script.state()->steps[i].line = lineNo;
    }
    return script;
}

}  // namespace vtl::win
