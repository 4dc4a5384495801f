// CDialog: modal and modeless dialogs, and dialog pages.
#include "win/dialog.h"

#include "window_system.h"
#include "win/window_tree.h"
#include "win/pump.h"
#include "win/resources.h"

using namespace vtl::win::detail;

CDialog::CDialog() = default;

CDialog::CDialog(UINT templateId, CWnd* parent) : templateId_(templateId), m_pParentWnd(parent) {}

CDialog::~CDialog() = default;

INT_PTR CDialog::DoModal() {
    const vtl::win::DialogTemplate* t = vtl::win::findDialogTemplate(static_cast<int>(templateId_));
    if (!t || m_hWnd) return -1;
    return DoModalIndirect(*t, vtl::win::WaitKind::Dialog, t->caption);
}

INT_PTR CDialog::DoModalIndirect(const vtl::win::DialogTemplate& t, vtl::win::WaitKind kind,
                                 const std::string& waitText, INT_PTR unansweredResult) {
    auto& ws = WindowSystem::get();
    if (m_hWnd) return -1;

    // The owner is the parent's top-level window, else the active window, else the main window.
    HWND owner = m_pParentWnd ? ws.root(m_pParentWnd->m_hWnd) : HWND();
    if (!owner) owner = ws.active ? ws.active : ws.mainWindow;
    if (owner && !ws.find(owner)) owner = HWND();
    const bool disableOwner = owner && ::IsWindowEnabled(owner);
    if (disableOwner) ::EnableWindow(owner, FALSE);

    vtl::win::DialogTemplate modalTemplate = t;
    modalTemplate.style &= ~WS_CHILD;
    const HWND h = createDialogFromTemplate(modalTemplate, owner, this, true);
    if (!h) {
        if (disableOwner && ws.find(owner)) ::EnableWindow(owner, TRUE);
        return -1;
    }
    DialogInfo* info = dialogInfo(h);
    if (disableOwner) info->reenableOwner = owner;
    if (!info->ended) {
        ::ShowWindow(h, SW_SHOW);
        vtl::win::WaitInfo wait;
        wait.kind = kind;
        wait.window = h;
        wait.templateId = t.id;
        wait.text = waitText;
        wait.cancel = [h, unansweredResult] { ::EndDialog(h, unansweredResult); };
        try {
            vtl::win::runLoop(wait, [h] {
                const DialogInfo* i = dialogInfo(h);
                return !i || i->ended;
            });
        } catch (...) {
            // A handler threw: the dialog goes and its owner takes input again before the error travels on.
            if (DialogInfo* i = dialogInfo(h); i && i->reenableOwner) {
                const HWND o = i->reenableOwner;
                i->reenableOwner = HWND();
                if (ws.find(o)) ::EnableWindow(o, TRUE);
            }
            if (ws.find(h)) ::DestroyWindow(h);
            throw;
        }
    }
    INT_PTR result = -1;
    if (DialogInfo* i = dialogInfo(h)) {
        result = i->ended ? i->result : -1;
        if (i->reenableOwner) {
            const HWND o = i->reenableOwner;
            i->reenableOwner = HWND();
            ::EnableWindow(o, TRUE);
        }
        if (::IsWindowVisible(h)) ::ShowWindow(h, SW_HIDE);
        ::DestroyWindow(h);
    } else if (disableOwner && ws.find(owner) && !::IsWindowEnabled(owner)) {
        ::EnableWindow(owner, TRUE);
    }
    return result;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    if (m_hWnd) return FALSE;
    templateId_ = templateId;
    m_pParentWnd = parent;
    const vtl::win::DialogTemplate* t = vtl::win::findDialogTemplate(static_cast<int>(templateId));
    if (!t) return FALSE;
    HWND owner = parent ? parent->m_hWnd : vtl::win::mainWindow();
    vtl::win::DialogTemplate modeless = *t;
    if (!(modeless.style & WS_CHILD)) owner = WindowSystem::get().root(owner);
    return createDialogFromTemplate(modeless, owner, this, false) ? TRUE : FALSE;
}

BOOL CDialog::CreateAsChild(UINT templateId, CWnd* parent) {
    if (m_hWnd || !parent) return FALSE;
    templateId_ = templateId;
    m_pParentWnd = parent;
    const vtl::win::DialogTemplate* t = vtl::win::findDialogTemplate(static_cast<int>(templateId));
    if (!t) return FALSE;
    vtl::win::DialogTemplate page = *t;
    page.style = (page.style & ~(WS_POPUP | WS_CAPTION | WS_THICKFRAME)) | WS_CHILD | DS_CONTROL;
    return createDialogFromTemplate(page, parent->m_hWnd, this, false) ? TRUE : FALSE;
}

void CDialog::EndDialog(int result) { ::EndDialog(m_hWnd, result); }

void CDialog::SetDefID(UINT id) { SendMessage(DM_SETDEFID, id, 0); }

DWORD CDialog::GetDefID() const { return static_cast<DWORD>(SendMessage(DM_GETDEFID, 0, 0)); }

void CDialog::NextDlgCtrl() const { SendMessage(WM_NEXTDLGCTL, 0, 0); }

void CDialog::PrevDlgCtrl() const { SendMessage(WM_NEXTDLGCTL, 1, 0); }

void CDialog::GotoDlgCtrl(CWnd* control) {
    if (control) SendMessage(WM_NEXTDLGCTL, static_cast<WPARAM>(control->m_hWnd.value()), 1);
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    const bool input = (msg->message >= WM_KEYDOWN && msg->message <= WM_SYSKEYUP) ||
                       (msg->message >= WM_MOUSEMOVE && msg->message <= WM_MOUSEWHEEL);
    if (!input) return FALSE;
    return ::IsDialogMessage(m_hWnd, msg);
}

BOOL CDialog::OnInitDialog() { return TRUE; }

void CDialog::OnOK() { EndDialog(IDOK); }

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (msg == WM_INITDIALOG) {
        *result = OnInitDialog();
        return TRUE;
    }
    return CWnd::OnWndMsg(msg, wParam, lParam, result);
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM) {
    if (HIWORD(wParam) != BN_CLICKED) return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK:
        OnOK();
        return TRUE;
    case IDCANCEL:
        OnCancel();
        return TRUE;
    default:
        return FALSE;
    }
}
