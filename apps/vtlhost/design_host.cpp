#include "design_host.h"

#include <algorithm>
#include <span>

#include "win/api.h"
#include "win/keys.h"
#include "win/resources.h"

std::span<const vtl::win::EmbeddedFile> vtlhost_resources();

namespace vtlhost {
namespace {
constexpr int kMargin = 10;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 26;
}  // namespace

void registerHostResources() {
    static const int anchor = 0;
    const HINSTANCE self = vtl::win::instanceOfAddress(&anchor);
    if (!vtl::win::hasResources(self)) vtl::win::registerResources(self, vtlhost_resources());
}

DesignHostDialog::DesignHostDialog(Vtl_String designPath) : CDialog(kDesignHostTemplate), path_(std::move(designPath)) {}

BOOL DesignHostDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    data.initialize(this, Vtl_DlgDesignerData::kFirstControlId, Vtl_DlgDesignerData::kLastControlId, 0, 0, 0, 0, 0, false);
    loaded_ = data.readFromFile(path_, true);
    SetWindowText(("Designed dialog: " + data.getName().str()).c_str());
    // The client area holds the picture with the buttons below it.
    int w = 0, h = 0;
    data.getImageSize(w, h);
    const int clientW = std::max(w, 2 * kButtonWidth + 3 * kMargin);
    const int clientH = h + kButtonHeight + 2 * kMargin;
    RECT outer{0, 0, clientW, clientH};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtr(m_hWnd, GWL_STYLE)), FALSE, 0);
    RECT now;
    GetWindowRect(&now);
    MoveWindow(now.left, now.top, outer.right - outer.left, outer.bottom - outer.top);
    const int top = h + kMargin;
    GetDlgItem(IDCANCEL)->MoveWindow(clientW - kMargin - kButtonWidth, top, kButtonWidth, kButtonHeight);
    GetDlgItem(IDOK)->MoveWindow(clientW - 2 * (kMargin + kButtonWidth), top, kButtonWidth, kButtonHeight);
    // Buttons that stand for a pattern or an array name it in the design; a macro tab shows them "...".
    for (int i = 0; i < data.getNrControls(); ++i) {
        Vtl_DesignerControl* c = data.getControlWrite(i);
        if (c && (c->type == 6 || c->type == 24)) c->contents = "...";
    }
    data.redrawAllControls();
    if (data.setFocusToCtrl(true)) return FALSE;
    return TRUE;
}

BOOL DesignHostDialog::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_TAB) {
        Vtl_TabMsgHandle result = Vtl_TabNotHandled;
        if (data.handleTabKey(static_cast<int>(msg->wParam), result)) {
            if (result == Vtl_TabHandled) return TRUE;
            // Past either end the dialog's own buttons come next.
            GotoDlgCtrl(GetDlgItem(result == Vtl_TabAfterLast ? IDOK : IDCANCEL));
            return TRUE;
        }
    }
    return CDialog::PreTranslateMessage(msg);
}

BOOL DesignHostDialog::OnEraseBkgnd(CDC* dc) {
    data.OnEraseBkgnd(dc);
    return TRUE;
}

}  // namespace vtlhost
