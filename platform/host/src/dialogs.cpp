#include "host/dialogs.h"

#include "host/main_window.h"
#include "win/window_tree.h"

CAdUiBaseDialog::CAdUiBaseDialog() = default;
CAdUiBaseDialog::CAdUiBaseDialog(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {}
CAdUiBaseDialog::~CAdUiBaseDialog() = default;

INT_PTR CAdUiBaseDialog::DoModal() {
    struct Flag {
        bool& f;
        bool old;
        ~Flag() { f = old; }
    } flag{modal_, modal_};
    modal_ = true;
    const HWND main = vtl::win::mainWindow();
    mainEnabledBeforeRun_ = ::IsWindow(main) && ::IsWindowEnabled(main);
    return CDialog::DoModal();
}

void CAdUiBaseDialog::BeginEditorCommand() {
    if (editorCommand_ || !m_hWnd) return;
    editorCommand_ = true;
    // The drawing takes the input: its window is enabled first, so hiding the dialog can activate it.
    const HWND main = vtl::win::mainWindow();
    enabledMain_ = HWND();
    if (::IsWindow(main) && !::IsWindowEnabled(main)) {
        ::EnableWindow(main, TRUE);
        enabledMain_ = main;
    }
    ShowWindow(SW_HIDE);
    vtl::host::focusMainWindow();
}

void CAdUiBaseDialog::CompleteEditorCommand() {
    if (!editorCommand_ || !m_hWnd) return;
    ShowWindow(SW_SHOW);
    restoreMainWindow();
    editorCommand_ = false;
    // Activating the dialog hands the focus to the control that had it before.
    ::SetActiveWindow(m_hWnd);
}

void CAdUiBaseDialog::restoreMainWindow() {
    const HWND main = enabledMain_;
    enabledMain_ = HWND();
    if (main && ::IsWindow(main) && main != m_hWnd) ::EnableWindow(main, FALSE);
}

void CAdUiBaseDialog::OnDestroy() {
    if (editorCommand_) {
        editorCommand_ = false;
        // A modal run that began with the main window enabled gives it back enabled (the end of the run has
        // done so already); otherwise something else still wants it disabled, as it was at the beginning.
        const HWND main = enabledMain_;
        if (!(modal_ && mainEnabledBeforeRun_)) {
            restoreMainWindow();
            // The drawing had the input; it goes to the owner, as if the dialog had come back and closed.
            const HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
            if (main && ::GetActiveWindow() == main && owner && owner != main && ::IsWindowEnabled(owner) &&
                ::IsWindowVisible(owner))
                ::SetActiveWindow(owner);
        }
        enabledMain_ = HWND();
    }
    CDialog::OnDestroy();
}

CAcUiDialog::CAcUiDialog() = default;
CAcUiDialog::CAcUiDialog(UINT templateId, CWnd* parent) : CAdUiBaseDialog(templateId, parent) {}
CAcUiDialog::~CAcUiDialog() = default;

CAcUiTabMainDialog::CAcUiTabMainDialog() = default;
CAcUiTabMainDialog::CAcUiTabMainDialog(UINT templateId, CWnd* parent) : CAcUiDialog(templateId, parent) {}
CAcUiTabMainDialog::~CAcUiTabMainDialog() = default;
