#pragma once
// Shared helpers of the window framework's tests: the fixture with this executable's dialog templates
// registered, and a recorder of WM_COMMAND notifications.
#include <string>
#include <vector>

#include "support/fixture.h"
#include "win/dialog.h"
#include "win/keys.h"
#include "win/pump.h"
#include "win/resources.h"

namespace vtl::test {

class WinTest : public Fixture {
protected:
    void SetUp() override;
};

// One WM_COMMAND a dialog received: control id, notification code, and the focused control's id then.
struct Notification {
    int id;
    int code;
    int focusId;
    bool operator==(const Notification&) const = default;
};

// A dialog that records every notification it receives, then handles it as CDialog does.
class RecordingDialog : public CDialog {
public:
    explicit RecordingDialog(UINT templateId, CWnd* parent = nullptr) : CDialog(templateId, parent) {}
    std::vector<Notification> notifications;
    int countOf(int id, int code) const;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};

}  // namespace vtl::test
