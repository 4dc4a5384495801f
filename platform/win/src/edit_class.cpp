// The "EDIT" class: single- and multi-line text fields. Selection, caret and limits count code points.
#include <algorithm>
#include <cstdlib>

#include "json_writer.h"
#include "look.h"
#include "gfx/text_layout.h"
#include "gfx/text_metrics.h"
#include "text_metrics.h"
#include "win/clipboard.h"
#include "utf8.h"
#include "window_system.h"
#include "win/keys.h"

namespace vtl::win::detail {
namespace {
constexpr int kDefaultLimit = 30000;

struct EditState : ControlState {
    int anchor = 0;  // selection: anchor and caret, in code points
    int caret = 0;
    int limit = kDefaultLimit;
    int scroll = 0;  // the first code point shown in a single-line edit
    bool modified = false;
    void describe(JsonWriter& j) const override {
        j.key("selection").beginArray().value(std::min(anchor, caret)).value(std::max(anchor, caret)).endArray();
        j.key("caret").value(caret);
        if (scroll) j.key("scroll").value(scroll);
    }
    bool paint(const Window& w, PaintContext& pc) const override;
};

EditState& stateOf(Window& w) {
    if (!w.state) w.state = std::make_unique<EditState>();
    return static_cast<EditState&>(*w.state);
}

bool multiline(const Window& w) { return (w.style & ES_MULTILINE) != 0; }

bool EditState::paint(const Window& w, PaintContext& pc) const {
    auto& l = pc.list;
    const SIZE cs = WindowSystem::get().clientSize(w);
    const bool readOnlyLook = !pc.enabled || (w.style & ES_READONLY);
    l.fillRect({0, 0, cs.cx, cs.cy}, readOnlyLook ? sys(COLOR_BTNFACE) : sys(COLOR_WINDOW));
    const COLORREF ink = pc.enabled ? sys(COLOR_WINDOWTEXT) : sys(COLOR_GRAYTEXT);
    const LOGFONT font = gfx::resolveFont(pc.font);
    const int lineH = gfx::fontMetrics(pc.font).height;
    if (w.style & ES_MULTILINE) {
        // Lines as they are (CR LF breaks them), from the top.
        std::string text;
        for (char c : w.text)
            if (c != '\r') text += c;
        const TextPlace place = editText(cs, pc.font, true);
        label(l, place.rect, text, pc.font, ink, place.format);
        return true;
    }
    const std::u32string all = toU32(w.text);
    const std::string shown = toUtf8(std::u32string_view(all).substr(static_cast<std::size_t>(std::min<int>(scroll, static_cast<int>(all.size())))));
    const TextPlace place = editText(cs, pc.font, false);
    const int top = place.rect.top;
    const auto xs = gfx::caretPositions(font, shown);
    const int a = std::min(anchor, caret) - scroll, b = std::max(anchor, caret) - scroll;
    auto xAt = [&](int i) { return 1 + xs[static_cast<std::size_t>(std::clamp(i, 0, static_cast<int>(xs.size()) - 1))]; };
    std::string drawn = shown;
    if (w.style & ES_PASSWORD) drawn.assign(static_cast<std::size_t>(codePointCount(shown)), '*');
    label(l, place.rect, drawn, pc.font, ink, place.format);
    if (pc.focused && a != b) {
        // The selection, inverted.
        const RECT sel{xAt(a), top, xAt(b), top + lineH};
        l.fillRect(sel, sys(COLOR_HIGHLIGHT));
        l.pushClip(sel);
        label(l, place.rect, drawn, pc.font, sys(COLOR_HIGHLIGHTTEXT), place.format);
        l.popClip();
    } else if (pc.focused) {
        l.line({xAt(caret - scroll), top}, {xAt(caret - scroll), top + lineH}, sys(COLOR_WINDOWTEXT));
    }
    return true;
}

// Keeps the caret of a single-line edit in view: the text scrolls by whole characters.
void scrollCaretIntoView(Window& w) {
    if (w.style & ES_MULTILINE) return;
    EditState& s = static_cast<EditState&>(*w.state);
    const std::u32string text = toU32(w.text);
    const RECT room = editText(WindowSystem::get().clientSize(w), w.font, false).rect;
    const int width = std::max(1, static_cast<int>(room.right - room.left));
    s.scroll = std::clamp(s.scroll, 0, static_cast<int>(text.size()));
    if (s.caret < s.scroll) s.scroll = s.caret;
    auto shown = [&] {
        return static_cast<int>(detail::measureText(w.font, toUtf8(text.substr(static_cast<std::size_t>(s.scroll),
                                                                      static_cast<std::size_t>(s.caret - s.scroll))))
                                    .cx);
    };
    while (s.scroll < s.caret && shown() > width) ++s.scroll;
}
bool readOnly(const Window& w) { return (w.style & ES_READONLY) != 0; }

// Replaces the selection with `insert` as typing or pasting would: the limit truncates what is inserted
// (EN_MAXTEXT when it does), and a change notifies EN_UPDATE then EN_CHANGE.
void replaceSelection(HWND h, std::u32string insert, bool notify) {
    auto& ws = WindowSystem::get();
    Window* w = ws.find(h);
    EditState& s = stateOf(*w);
    std::u32string text = toU32(w->text);
    const int len = static_cast<int>(text.size());
    const int a = std::clamp(std::min(s.anchor, s.caret), 0, len);
    const int b = std::clamp(std::max(s.anchor, s.caret), 0, len);
    const int room = std::max(0, s.limit - (len - (b - a)));
    bool truncated = false;
    if (static_cast<int>(insert.size()) > room) {
        insert.resize(static_cast<std::size_t>(room));
        truncated = true;
    }
    if (a == b && insert.empty()) {
        if (truncated && notify) notifyParent(*w, EN_MAXTEXT);
        return;
    }
    text.replace(static_cast<std::size_t>(a), static_cast<std::size_t>(b - a), insert);
    w->text = toUtf8(text);
    s.anchor = s.caret = a + static_cast<int>(insert.size());
    s.modified = true;
    scrollCaretIntoView(*w);
    ws.touch();
    if (notify) {
        notifyParent(*w, EN_UPDATE);
        if ((w = ws.find(h))) notifyParent(*w, EN_CHANGE);
        if (truncated && (w = ws.find(h))) notifyParent(*w, EN_MAXTEXT);
    }
}

void moveCaret(Window& w, int to, bool extend) {
    EditState& s = stateOf(w);
    const int len = codePointCount(w.text);
    s.caret = std::clamp(to, 0, len);
    if (!extend) s.anchor = s.caret;
    scrollCaretIntoView(w);
    WindowSystem::get().touch();
}

std::string selectedText(const Window& w, const EditState& s) {
    const std::u32string text = toU32(w.text);
    const auto a = static_cast<std::size_t>(std::clamp(std::min(s.anchor, s.caret), 0, static_cast<int>(text.size())));
    const auto b = static_cast<std::size_t>(std::clamp(std::max(s.anchor, s.caret), 0, static_cast<int>(text.size())));
    return toUtf8(text.substr(a, b - a));
}

void paste(HWND h, Window& w) {
    if (readOnly(w)) return;
    std::u32string text = toU32(clipboardText());
    if (!multiline(w)) text = text.substr(0, text.find_first_of(U"\r\n"));  // one line only
    replaceSelection(h, text, true);
}

bool onKeyDown(HWND h, Window& w, WPARAM key) {
    EditState& s = stateOf(w);
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    if (GetKeyState(VK_CONTROL) < 0) {
        switch (key) {
        case 'C':
            SendMessage(h, WM_COPY, 0, 0);
            return true;
        case 'X':
            SendMessage(h, WM_CUT, 0, 0);
            return true;
        case 'V':
            SendMessage(h, WM_PASTE, 0, 0);
            return true;
        case 'A':
            s.anchor = 0;
            s.caret = codePointCount(w.text);
            WindowSystem::get().touch();
            return true;
        default:
            break;
        }
    }
    const int len = codePointCount(w.text);
    const bool hasSelection = s.anchor != s.caret;
    switch (key) {
    case VK_LEFT:
        if (hasSelection && !shift) moveCaret(w, std::min(s.anchor, s.caret), false);
        else moveCaret(w, s.caret - 1, shift);
        return true;
    case VK_RIGHT:
        if (hasSelection && !shift) moveCaret(w, std::max(s.anchor, s.caret), false);
        else moveCaret(w, s.caret + 1, shift);
        return true;
    case VK_HOME:
        moveCaret(w, 0, shift);
        return true;
    case VK_END:
        moveCaret(w, len, shift);
        return true;
    case VK_BACK:
        if (readOnly(w)) return true;
        if (!hasSelection) {
            if (s.caret == 0) return true;
            s.anchor = s.caret - 1;
        }
        replaceSelection(h, U"", true);
        return true;
    case VK_DELETE:
        if (readOnly(w)) return true;
        if (!hasSelection) {
            if (s.caret >= len) return true;
            s.anchor = s.caret + 1;
        }
        replaceSelection(h, U"", true);
        return true;
    case VK_RETURN:
        if (multiline(w) && !readOnly(w)) replaceSelection(h, U"\r\n", true);
        return true;
    default:
        return false;
    }
}
}  // namespace

LRESULT EditProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto& ws = WindowSystem::get();
    Window* w = ws.find(h);
    if (!w) return 0;
    EditState& s = stateOf(*w);
    switch (msg) {
    case WM_GETDLGCODE: {
        LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
        // A multi-line edit that wants Enter keeps it from the default button.
        const MSG* m = reinterpret_cast<const MSG*>(lParam);
        if (multiline(*w) && (w->style & ES_WANTRETURN) && m && m->message == WM_KEYDOWN && m->wParam == VK_RETURN)
            code |= DLGC_WANTALLKEYS;
        if (comboIsDropped(h)) code |= DLGC_WANTALLKEYS;  // Enter and Escape close the combo box's list
        return code;
    }
    case WM_SETTEXT: {
        w->text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        s.anchor = s.caret = s.scroll = 0;
        s.modified = false;
        ws.touch();
        // A single-line edit reports text set by code as a change too; a multi-line one does not.
        if (!multiline(*w)) {
            notifyParent(*w, EN_UPDATE);
            if ((w = ws.find(h))) notifyParent(*w, EN_CHANGE);
        }
        return TRUE;
    }
    case WM_CHAR: {
        if (readOnly(*w) || wParam < 0x20 || wParam == 0x7F) return 0;
        if ((w->style & ES_NUMBER) && (wParam < '0' || wParam > '9')) return 0;
        replaceSelection(h, std::u32string(1, static_cast<char32_t>(wParam)), true);
        return 0;
    }
    case WM_KEYDOWN:
        if (comboHandlesEditKey(h, wParam)) return 0;
        onKeyDown(h, *w, wParam);
        return 0;
    case EM_GETSEL: {
        const int a = std::min(s.anchor, s.caret), b = std::max(s.anchor, s.caret);
        if (wParam) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(a);
        if (lParam) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(b);
        return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(std::min(a, 0xFFFF)), static_cast<WORD>(std::min(b, 0xFFFF))));
    }
    case EM_SETSEL: {
        const int len = codePointCount(w->text);
        const auto start = static_cast<int>(static_cast<LONG_PTR>(wParam));
        const auto end = static_cast<int>(lParam);
        if (start < 0) {
            s.anchor = s.caret;  // -1 removes the selection
        } else {
            s.anchor = std::clamp(start, 0, len);
            s.caret = (end < 0) ? len : std::clamp(end, 0, len);
        }
        scrollCaretIntoView(*w);
        ws.touch();
        return 0;
    }
    case EM_REPLACESEL: {
        const char* text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        replaceSelection(h, toU32(text), true);
        return 0;
    }
    case EM_LIMITTEXT:
        s.limit = wParam == 0 ? 0x7FFFFFFE : static_cast<int>(std::min<WPARAM>(wParam, 0x7FFFFFFE));
        return 0;
    case EM_GETLIMITTEXT:
        return s.limit;
    case EM_SETREADONLY:
        if (wParam) w->style |= ES_READONLY;
        else w->style &= ~ES_READONLY;
        ws.touch();
        return TRUE;
    case EM_GETMODIFY:
        return s.modified ? TRUE : FALSE;
    case EM_SETMODIFY:
        s.modified = wParam != 0;
        return 0;
    case EM_GETLINECOUNT: {
        if (!multiline(*w)) return 1;
        return 1 + static_cast<LRESULT>(std::count(w->text.begin(), w->text.end(), '\n'));
    }
    case EM_SCROLLCARET:
        scrollCaretIntoView(*w);
        return TRUE;
    case WM_COPY:
        if (s.anchor != s.caret) setClipboardText(selectedText(*w, s));
        return 0;
    case WM_CUT:
        if (s.anchor != s.caret && !readOnly(*w)) {
            setClipboardText(selectedText(*w, s));
            replaceSelection(h, U"", true);
        }
        return 0;
    case WM_CLEAR:
        if (!readOnly(*w)) replaceSelection(h, U"", true);
        return 0;
    case WM_PASTE:
        paste(h, *w);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        // The click focuses the field and puts the caret at the character boundary nearest the pointer
        // (in a multi-line edit, at the end of the text).
        if (ws.focus != h) SetFocus(h);
        if (!(w = ws.find(h))) return 0;
        int to = codePointCount(w->text);
        if (!multiline(*w)) {
            const EditState& st = stateOf(*w);
            const std::u32string text = toU32(w->text);
            const std::string shown = toUtf8(std::u32string_view(text).substr(static_cast<std::size_t>(st.scroll)));
            const auto xs = gfx::caretPositions(gfx::resolveFont(w->font), shown);
            const int x = GET_X_LPARAM(lParam) - 1;
            int best = 0;
            for (int i = 1; i < static_cast<int>(xs.size()); ++i)
                if (std::abs(xs[static_cast<std::size_t>(i)] - x) < std::abs(xs[static_cast<std::size_t>(best)] - x)) best = i;
            to = st.scroll + best;
        }
        moveCaret(*w, to, GetKeyState(VK_SHIFT) < 0);
        return 0;
    }
    case WM_SETFOCUS:
        notifyParent(*w, EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        notifyParent(*w, EN_KILLFOCUS);
        return 0;
    default:
        return DefWindowProc(h, msg, wParam, lParam);
    }
}

}  // namespace vtl::win::detail
