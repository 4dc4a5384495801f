// CWnd: objects attached to window handles, and the routing of messages to their handlers.
#include "deferred_delete.h"
#include "window_system.h"
#include "win/dc.h"
#include "win/font.h"
#include "win/window_tree.h"
#include "wnd_access.h"

using namespace vtl::win::detail;

LRESULT CWndAccess::dispatch(CWnd& obj, UINT msg, WPARAM wParam, LPARAM lParam) {
    MSG m;
    m.hwnd = obj.m_hWnd;
    m.message = msg;
    m.wParam = wParam;
    m.lParam = lParam;
    // Restored on every way out, also when a handler throws.
    struct Dispatching {
        CWnd& obj;
        const MSG* saved;
        Dispatching(CWnd& o, const MSG* m) : obj(o), saved(o.currentMsg_) {
            obj.currentMsg_ = m;
            ++obj.dispatchDepth_;
        }
        ~Dispatching() {
            --obj.dispatchDepth_;
            obj.currentMsg_ = saved;
        }
        Dispatching(const Dispatching&) = delete;
        Dispatching& operator=(const Dispatching&) = delete;
    } dispatching(obj, &m);
    return obj.WindowProc(msg, wParam, lParam);
}

int CWndAccess::dispatchDepth(const CWnd& obj) { return obj.dispatchDepth_; }

CWnd::CWnd() = default;

CWnd::~CWnd() {
    auto& ws = WindowSystem::get();
    if (Window* w = ws.find(m_hWnd)) {
        // The object goes first, so the window's last messages reach only its class behaviour.
        if (w->object == this) w->object = nullptr;
        const HWND h = m_hWnd;
        m_hWnd = HWND();
        if (!w->wrapper || w->wrapper.get() != this) ::DestroyWindow(h);
    }
    if (ws.pendingAttach == this) ws.pendingAttach = nullptr;
}

CWnd* CWnd::FromHandle(HWND h) {
    Window* w = WindowSystem::get().find(h);
    if (!w) return nullptr;
    if (w->object) return w->object;
    if (!w->wrapper) {
        w->wrapper = w->cls->makeWrapper ? w->cls->makeWrapper() : std::make_unique<CWnd>();
        w->wrapper->m_hWnd = h;
    }
    return w->wrapper.get();
}

CWnd* CWnd::FromHandlePermanent(HWND h) {
    Window* w = WindowSystem::get().find(h);
    return w ? w->object : nullptr;
}

BOOL CWnd::Attach(HWND h) {
    Window* w = WindowSystem::get().find(h);
    if (!w || w->object || m_hWnd) return FALSE;
    w->object = this;
    m_hWnd = h;
    return TRUE;
}

HWND CWnd::Detach() {
    const HWND h = m_hWnd;
    if (Window* w = WindowSystem::get().find(h); w && w->object == this) w->object = nullptr;
    m_hWnd = HWND();
    return h;
}

BOOL CWnd::SubclassWindow(HWND h) { return Attach(h); }

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    if (!parent) return FALSE;
    return SubclassWindow(::GetDlgItem(parent->m_hWnd, static_cast<int>(id)));
}

HWND CWnd::UnsubclassWindow() { return Detach(); }

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, const RECT& rect,
                    CWnd* parent, UINT id, void* param) {
    if (m_hWnd) return FALSE;
    auto& ws = WindowSystem::get();
    ws.pendingAttach = this;
    const HWND h = ::CreateWindowEx(exStyle, className, windowName, style, rect.left, rect.top,
                                    rect.right - rect.left, rect.bottom - rect.top,
                                    parent ? parent->m_hWnd : HWND(), static_cast<int>(id), nullptr, param);
    if (ws.pendingAttach == this) ws.pendingAttach = nullptr;
    return h ? TRUE : FALSE;
}

BOOL CWnd::Create(const char* className, const char* windowName, DWORD style, const RECT& rect, CWnd* parent,
                  UINT id) {
    return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id);
}

BOOL CWnd::DestroyWindow() { return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE; }

LRESULT CWnd::SendMessage(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessage(m_hWnd, msg, wParam, lParam);
}
BOOL CWnd::PostMessage(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return ::PostMessage(m_hWnd, msg, wParam, lParam);
}
LRESULT CWnd::SendDlgItemMessage(int id, UINT msg, WPARAM wParam, LPARAM lParam) const {
    return ::SendDlgItemMessage(m_hWnd, id, msg, wParam, lParam);
}

void CWnd::SetWindowText(const char* text) { ::SetWindowText(m_hWnd, text); }
std::string CWnd::GetWindowText() const { return ::GetWindowText(m_hWnd); }
int CWnd::GetWindowTextLength() const { return ::GetWindowTextLength(m_hWnd); }

CWnd* CWnd::GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
void CWnd::GetDlgItem(int id, HWND* h) const { *h = ::GetDlgItem(m_hWnd, id); }
int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
int CWnd::SetDlgCtrlID(int id) { return static_cast<int>(::SetWindowLongPtr(m_hWnd, GWL_ID, id)); }
CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
CWnd* CWnd::GetOwner() const { return FromHandle(::GetWindow(m_hWnd, GW_OWNER)); }
CWnd* CWnd::GetTopLevelParent() const { return FromHandle(::GetAncestor(m_hWnd, GA_ROOT)); }
CWnd* CWnd::GetWindow(UINT relation) const { return FromHandle(::GetWindow(m_hWnd, relation)); }
CWnd* CWnd::GetNextDlgTabItem(CWnd* control, BOOL previous) const {
    return FromHandle(::GetNextDlgTabItem(m_hWnd, control ? control->m_hWnd : HWND(), previous));
}
BOOL CWnd::IsChild(const CWnd* other) const { return other ? ::IsChild(m_hWnd, other->m_hWnd) : FALSE; }
std::string CWnd::GetClassName() const { return ::GetClassName(m_hWnd); }

BOOL CWnd::ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
BOOL CWnd::EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
DWORD CWnd::GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtr(m_hWnd, GWL_STYLE)); }
DWORD CWnd::GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtr(m_hWnd, GWL_EXSTYLE)); }
BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags) {
    const DWORD old = GetStyle();
    const DWORD now = (old & ~remove) | add;
    if (now == old) return FALSE;
    ::SetWindowLongPtr(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(now));
    if (swpFlags) ::SetWindowPos(m_hWnd, HWND(), 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | swpFlags);
    return TRUE;
}
BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags) {
    const DWORD old = GetExStyle();
    const DWORD now = (old & ~remove) | add;
    if (now == old) return FALSE;
    ::SetWindowLongPtr(m_hWnd, GWL_EXSTYLE, static_cast<LONG_PTR>(now));
    if (swpFlags) ::SetWindowPos(m_hWnd, HWND(), 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | swpFlags);
    return TRUE;
}

void CWnd::GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }
void CWnd::GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
void CWnd::ClientToScreen(POINT* point) const { ::ClientToScreen(m_hWnd, point); }
void CWnd::ClientToScreen(RECT* rect) const {
    ::MapWindowPoints(m_hWnd, HWND(), reinterpret_cast<POINT*>(rect), 2);
}
void CWnd::ScreenToClient(POINT* point) const { ::ScreenToClient(m_hWnd, point); }
void CWnd::ScreenToClient(RECT* rect) const {
    ::MapWindowPoints(HWND(), m_hWnd, reinterpret_cast<POINT*>(rect), 2);
}
void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
    ::MoveWindow(m_hWnd, x, y, width, height, repaint);
}
void CWnd::MoveWindow(const RECT* rect, BOOL repaint) {
    ::MoveWindow(m_hWnd, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
}
BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int width, int height, UINT flags) {
    return ::SetWindowPos(m_hWnd, insertAfter ? insertAfter->m_hWnd : HWND(), x, y, width, height, flags);
}

void CWnd::CenterWindow(CWnd* alternateOwner) {
    RECT mine, around;
    ::GetWindowRect(m_hWnd, &mine);
    HWND ref = alternateOwner ? alternateOwner->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
    if ((GetStyle() & WS_CHILD) && !alternateOwner) ref = ::GetParent(m_hWnd);
    if (ref) {
        ::GetWindowRect(ref, &around);
    } else {
        const SIZE s = vtl::win::screenSize();
        around = {0, 0, s.cx, s.cy};
    }
    const int w = mine.right - mine.left, h = mine.bottom - mine.top;
    POINT p{around.left + (around.right - around.left - w) / 2, around.top + (around.bottom - around.top - h) / 2};
    if (GetStyle() & WS_CHILD) ::ScreenToClient(::GetParent(m_hWnd), &p);
    ::SetWindowPos(m_hWnd, HWND(), p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }
CWnd* CWnd::GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
CWnd* CWnd::SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
BOOL CWnd::SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
void CWnd::SetDlgItemText(int id, const char* text) { ::SetDlgItemText(m_hWnd, id, text); }
std::string CWnd::GetDlgItemText(int id) const { return ::GetDlgItemText(m_hWnd, id); }
void CWnd::SetDlgItemInt(int id, UINT value, BOOL isSigned) { ::SetDlgItemInt(m_hWnd, id, value, isSigned); }
UINT CWnd::GetDlgItemInt(int id, BOOL* translated, BOOL isSigned) const {
    return ::GetDlgItemInt(m_hWnd, id, translated, isSigned);
}
void CWnd::CheckDlgButton(int id, UINT check) { ::CheckDlgButton(m_hWnd, id, check); }
UINT CWnd::IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }
void CWnd::CheckRadioButton(int firstId, int lastId, int checkId) {
    ::CheckRadioButton(m_hWnd, firstId, lastId, checkId);
}

void CWnd::SetFont(CFont* font, BOOL redraw) { SetFont(font ? font->GetSafeHandle() : HFONT(), redraw); }
void CWnd::SetFont(HFONT font, BOOL redraw) {
    ::SendMessage(m_hWnd, WM_SETFONT, static_cast<WPARAM>(font.value()), redraw);
}
HFONT CWnd::GetFontHandle() const { return HFONT(static_cast<int>(::SendMessage(m_hWnd, WM_GETFONT, 0, 0))); }

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapseMs, TIMERPROC proc) { return ::SetTimer(m_hWnd, id, elapseMs, proc); }
BOOL CWnd::KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

LRESULT CWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(msg, wParam, lParam, &result)) result = DefWindowProc(msg, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return ::CallWindowProc(::GetClassWindowProc(m_hWnd), m_hWnd, msg, wParam, lParam);
}

void CWnd::PostNcDestroy() {}

LRESULT CWnd::Default() {
    if (!currentMsg_) return 0;
    return DefWindowProc(currentMsg_->message, currentMsg_->wParam, currentMsg_->lParam);
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }

BOOL CWnd::OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    *result = 0;
    const CPoint mousePoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    switch (msg) {
    case WM_COMMAND: {
        // A control's notification is offered to the control's own object first; it may take it (TRUE)
        // or act and let the parent handle it too (FALSE).
        if (lParam) {
            CWnd* control = FromHandlePermanent(ParamToHandle(lParam));
            if (control && control != this && control->OnChildNotify(msg, wParam, lParam, result)) return TRUE;
        }
        return OnCommand(wParam, lParam);
    }
    case WM_NOTIFY:
        return OnNotify(wParam, lParam, result);
    case WM_DRAWITEM: {
        // Reflected to the control's own object, which draws itself.
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        CWnd* control = item ? FromHandlePermanent(item->hwndItem) : nullptr;
        if (!control) return FALSE;
        if (!control->OnChildNotify(msg, wParam, lParam, result)) return FALSE;
        *result = TRUE;
        return TRUE;
    }
    case WM_CREATE:
        *result = OnCreate(reinterpret_cast<CREATESTRUCT*>(lParam));
        return TRUE;
    case WM_DESTROY:
        OnDestroy();
        return TRUE;
    case WM_NCDESTROY:
        OnNcDestroy();
        return TRUE;
    case WM_CLOSE:
        OnClose();
        return TRUE;
    case WM_SIZE:
        OnSize(static_cast<UINT>(wParam), LOWORD(static_cast<DWORD_PTR>(lParam)), HIWORD(static_cast<DWORD_PTR>(lParam)));
        return TRUE;
    case WM_MOVE:
        OnMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return TRUE;
    case WM_GETMINMAXINFO:
        OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
        return TRUE;
    case WM_TIMER:
        OnTimer(wParam);
        return TRUE;
    case WM_SHOWWINDOW:
        OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam));
        return TRUE;
    case WM_ENABLE:
        OnEnable(static_cast<BOOL>(wParam));
        return TRUE;
    case WM_ACTIVATE:
        OnActivate(LOWORD(wParam), FromHandle(ParamToHandle(lParam)), HIWORD(wParam));
        return TRUE;
    case WM_SETFOCUS:
        OnSetFocus(FromHandle(ParamToHandle(static_cast<LONG_PTR>(wParam))));
        return TRUE;
    case WM_KILLFOCUS:
        OnKillFocus(FromHandle(ParamToHandle(static_cast<LONG_PTR>(wParam))));
        return TRUE;
    case WM_KEYDOWN:
        OnKeyDown(static_cast<UINT>(wParam), LOWORD(static_cast<DWORD_PTR>(lParam)), HIWORD(static_cast<DWORD_PTR>(lParam)));
        return TRUE;
    case WM_KEYUP:
        OnKeyUp(static_cast<UINT>(wParam), LOWORD(static_cast<DWORD_PTR>(lParam)), HIWORD(static_cast<DWORD_PTR>(lParam)));
        return TRUE;
    case WM_CHAR:
        OnChar(static_cast<UINT>(wParam), LOWORD(static_cast<DWORD_PTR>(lParam)), HIWORD(static_cast<DWORD_PTR>(lParam)));
        return TRUE;
    case WM_LBUTTONDOWN:
        OnLButtonDown(static_cast<UINT>(wParam), mousePoint);
        return TRUE;
    case WM_LBUTTONUP:
        OnLButtonUp(static_cast<UINT>(wParam), mousePoint);
        return TRUE;
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClk(static_cast<UINT>(wParam), mousePoint);
        return TRUE;
    case WM_RBUTTONDOWN:
        OnRButtonDown(static_cast<UINT>(wParam), mousePoint);
        return TRUE;
    case WM_RBUTTONUP:
        OnRButtonUp(static_cast<UINT>(wParam), mousePoint);
        return TRUE;
    case WM_MOUSEMOVE:
        OnMouseMove(static_cast<UINT>(wParam), mousePoint);
        return TRUE;
    case WM_SYSCOMMAND:
        OnSysCommand(static_cast<UINT>(wParam), lParam);
        return TRUE;
    case WM_PAINT:
        OnPaint();
        return TRUE;
    case WM_ERASEBKGND: {
        CDC dc;
        dc.Attach(HDC(static_cast<int>(wParam)));
        *result = OnEraseBkgnd(&dc);
        dc.Detach();
        return TRUE;
    }
    case WM_CTLCOLORSTATIC: {
        CDC dc;
        dc.Attach(HDC(static_cast<int>(wParam)));
        *result = OnCtlColor(&dc, FromHandle(ParamToHandle(lParam)), CTLCOLOR_STATIC).value();
        dc.Detach();
        return TRUE;
    }
    default:
        return FALSE;
    }
}

BOOL CWnd::OnCommand(WPARAM, LPARAM) { return FALSE; }
BOOL CWnd::OnNotify(WPARAM, LPARAM, LRESULT*) { return FALSE; }
int CWnd::OnCreate(CREATESTRUCT*) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnNcDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return HBRUSH(static_cast<int>(Default())); }
void CWnd::Invalidate(BOOL erase) { ::InvalidateRect(m_hWnd, nullptr, erase); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }

CWnd* AfxGetMainWnd() { return CWnd::FromHandle(vtl::win::mainWindow()); }
