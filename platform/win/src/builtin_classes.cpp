// Registration of the built-in window classes and the typed objects FromHandle hands out for them.

#include "window_system.h"
#include "win/button.h"
#include "win/combo_box.h"
#include "win/edit.h"
#include "win/list_box.h"
#include "win/list_ctrl.h"
#include "win/static.h"
#include "win/tab_ctrl.h"

namespace vtl::win::detail {
namespace {
template <class T>
std::unique_ptr<CWnd> makeWrapper() {
    return std::make_unique<T>();
}

bool buttonTransparent(DWORD style) { return (style & BS_TYPEMASK) == BS_GROUPBOX; }
bool staticTransparent(DWORD style) { return (style & SS_NOTIFY) == 0; }

LRESULT DialogClassProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) { return DefDlgProc(h, msg, wParam, lParam); }
LRESULT GenericProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) { return DefWindowProc(h, msg, wParam, lParam); }

void registerBuiltin(const char* name, WNDPROC proc, std::unique_ptr<CWnd> (*wrapper)(),
                     bool (*transparent)(DWORD), bool isDialog, UINT style = 0) {
    WindowClass c;
    c.name = name;
    c.proc = proc;
    c.makeWrapper = wrapper;
    c.transparentToMouse = transparent;
    c.isDialog = isDialog;
    c.style = style;
    WindowSystem::get().registerClass(std::move(c));
}
}  // namespace

void ensureBuiltinClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    registerBuiltin("#32770", DialogClassProc, nullptr, nullptr, true);
    registerBuiltin("BUTTON", ButtonProc, makeWrapper<CButton>, buttonTransparent, false, CS_DBLCLKS);
    registerBuiltin("EDIT", EditProc, makeWrapper<CEdit>, nullptr, false, CS_DBLCLKS);
    registerBuiltin("STATIC", StaticProc, makeWrapper<CStatic>, staticTransparent, false);
    registerBuiltin("LISTBOX", ListBoxProc, makeWrapper<CListBox>, nullptr, false, CS_DBLCLKS);
    registerBuiltin("COMBOBOX", ComboBoxProc, makeWrapper<CComboBox>, nullptr, false, CS_DBLCLKS);
    registerBuiltin("ComboLBox", ComboListProc, nullptr, nullptr, false);
    registerBuiltin("SysTabControl32", TabControlProc, makeWrapper<CTabCtrl>, nullptr, false);
    registerBuiltin("tooltips_class32", ToolTipProc, nullptr, nullptr, false);
    registerBuiltin("#32768", MenuWindowProc, nullptr, nullptr, false);
    registerBuiltin("SysListView32", ListViewProc, makeWrapper<CListCtrl>, nullptr, false, CS_DBLCLKS);
    // A plain window class for frames and hosts that bring their own object.
    registerBuiltin("VtlFrame", GenericProc, nullptr, nullptr, false);
}

}  // namespace vtl::win::detail

