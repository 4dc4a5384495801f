// Registration of the built-in window classes and the typed objects FromHandle hands out for them, and the
// control classes' member functions.
#include <mutex>

#include "window_system.h"
#include "win/button.h"
#include "win/dialog.h"
#include "win/edit.h"
#include "win/font.h"
#include "win/static.h"

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
    // A plain window class for frames and hosts that bring their own object.
    registerBuiltin("VtlFrame", GenericProc, nullptr, nullptr, false);
}

}  // namespace vtl::win::detail

BOOL CButton::Create(const char* caption, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CreateEx(0, "BUTTON", caption, style | WS_CHILD, rect, parent, id);
}
int CButton::GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
void CButton::SetCheck(int check) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }
UINT CButton::GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
void CButton::SetState(BOOL highlight) { SendMessage(BM_SETSTATE, static_cast<WPARAM>(highlight)); }
UINT CButton::GetButtonStyle() const { return GetStyle() & 0xFFFF; }
void CButton::SetButtonStyle(UINT style, BOOL redraw) { SendMessage(BM_SETSTYLE, style, redraw); }
HICON CButton::SetIcon(HICON icon) {
    return HICON(static_cast<int>(SendMessage(BM_SETIMAGE, 1, icon.value())));
}
HICON CButton::GetIcon() const { return HICON(static_cast<int>(SendMessage(BM_GETIMAGE, 1))); }
HBITMAP CButton::SetBitmap(HBITMAP bitmap) {
    return HBITMAP(static_cast<int>(SendMessage(BM_SETIMAGE, 0, bitmap.value())));
}
HBITMAP CButton::GetBitmap() const { return HBITMAP(static_cast<int>(SendMessage(BM_GETIMAGE, 0))); }
void CButton::Click() { SendMessage(BM_CLICK); }

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CreateEx(0, "EDIT", "", style | WS_CHILD, rect, parent, id);
}
void CEdit::SetSel(int start, int end, BOOL noScroll) {
    SendMessage(EM_SETSEL, static_cast<WPARAM>(static_cast<LONG_PTR>(start)), end);
    if (!noScroll) SendMessage(EM_SCROLLCARET);
}
void CEdit::GetSel(int& start, int& end) const {
    DWORD a = 0, b = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
    start = static_cast<int>(a);
    end = static_cast<int>(b);
}
DWORD CEdit::GetSel() const { return static_cast<DWORD>(SendMessage(EM_GETSEL)); }
void CEdit::ReplaceSel(const char* text, BOOL) { SendMessage(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(text)); }
void CEdit::SetLimitText(UINT max) { SendMessage(EM_LIMITTEXT, max); }
UINT CEdit::GetLimitText() const { return static_cast<UINT>(SendMessage(EM_GETLIMITTEXT)); }
BOOL CEdit::SetReadOnly(BOOL readOnly) { return static_cast<BOOL>(SendMessage(EM_SETREADONLY, readOnly)); }
int CEdit::GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }
BOOL CEdit::GetModify() const { return static_cast<BOOL>(SendMessage(EM_GETMODIFY)); }
void CEdit::SetModify(BOOL modified) { SendMessage(EM_SETMODIFY, modified); }

BOOL CStatic::Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CreateEx(0, "STATIC", text, style | WS_CHILD, rect, parent, id);
}

CFont::~CFont() { DeleteObject(); }
BOOL CFont::CreateFontIndirect(const LOGFONT* lf) {
    if (!lf) return FALSE;
    DeleteObject();
    font_ = ::CreateFontIndirect(*lf);
    return font_ ? TRUE : FALSE;
}
BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                       BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                       BYTE quality, BYTE pitchAndFamily, const char* faceName) {
    DeleteObject();
    font_ = ::CreateFont(height, width, escapement, orientation, weight, italic, underline, strikeOut, charSet,
                         outPrecision, clipPrecision, quality, pitchAndFamily, faceName);
    return font_ ? TRUE : FALSE;
}
BOOL CFont::DeleteObject() {
    if (!font_) return FALSE;
    const bool ok = ::DeleteObject(font_);
    font_ = HFONT();
    return ok ? TRUE : FALSE;
}
int CFont::GetLogFont(LOGFONT* lf) const {
    auto d = vtl::gfx::fontDescription(font_);
    if (!d || !lf) return 0;
    *lf = *d;
    return 1;
}
