#pragma once
// Message boxes: real modal dialog windows with the platform's styles and answers.
#include <string>

#include "win/export.h"
#include "win/types.h"

constexpr UINT MB_OK = 0x0;
constexpr UINT MB_OKCANCEL = 0x1;
constexpr UINT MB_ABORTRETRYIGNORE = 0x2;
constexpr UINT MB_YESNOCANCEL = 0x3;
constexpr UINT MB_YESNO = 0x4;
constexpr UINT MB_RETRYCANCEL = 0x5;
constexpr UINT MB_TYPEMASK = 0xF;
constexpr UINT MB_ICONHAND = 0x10;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONSTOP = MB_ICONHAND;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONEXCLAMATION = 0x30;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONASTERISK = 0x40;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr UINT MB_ICONMASK = 0xF0;
constexpr UINT MB_DEFBUTTON1 = 0x0;
constexpr UINT MB_DEFBUTTON2 = 0x100;
constexpr UINT MB_DEFBUTTON3 = 0x200;
constexpr UINT MB_DEFMASK = 0xF00;
constexpr UINT MB_APPLMODAL = 0x0;
constexpr UINT MB_SYSTEMMODAL = 0x1000;
constexpr UINT MB_TASKMODAL = 0x2000;
constexpr UINT MB_SETFOREGROUND = 0x10000;
constexpr UINT MB_TOPMOST = 0x40000;

// Shows a message box owned by `owner` (or the active window) and answers the button pressed: IDOK,
// IDCANCEL, IDYES, IDNO, IDABORT, IDRETRY or IDIGNORE. A null caption reads "Error".
VTLWIN_API int MessageBox(HWND owner, const char* text, const char* caption, UINT type);
// A message box with the application's title as its caption.
VTLWIN_API int AfxMessageBox(const char* text, UINT type = MB_OK);

namespace vtl::win {
// The application's title (the caption of AfxMessageBox); "CAD host" until set.
VTLWIN_API void setApplicationTitle(const std::string& title);
VTLWIN_API std::string applicationTitle();
// The id of the static control that holds a message box's text.
constexpr int kMessageBoxTextId = 0xFFFF;
constexpr int kMessageBoxIconId = 0x14;
}  // namespace vtl::win
