#include "win_test_support.h"

#include <algorithm>
#include <span>

std::span<const vtl::win::EmbeddedFile> test_win_resources();

namespace vtl::test {

void WinTest::SetUp() {
    Fixture::SetUp();
    static const int anchor = 0;
    const HINSTANCE self = win::instanceOfAddress(&anchor);
    if (!win::hasResources(self)) win::registerResources(self, test_win_resources());
}

int RecordingDialog::countOf(int id, int code) const {
    return static_cast<int>(std::count_if(notifications.begin(), notifications.end(),
                                           [&](const Notification& n) { return n.id == id && n.code == code; }));
}

BOOL RecordingDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    const HWND focus = ::GetFocus();
    notifications.push_back({LOWORD(wParam), HIWORD(wParam), focus ? ::GetDlgCtrlID(focus) : 0});
    return CDialog::OnCommand(wParam, lParam);
}

}  // namespace vtl::test
