#include "host/pick.h"

#include <vector>

#include "host/command_line.h"
#include "host/main_window.h"
#include "host_internal.h"
#include "win/api.h"
#include "win/keys.h"
#include "win/pump.h"
#include "win/window_tree.h"

namespace vtl::host {
namespace {
struct Pick {
    HWND mainWindow;
    bool pressed = false;  // the left button went down in the drawing during this pick
    POINT press;
    bool finished = false;
    bool answered = false;
};

// The picks that wait, innermost last; input goes to the innermost.
std::vector<Pick*>& picks() {
    static std::vector<Pick*> p;
    return p;
}

std::string trimmed(const std::string& s) {
    const char* blanks = " \t\r\n";
    const auto first = s.find_first_not_of(blanks);
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

bool inDrawing(HWND mainWindow, HWND target) { return target == mainWindow || IsChild(mainWindow, target); }
}  // namespace

bool getPoint(const std::string& prompt, POINT& point) {
    const HWND main = win::mainWindow();
    if (!IsWindow(main) || !IsWindowEnabled(main)) return false;
    acutPrintf("%s", prompt.c_str());
    focusMainWindow();

    Pick pick;
    pick.mainWindow = main;
    picks().push_back(&pick);
    struct Pop {
        Pick* p;
        ~Pop() { std::erase(picks(), p); }
    } pop{&pick};

    win::WaitInfo wait;
    wait.kind = win::WaitKind::Pick;
    wait.window = main;
    wait.text = trimmed(prompt);
    wait.cancel = [&pick] { pick.finished = true; };
    win::runLoop(wait, [&pick] { return pick.finished || !IsWindow(pick.mainWindow); });

    if (!pick.answered) return false;
    point = pick.press;
    return true;
}

bool pickInProgress() { return !picks().empty(); }

namespace detail {
bool offerToPick(HWND mainWindow, const MSG& msg) {
    if (picks().empty()) return false;
    Pick& pick = *picks().back();
    if (pick.finished || pick.mainWindow != mainWindow || !inDrawing(mainWindow, msg.hwnd)) return false;
    switch (msg.message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        POINT p = msg.pt;  // screen coordinates of the press
        ScreenToClient(mainWindow, &p);
        pick.pressed = true;
        pick.press = p;
        return true;
    }
    case WM_LBUTTONUP:
        if (!pick.pressed) return false;
        pick.answered = true;
        pick.finished = true;
        return true;
    case WM_KEYDOWN:
        if (msg.wParam != VK_ESCAPE) return false;
        pick.finished = true;
        return true;
    default:
        return false;
    }
}
}  // namespace detail

}  // namespace vtl::host
