#pragma once
// The host's dialog classes, on the framework's CDialog. A dialog can step aside for an editor command:
// BeginEditorCommand hides it and gives the input to the drawing (the main window is enabled and active
// even while the dialog is modal); CompleteEditorCommand shows it again, disables the main window again
// when it was disabled before (a modal dialog), and activates the dialog, whose focused control gets the
// focus back. A dialog that ends while stepped aside leaves the main window as it would have been after
// CompleteEditorCommand.
#include "host/export.h"
#include "win/dialog.h"

class VTLHOST_API CAdUiBaseDialog : public CDialog {
public:
    CAdUiBaseDialog();
    explicit CAdUiBaseDialog(UINT templateId, CWnd* parent = nullptr);
    ~CAdUiBaseDialog() override;

    INT_PTR DoModal() override;

    void BeginEditorCommand();
    void CompleteEditorCommand();
    // True between BeginEditorCommand and CompleteEditorCommand.
    bool editorCommandActive() const { return editorCommand_; }
    // True while DoModal runs.
    bool isModal() const { return modal_; }

protected:
    void OnDestroy() override;

private:
    // Puts the main window back as CompleteEditorCommand would.
    void restoreMainWindow();

    bool modal_ = false;
    bool mainEnabledBeforeRun_ = false;
    bool editorCommand_ = false;
    HWND enabledMain_;  // the main window BeginEditorCommand enabled, to disable again
};

class VTLHOST_API CAcUiDialog : public CAdUiBaseDialog {
public:
    CAcUiDialog();
    explicit CAcUiDialog(UINT templateId, CWnd* parent = nullptr);
    ~CAcUiDialog() override;
};

// The base of the host's tabbed main dialogs.
class VTLHOST_API CAcUiTabMainDialog : public CAcUiDialog {
public:
    CAcUiTabMainDialog();
    explicit CAcUiTabMainDialog(UINT templateId, CWnd* parent = nullptr);
    ~CAcUiTabMainDialog() override;
};
