#include "win/layout_check.h"

#include <algorithm>
#include <optional>

#include "look.h"
#include "utf8.h"
#include "window_system.h"

namespace vtl::win {
namespace {
using detail::TextPlace;
using detail::Window;
using detail::WindowSystem;

constexpr int kComboEditId = 1001;
constexpr std::size_t kShownTextLength = 40;  // code points of a window's text quoted in a problem

std::string sizeText(LONG w, LONG h) {
    return std::to_string(w) + "x" + std::to_string(h);
}

std::string rectText(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

RECT intersection(const RECT& a, const RECT& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

bool inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool hasArea(const RECT& r) {
    return r.right > r.left && r.bottom > r.top;
}

std::string classOf(const Window& w) {
    return detail::lowerAscii(w.cls->name);
}

std::string describe(const Window& w) {
    std::string text = w.text;
    for (char& ch : text)
        if (ch == '\r' || ch == '\n' || ch == '\t') ch = ' ';
    const std::u32string all = detail::toU32(text);
    if (all.size() > kShownTextLength) text = detail::toUtf8(all.substr(0, kShownTextLength)) + "...";
    std::string out = w.cls->name + " " + std::to_string(w.id);
    if (w.dialog && w.dialog->templateId) out += " of template " + std::to_string(w.dialog->templateId);
    if (!text.empty()) out += " \"" + text + "\"";
    return out;
}

// The text drawn at `place` in a control of size `client`: what is wrong when any of it leaves the place or
// the client area. (A single-line edit draws past its place unclipped, but scrolls its text as soon as the
// caret goes past it, so its place is its room as well.)
std::optional<std::string> cutText(HFONT font, std::string_view text, const TextPlace& place, SIZE client,
                                   const std::string& what = "text") {
    if (text.empty()) return std::nullopt;
    const RECT room = intersection(place.rect, {0, 0, client.cx, client.cy});
    const RECT box = detail::textBox(font, text, place);
    if (inside(box, room)) return std::nullopt;
    const int lineH = gfx::fontMetrics(font).height;
    const LONG lines = lineH > 0 ? (box.bottom - box.top) / lineH : 1;
    std::string out = what + " cut: needs " + sizeText(box.right - box.left, box.bottom - box.top) + " pixels";
    if (lines > 1) out += " as " + std::to_string(lines) + " lines";
    out += ", has " + sizeText(std::max<LONG>(0, room.right - room.left), std::max<LONG>(0, room.bottom - room.top));
    if (lines > 1 && (place.format & DT_WORDBREAK)) {
        // Wrapped text that would fit one line: the width that line needs tells how much wider to make it.
        const RECT oneLine = detail::textBox(font, text, {place.rect, place.format & ~DT_WORDBREAK});
        if (oneLine.bottom - oneLine.top <= lineH)
            out += " (one line would need " + std::to_string(oneLine.right - oneLine.left) + ")";
    }
    return out;
}

std::optional<std::string> buttonProblem(const Window& w, SIZE cs) {
    const DWORD type = w.style & BS_TYPEMASK;
    if (type == BS_OWNERDRAW) return std::nullopt;  // its owner draws it
    if (type == BS_GROUPBOX) {
        if (w.text.empty()) return std::nullopt;
        // The caption and the gap it cuts in the frame must end inside the frame's right edge.
        const TextPlace caption = detail::groupBoxCaption(w.font, w.text);
        const RECT frame = detail::groupBoxFrame(cs, w.font);
        const RECT room{caption.rect.left, 0, frame.right - 2, std::min(caption.rect.bottom, static_cast<LONG>(cs.cy))};
        const RECT box = detail::textBox(w.font, w.text, caption);
        if (caption.rect.right <= room.right && box.bottom <= room.bottom) return std::nullopt;
        return "caption cut: needs " + sizeText(caption.rect.right - caption.rect.left, box.bottom - box.top) +
               " pixels inside the frame, has " + sizeText(std::max<LONG>(0, room.right - room.left), room.bottom);
    }
    const bool checkType = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
                           type == BS_AUTO3STATE || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
    const bool picture = (w.style & (BS_BITMAP | BS_ICON)) || SendMessage(w.handle, BM_GETIMAGE, 0, 0) != 0 ||
                         SendMessage(w.handle, BM_GETIMAGE, 1, 0) != 0;
    if (!checkType || (w.style & BS_PUSHLIKE)) {
        if (picture) return std::nullopt;  // a picture replaces the text
        return cutText(w.font, w.text, detail::pushButtonText(cs, type == BS_DEFPUSHBUTTON), cs);
    }
    const RECT mark = detail::checkBoxMark(cs);
    if (!inside(mark, {0, 0, cs.cx, cs.cy}))
        return std::string(type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON ? "circle" : "box") + " cut: needs " +
               sizeText(detail::kCheckBoxSize, detail::kCheckBoxSize) + " pixels, has " + sizeText(cs.cx, cs.cy);
    return cutText(w.font, w.text, detail::checkBoxText(cs), cs, "text beside the box");
}

std::optional<std::string> editProblem(const Window& w, SIZE cs) {
    const bool multiline = (w.style & ES_MULTILINE) != 0;
    if (!multiline) {
        // The whole text must show: a cut number or name is read wrongly.
        const std::string shown = (w.style & ES_PASSWORD)
                                      ? std::string(static_cast<std::size_t>(detail::codePointCount(w.text)), '*')
                                      : w.text;
        return cutText(w.font, shown, detail::editText(cs, w.font, false), cs);
    }
    // Several lines scroll: text below the last shown line is expected. Cut is a word wider than the field
    // (wrapping cannot break it) or a field lower than one line.
    std::string text;
    for (char c : w.text)
        if (c != '\r') text += c;
    if (text.empty()) return std::nullopt;
    const TextPlace place = detail::editText(cs, w.font, true);
    const RECT room = intersection(place.rect, {0, 0, cs.cx, cs.cy});
    const RECT box = detail::textBox(w.font, text, place);
    const int lineH = gfx::fontMetrics(w.font).height;
    if (box.left >= room.left && box.right <= room.right && room.bottom - room.top >= lineH) return std::nullopt;
    return "text cut: needs " + std::to_string(box.right - box.left) + " pixels of width and " + std::to_string(lineH) +
           " of height for a line, has " +
           sizeText(std::max<LONG>(0, room.right - room.left), std::max<LONG>(0, room.bottom - room.top));
}

std::optional<std::string> comboProblem(WindowSystem& ws, const Window& w, SIZE cs) {
    const bool dropDown = (w.style & 3) == CBS_DROPDOWN;
    if (dropDown) {
        // The field is the combo box's own edit.
        for (HWND child : w.children) {
            const Window* e = ws.find(child);
            if (!e || e->id != kComboEditId || classOf(*e) != "edit") continue;
            return cutText(e->font, e->text, detail::editText(ws.clientSize(*e), e->font, false), ws.clientSize(*e),
                           "field text");
        }
        return std::nullopt;
    }
    if (w.style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) return std::nullopt;  // its owner draws the field
    return cutText(w.font, w.text, detail::comboFieldText(cs), cs, "field text");
}

// The problem with the text a control of a standard class draws, if any.
std::optional<std::string> textProblem(WindowSystem& ws, const Window& w) {
    const SIZE cs = ws.clientSize(w);
    const std::string cls = classOf(w);
    if (cls == "static") {
        if (!detail::staticShowsText(w.style)) return std::nullopt;
        return cutText(w.font, w.text, detail::staticText(cs, w.style), cs);
    }
    if (cls == "button") return buttonProblem(w, cs);
    if (cls == "edit") return editProblem(w, cs);
    if (cls == "combobox") return comboProblem(ws, w, cs);
    return std::nullopt;
}

// A window behind others that is meant to have controls on it; `over` is the part another sibling covers,
// in the parent's client coordinates.
bool isBackdropFor(const Window& w, const RECT& over) {
    const std::string cls = classOf(w);
    if (cls == "static") {
        switch (w.style & SS_TYPEMASK) {
            case SS_ICON:
            case SS_BITMAP:
            case SS_OWNERDRAW:
            case SS_BLACKRECT:
            case SS_GRAYRECT:
            case SS_WHITERECT:
            case SS_BLACKFRAME:
            case SS_ETCHEDFRAME:
                return true;
            default:
                return false;
        }
    }
    if (cls == "button") return (w.style & BS_TYPEMASK) == BS_GROUPBOX;
    if (cls == "systabcontrol32") {
        // Pages and controls sit on the display area; covering the tabs or the edge is an overlap.
        RECT area = w.rect;
        SendMessage(w.handle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
        return inside(over, area);
    }
    return false;
}

// Whether the checker looks inside a window: not into a combo box (its edit is its field, checked with it)
// nor into a class the framework does not know (its inner windows are its own).
bool walkInto(const Window& w) {
    static const char* const known[] = {"#32770",  "button",          "edit",          "static",
                                        "listbox", "systabcontrol32", "syslistview32", "vtlframe"};
    if (w.cls->isDialog) return true;
    const std::string cls = classOf(w);
    return std::find(std::begin(known), std::end(known), cls) != std::end(known);
}

class Checker {
public:
    Checker(WindowSystem& ws, HWND top) : ws_(ws), top_(top) {}

    void walk(const Window& parent) {
        const SIZE client = ws_.clientSize(parent);
        std::vector<const Window*> shown;  // top of the z-order first
        for (HWND h : parent.children) {
            const Window* c = ws_.find(h);
            if (c && c->visibleFlag() && c->isChild()) shown.push_back(c);
        }
        for (const Window* c : shown) {
            if (auto problem = textProblem(ws_, *c)) report(*c, *problem);
            if (!inside(c->rect, {0, 0, client.cx, client.cy}))
                report(*c, "outside its parent's client area " + rectText({0, 0, client.cx, client.cy}) + ": at " +
                               rectText(c->rect));
        }
        for (std::size_t i = 0; i < shown.size(); ++i) {
            for (std::size_t j = i + 1; j < shown.size(); ++j) {
                const Window& front = *shown[i];
                const Window& behind = *shown[j];
                const RECT over = intersection(front.rect, behind.rect);
                if (!hasArea(over) || isBackdropFor(behind, over)) continue;
                report(front, "overlaps " + describe(behind) + " by " +
                                  sizeText(over.right - over.left, over.bottom - over.top) + " pixels at " +
                                  rectText(over));
            }
        }
        for (const Window* c : shown)
            if (walkInto(*c)) walk(*c);
    }

    std::vector<std::string> problems;

private:
    void report(const Window& w, const std::string& what) {
        std::string where;
        const Window* parent = ws_.find(w.parent);
        if (parent && parent->handle != top_) where = " (in " + describe(*parent) + ")";
        problems.push_back(describe(w) + where + ": " + what);
    }

    WindowSystem& ws_;
    HWND top_;
};
}  // namespace

std::vector<std::string> layoutProblems(HWND topLevel) {
    auto& ws = WindowSystem::get();
    const Window* top = ws.find(topLevel);
    if (!top || !top->visibleFlag()) return {};
    Checker checker(ws, topLevel);
    checker.walk(*top);
    return std::move(checker.problems);
}

std::string describeWindow(HWND h) {
    const Window* w = WindowSystem::get().find(h);
    return w ? describe(*w) : "no window";
}

}  // namespace vtl::win
