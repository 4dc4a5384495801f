#pragma once
// The window system's records: one per window handle, the class registry, focus, activation and capture.
// Private to libvtlwin.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "win/api.h"
#include "win/dialog_template.h"
#include "win/input.h"
#include "win/pump.h"
#include "win/wnd.h"

namespace vtl::win::detail {

class JsonWriter;

struct Window;
struct PaintContext;

// Per-window state of a built-in control class.
struct ControlState {
    virtual ~ControlState() = default;
    // Adds the class's state ("checked", "selection", ...) to the window's JSON.
    virtual void describe(JsonWriter&) const {}
    // Draws the class's look of the window in client coordinates; false when the class has none (the
    // renderer then fills the background itself).
    virtual bool paint(const Window&, PaintContext&) const { return false; }
};

struct WindowClass {
    std::string name;
    UINT style = 0;
    WNDPROC proc = nullptr;
    int wndExtraBytes = 0;
    HINSTANCE instance = nullptr;
    // Makes the object FromHandle hands out for windows of this class that have none attached.
    std::unique_ptr<CWnd> (*makeWrapper)() = nullptr;
    // Ignored by hit testing (labels without SS_NOTIFY, group boxes): clicks fall through.
    bool (*transparentToMouse)(DWORD style) = nullptr;
    bool isDialog = false;
};

struct DialogInfo {
    int templateId = 0;
    int defId = IDOK;
    HWND focusSave;
    bool ended = false;
    INT_PTR result = -1;
    HWND reenableOwner;  // owner disabled by a modal run, enabled again when it ends
    HFONT ownedFont;     // font made from the template, released with the dialog
};

struct Window {
    HWND handle;
    WindowClass* cls = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    int id = 0;
    std::string text;
    RECT rect;  // window rectangle: parent client coordinates for children, screen for top-level windows
    HWND parent;
    HWND owner;
    std::vector<HWND> children;  // top of the z-order first
    HFONT font;
    LONG_PTR userData = 0;
    std::vector<LONG_PTR> extra;
    HINSTANCE instance = nullptr;
    CWnd* object = nullptr;            // attached object: sees messages first
    std::unique_ptr<CWnd> wrapper;     // what FromHandle hands out when nothing is attached
    std::unique_ptr<ControlState> state;
    std::unique_ptr<DialogInfo> dialog;
    bool destroying = false;  // inside DestroyWindow: sends no notifications
    bool destroyed = false;
    bool destroySent = false;    // WM_DESTROY sent
    bool ncDestroySent = false;  // WM_NCDESTROY sent
    int busy = 0;             // messages being handled now; the record is freed when it drops to 0

    bool isChild() const { return (style & WS_CHILD) != 0; }
    bool visibleFlag() const { return (style & WS_VISIBLE) != 0; }
    bool enabledFlag() const { return (style & WS_DISABLED) == 0; }
};

struct Timer {
    HWND window;
    UINT_PTR id = 0;
    UINT interval = 0;
    std::uint64_t due = 0;
    std::uint64_t sequence = 0;
    TIMERPROC proc = nullptr;
};

struct Insets {
    int left = 0, top = 0, right = 0, bottom = 0;
};

class WindowSystem {
public:
    static WindowSystem& get();

    Window* find(HWND h);  // live windows only
    Window& require(HWND h);
    WindowClass* findClass(const std::string& name);
    WindowClass& registerClass(WindowClass cls);

    HWND create(const CREATESTRUCT& cs, WindowClass& cls);
    bool destroy(HWND h);
    void release(Window* w);  // after a dispatch: frees a destroyed record nobody is using

    // Geometry.
    Insets nonClientInsets(const Window& w) const;
    RECT screenRect(const Window& w);        // window rectangle in screen coordinates
    POINT clientOrigin(const Window& w);     // client (0,0) in screen coordinates
    SIZE clientSize(const Window& w) const;
    bool setPos(HWND h, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);

    // Tree helpers.
    HWND root(HWND h);
    bool isDescendant(HWND ancestor, HWND h);
    bool isVisible(HWND h);  // itself and every ancestor
    std::vector<HWND>& siblingList(Window& w);
    // Puts a window at the top of its z-order list: below the top-most windows unless it is one.
    void insertOnTop(std::vector<HWND>& list, const Window& w);
    HWND hitTest(POINT screen);

    // Focus and activation.
    HWND setFocus(HWND h);
    HWND setActive(HWND h, bool fromSetFocus = false);
    void activateOther(HWND leaving);

    // Change count, for publishing frames only when something changed.
    void touch() { ++changes; }

    std::unordered_map<int, std::unique_ptr<Window>> windows;
    std::vector<HWND> topLevels;  // top of the z-order first
    std::vector<std::unique_ptr<Window>> graveyard;
    std::map<std::string, std::unique_ptr<WindowClass>> classes;  // key: lower-case name
    int nextHandle = 1;
    HWND focus, active, capture, mainWindow;
    POINT cursor;
    unsigned heldModifiers = 0;    // modifier keys held down by key-down events
    unsigned eventModifiers = 0;   // modifiers of the event being delivered
    std::vector<Timer> timers;
    UINT_PTR nextThreadTimerId = 1;
    std::uint64_t timerSequence = 0;
    std::uint64_t changes = 0;
    CWnd* pendingAttach = nullptr;  // object to attach to the next window created (before WM_NCCREATE)
    bool suppressDialogFocusRestore = false;
};

// Sends a notification to a control's parent: WM_COMMAND (id, code, control). Nothing is sent while the
// control or its parent is being destroyed.
void notifyParent(Window& control, WORD code);

void ensureBuiltinClasses();
std::string lowerAscii(std::string s);

// Built-in classes, registered by ensureBuiltinClasses.
LRESULT ButtonProc(HWND, UINT, WPARAM, LPARAM);
LRESULT EditProc(HWND, UINT, WPARAM, LPARAM);
LRESULT StaticProc(HWND, UINT, WPARAM, LPARAM);
LRESULT ListBoxProc(HWND, UINT, WPARAM, LPARAM);
LRESULT ComboBoxProc(HWND, UINT, WPARAM, LPARAM);
LRESULT ComboListProc(HWND, UINT, WPARAM, LPARAM);
LRESULT TabControlProc(HWND, UINT, WPARAM, LPARAM);
LRESULT ToolTipProc(HWND, UINT, WPARAM, LPARAM);
LRESULT MenuWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT ListViewProc(HWND, UINT, WPARAM, LPARAM);
void clearImageLists();

// The edit of a drop-down combo box hands it the keys that work its list.
bool comboHandlesEditKey(HWND edit, WPARAM key);
bool comboIsDropped(HWND edit);

// Sends WM_NOTIFY with a plain header from a control to its parent; 0 while either is being destroyed.
LRESULT notifyParentNotify(Window& control, UINT code);

// Timers.
void killWindowTimers(HWND h);

// The framework's private message that asks a control to turn "select this item" into a person's input
// events (script step `select`). lParam points at a SelectRequest; answers TRUE when the class can.
constexpr UINT WMX_SELECT_ITEM = 0x03F0;
struct SelectRequest {
    const std::string* item;
    std::vector<PumpAction>* actions;  // input events, or tasks that act once earlier events took effect
    std::string* error;
};

// Dialog creation from a template resource.
HWND createDialogFromTemplate(const DialogTemplate& t, HWND parentOrOwner, CWnd* object, bool modal,
                              LPARAM initParam = 0);
DialogInfo* dialogInfo(HWND h);

// A control by id in the active window (its pages included), a visible one first.
HWND findControlInActiveWindow(int id);

}  // namespace vtl::win::detail
