// The "EDIT" class: single- and multi-line text fields. Selection, caret and limits count code points.
#include <algorithm>

#include "json_writer.h"
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
    bool modified = false;
    void describe(JsonWriter& j) const override {
        j.key("selection").beginArray().value(std::min(anchor, caret)).value(std::max(anchor, caret)).endArray();
        j.key("caret").value(caret);
    }
};

EditState& stateOf(Window& w) {
    if (!w.state) w.state = std::make_unique<EditState>();
    return static_cast<EditState&>(*w.state);
}

bool multiline(const Window& w) { return (w.style & ES_MULTILINE) != 0; }
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
    WindowSystem::get().touch();
}

bool onKeyDown(HWND h, Window& w, WPARAM key) {
    EditState& s = stateOf(w);
    const bool shift = GetKeyState(VK_SHIFT) < 0;
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
        return code;
    }
    case WM_SETTEXT: {
        w->text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        s.anchor = s.caret = 0;
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
        return TRUE;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The click focuses the field; the caret goes to the end of the text.
        if (ws.focus != h) SetFocus(h);
        if ((w = ws.find(h))) moveCaret(*w, codePointCount(w->text), false);
        return 0;
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
