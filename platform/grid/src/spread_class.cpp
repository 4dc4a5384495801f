#include "grid/spread.h"

#include "win/api.h"
#include "win/keys.h"

namespace vtl::grid {
namespace {
// The control takes the focus on a click and keeps every key a grid uses (arrows, Tab, characters).
LRESULT SpreadProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        SetFocus(h);
        return 0;
    default:
        return DefWindowProc(h, msg, wParam, lParam);
    }
}
}  // namespace

void registerSpreadClass() {
    WNDCLASS wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = SpreadProc;
    wc.lpszClassName = kSpreadClassName;
    RegisterClass(wc);
}
}  // namespace vtl::grid
