#pragma once
// Painting: device contexts by handle that record into display lists, brushes, system colours, paint
// messages, and bitmaps and icons loaded from resources by number.
#include "gfx/bitmap.h"
#include "gfx/display_list.h"
#include "gfx/icon.h"
#include "win/export.h"
#include "win/types.h"

using HDC = vtl::gfx::Handle<struct DcTag>;

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Raster operations of BitBlt.
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD SRCPAINT = 0x00EE0086;
constexpr DWORD SRCAND = 0x008800C6;

// System colours (the classic desktop scheme).
constexpr int COLOR_SCROLLBAR = 0;
constexpr int COLOR_BACKGROUND = 1;
constexpr int COLOR_ACTIVECAPTION = 2;
constexpr int COLOR_INACTIVECAPTION = 3;
constexpr int COLOR_MENU = 4;
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWFRAME = 6;
constexpr int COLOR_MENUTEXT = 7;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_CAPTIONTEXT = 9;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_3DFACE = COLOR_BTNFACE;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_GRAYTEXT = 17;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_INACTIVECAPTIONTEXT = 19;
constexpr int COLOR_BTNHIGHLIGHT = 20;
constexpr int COLOR_3DDKSHADOW = 21;
constexpr int COLOR_3DLIGHT = 22;
constexpr int COLOR_INFOTEXT = 23;
constexpr int COLOR_INFOBK = 24;
VTLWIN_API COLORREF GetSysColor(int index);
// A colour value with this bit set names a system colour by its index (0x8000000F is the button face).
VTLWIN_API COLORREF resolveColour(COLORREF colour);

// Stock objects.
constexpr int WHITE_BRUSH = 0;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int HOLLOW_BRUSH = NULL_BRUSH;
VTLWIN_API HBRUSH GetStockObject(int object);
VTLWIN_API HBRUSH GetSysColorBrush(int index);
VTLWIN_API HBRUSH CreateSolidBrush(COLORREF colour);
VTLWIN_API bool DeleteObject(HBRUSH brush);
// The colour of a brush; nothing for the null brush or an unknown handle.
VTLWIN_API bool brushColour(HBRUSH brush, COLORREF& colour);

struct PAINTSTRUCT {
    HDC hdc;
    BOOL fErase = FALSE;
    RECT rcPaint;
};

// Painting happens when the screen is rendered: the window's handlers of WM_ERASEBKGND and WM_PAINT draw
// into a device context that records, between BeginPaint and EndPaint.
VTLWIN_API HDC BeginPaint(HWND h, PAINTSTRUCT* ps);
VTLWIN_API BOOL EndPaint(HWND h, const PAINTSTRUCT* ps);
// A device context for the window's client area outside painting (measuring text; what is drawn there is
// gone at the next paint, as on the platform).
VTLWIN_API HDC GetDC(HWND h);
VTLWIN_API int ReleaseDC(HWND h, HDC dc);
VTLWIN_API BOOL InvalidateRect(HWND h, const RECT* rect, BOOL erase);
VTLWIN_API BOOL UpdateWindow(HWND h);

// Resources by number, looked up through the current resource handle and the module chain.
VTLWIN_API HBITMAP LoadBitmap(HINSTANCE instance, int id);
VTLWIN_API HICON LoadIcon(HINSTANCE instance, int id);

namespace vtl::win {
// The display list a device context records into (for tests and the renderer).
VTLWIN_API const gfx::DisplayList* recordedList(HDC dc);
}  // namespace vtl::win
