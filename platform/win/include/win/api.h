#pragma once
// The window system's functions, with the platform's names and semantics. Text is UTF-8; every length and
// position in text counts Unicode code points. All of these run on the UI thread only.
#include <string>

#include "win/export.h"
#include "win/messages.h"
#include "win/styles.h"
#include "win/types.h"

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

constexpr UINT CS_DBLCLKS = 0x0008;

struct WNDCLASS {
    UINT style = 0;
    WNDPROC lpfnWndProc = nullptr;
    int cbClsExtra = 0;
    int cbWndExtra = 0;  // bytes of per-window storage reached with Get/SetWindowLongPtr(h, offset)
    HINSTANCE hInstance = nullptr;
    const char* lpszClassName = nullptr;
};

// Classes and windows.
VTLWIN_API BOOL RegisterClass(const WNDCLASS& wc);
VTLWIN_API BOOL UnregisterClass(const char* className, HINSTANCE instance);
// A registered class's description (built-in classes included), for superclassing: the copy's name points
// into the registry and stays valid while the class is registered.
VTLWIN_API BOOL GetClassInfo(HINSTANCE instance, const char* className, WNDCLASS* out);
VTLWIN_API HWND CreateWindowEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x,
                               int y, int width, int height, HWND parent, int id, HINSTANCE instance = nullptr,
                               void* param = nullptr);
VTLWIN_API BOOL DestroyWindow(HWND h);
VTLWIN_API BOOL IsWindow(HWND h);
VTLWIN_API std::string GetClassName(HWND h);

// Messages. SendMessage calls the window at once; PostMessage queues it for the pump.
VTLWIN_API LRESULT SendMessage(HWND h, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
VTLWIN_API BOOL PostMessage(HWND h, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
// The default behaviour every window class falls back on.
VTLWIN_API LRESULT DefWindowProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
// The default behaviour of dialogs (class "#32770"): Close as Cancel, default button, focus keeping.
VTLWIN_API LRESULT DefDlgProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
VTLWIN_API LRESULT CallWindowProc(WNDPROC proc, HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
VTLWIN_API LRESULT DispatchMessage(const MSG* msg);
// The procedure of a window's class (what an attached object falls back on).
VTLWIN_API WNDPROC GetClassWindowProc(HWND h);

// Text.
VTLWIN_API BOOL SetWindowText(HWND h, const char* text);
VTLWIN_API std::string GetWindowText(HWND h);
VTLWIN_API int GetWindowTextLength(HWND h);

// Tree.
VTLWIN_API HWND GetParent(HWND h);
VTLWIN_API HWND SetParent(HWND child, HWND newParent);
VTLWIN_API HWND GetWindow(HWND h, UINT relation);
VTLWIN_API HWND GetAncestor(HWND h, UINT relation);
VTLWIN_API HWND GetTopWindow(HWND h);
VTLWIN_API BOOL IsChild(HWND parent, HWND h);
VTLWIN_API HWND GetDlgItem(HWND dialog, int id);
VTLWIN_API int GetDlgCtrlID(HWND h);
VTLWIN_API HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
VTLWIN_API HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous);

// State.
VTLWIN_API BOOL ShowWindow(HWND h, int command);
VTLWIN_API BOOL IsWindowVisible(HWND h);
VTLWIN_API BOOL EnableWindow(HWND h, BOOL enable);
VTLWIN_API BOOL IsWindowEnabled(HWND h);
VTLWIN_API LONG_PTR GetWindowLongPtr(HWND h, int index);
VTLWIN_API LONG_PTR SetWindowLongPtr(HWND h, int index, LONG_PTR value);

// Geometry. Window rectangles are in screen coordinates; client rectangles start at (0, 0).
VTLWIN_API BOOL GetWindowRect(HWND h, RECT* rect);
VTLWIN_API BOOL GetClientRect(HWND h, RECT* rect);
VTLWIN_API BOOL ClientToScreen(HWND h, POINT* point);
VTLWIN_API BOOL ScreenToClient(HWND h, POINT* point);
VTLWIN_API int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);
VTLWIN_API BOOL MoveWindow(HWND h, int x, int y, int width, int height, BOOL repaint = TRUE);
VTLWIN_API BOOL SetWindowPos(HWND h, HWND insertAfter, int x, int y, int width, int height, UINT flags);
VTLWIN_API BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle);
VTLWIN_API HWND WindowFromPoint(POINT screenPoint);
VTLWIN_API HWND ChildWindowFromPoint(HWND parent, POINT clientPoint);

using HDWP = vtl::gfx::Handle<struct DeferWindowPosTag>;
VTLWIN_API HDWP BeginDeferWindowPos(int count);
VTLWIN_API HDWP DeferWindowPos(HDWP batch, HWND h, HWND insertAfter, int x, int y, int width, int height, UINT flags);
VTLWIN_API BOOL EndDeferWindowPos(HDWP batch);

constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CYCAPTION = 4;
constexpr int SM_CXFRAME = 32;
constexpr int SM_CYFRAME = 33;
VTLWIN_API int GetSystemMetrics(int index);

// Focus, activation, capture, keyboard and cursor.
VTLWIN_API HWND SetFocus(HWND h);
VTLWIN_API HWND GetFocus();
VTLWIN_API HWND SetActiveWindow(HWND h);
VTLWIN_API HWND GetActiveWindow();
VTLWIN_API BOOL SetForegroundWindow(HWND h);
VTLWIN_API HWND GetForegroundWindow();
VTLWIN_API HWND SetCapture(HWND h);
VTLWIN_API BOOL ReleaseCapture();
VTLWIN_API HWND GetCapture();
VTLWIN_API BOOL GetCursorPos(POINT* point);
VTLWIN_API BOOL SetCursorPos(int x, int y);
// Negative (high bit set) while the key is down.
VTLWIN_API short GetKeyState(int virtualKey);
VTLWIN_API short GetAsyncKeyState(int virtualKey);

// Dialogs.
VTLWIN_API BOOL EndDialog(HWND dialog, INT_PTR result);
VTLWIN_API BOOL IsDialogMessage(HWND dialog, MSG* msg);
VTLWIN_API BOOL SetDlgItemText(HWND dialog, int id, const char* text);
VTLWIN_API std::string GetDlgItemText(HWND dialog, int id);
VTLWIN_API BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned);
VTLWIN_API UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned);
VTLWIN_API BOOL CheckDlgButton(HWND dialog, int id, UINT check);
VTLWIN_API UINT IsDlgButtonChecked(HWND dialog, int id);
VTLWIN_API BOOL CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId);
VTLWIN_API LRESULT SendDlgItemMessage(HWND dialog, int id, UINT msg, WPARAM wParam, LPARAM lParam);

// Timers. With no window a timer is a thread timer: its id is chosen by the system and its procedure runs
// from the pump. Timers repeat until killed.
VTLWIN_API UINT_PTR SetTimer(HWND h, UINT_PTR id, UINT elapseMs, TIMERPROC proc);
VTLWIN_API BOOL KillTimer(HWND h, UINT_PTR id);
// Milliseconds of the framework's clock (virtual or real).
VTLWIN_API DWORD GetTickCount();
