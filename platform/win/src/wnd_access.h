#pragma once
// The framework's access to a CWnd's private dispatch state.
#include "win/wnd.h"

namespace vtl::win::detail {
struct CWndDispatchCount;
}

struct CWndAccess {
    // Calls the object's WindowProc, keeping the message it handles for Default() and counting the
    // dispatches in progress so the object is never freed under its own handler.
    static LRESULT dispatch(CWnd& obj, UINT msg, WPARAM wParam, LPARAM lParam);
    static int dispatchDepth(const CWnd& obj);
};
