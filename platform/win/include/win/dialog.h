#pragma once
// CDialog: a dialog made from a template resource, modal (DoModal) or modeless (Create).
#include <string>

#include "win/dialog_template.h"
#include "win/pump.h"
#include "win/wnd.h"

class VTLWIN_API CDialog : public CWnd {
public:
    CDialog();
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // Runs the dialog until EndDialog; the result is EndDialog's code, or -1 when the template is missing.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless; it stays until DestroyWindow.
    virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
    // Creates a dialog page as a child of `parent` (template style DS_CONTROL | WS_CHILD).
    BOOL CreateAsChild(UINT templateId, CWnd* parent);
    void EndDialog(int result);

    UINT templateId() const { return templateId_; }
    void SetDefID(UINT id);
    DWORD GetDefID() const;
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* control);

    // Dialog navigation (Tab, Shift+Tab, Enter, Escape) happens here; a dialog overrides it to take keys
    // over, and calls the base for the rest.
    BOOL PreTranslateMessage(MSG* msg) override;

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

protected:
    // Runs the dialog modally from a template made at run time (message boxes, file dialogs). The wait
    // is described by `kind` and `waitText`; a wait left unanswered ends the dialog with `unansweredResult`.
    INT_PTR DoModalIndirect(const vtl::win::DialogTemplate& t, vtl::win::WaitKind kind, const std::string& waitText,
                            INT_PTR unansweredResult = IDCANCEL);
    BOOL OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    UINT templateId_ = 0;
    CWnd* m_pParentWnd = nullptr;
};
