#pragma once
// CDC and friends: device contexts that record into display lists. A CPaintDC is the window's paint pass;
// a memory DC with a bitmap selected draws into the bitmap's pixels; BitBlt and StretchBlt copy from it.
#include <string>

#include "win/font.h"
#include "win/gdi.h"
#include "win/wnd.h"

class VTLWIN_API CBrush {
public:
    CBrush() = default;
    explicit CBrush(COLORREF colour) { CreateSolidBrush(colour); }
    ~CBrush();
    CBrush(const CBrush&) = delete;
    CBrush& operator=(const CBrush&) = delete;
    BOOL CreateSolidBrush(COLORREF colour);
    BOOL DeleteObject();
    HBRUSH GetSafeHandle() const { return brush_; }
    operator HBRUSH() const { return brush_; }

private:
    HBRUSH brush_;
};

class VTLWIN_API CPen {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF colour) { CreatePen(style, width, colour); }
    BOOL CreatePen(int style, int width, COLORREF colour);
    int style = 0;  // PS_SOLID, PS_DOT or PS_NULL
    int width = 1;
    COLORREF colour = 0;
};
constexpr int PS_SOLID = 0;
constexpr int PS_DOT = 2;
constexpr int PS_NULL = 5;

struct BITMAP {
    int bmWidth = 0;
    int bmHeight = 0;
};

class VTLWIN_API CBitmap {
public:
    CBitmap() = default;
    ~CBitmap();
    CBitmap(const CBitmap&) = delete;
    CBitmap& operator=(const CBitmap&) = delete;
    // From a bitmap resource of the current resource handle or the module chain.
    BOOL LoadBitmap(UINT id);
    // From a .bmp file (an operating-system path).
    BOOL LoadFromFile(const std::string& path);
    BOOL CreateCompatibleBitmap(class CDC* dc, int width, int height);
    BOOL Attach(HBITMAP bitmap);
    HBITMAP Detach();
    BOOL DeleteObject();
    int GetBitmap(BITMAP* info) const;
    HBITMAP GetSafeHandle() const { return bitmap_; }
    operator HBITMAP() const { return bitmap_; }

private:
    HBITMAP bitmap_;
};

class VTLWIN_API CDC {
public:
    CDC() = default;
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC;
    static CDC* FromHandle(HDC dc);
    BOOL Attach(HDC dc);
    HDC Detach();
    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

    // A memory device for drawing into or copying from a selected bitmap.
    BOOL CreateCompatibleDC(CDC* dc);
    BOOL DeleteDC();

    CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);
    CBrush* SelectObject(CBrush* brush);
    CPen* SelectObject(CPen* pen);
    HFONT SelectFont(HFONT font);
    HBRUSH SelectBrush(HBRUSH brush);
    HBITMAP SelectBitmap(HBITMAP bitmap);
    void SelectStockObject(int object);

    COLORREF SetTextColor(COLORREF colour);
    COLORREF GetTextColor() const;
    COLORREF SetBkColor(COLORREF colour);
    COLORREF GetBkColor() const;
    int SetBkMode(int mode);
    int GetBkMode() const;

    void FillSolidRect(const RECT* rect, COLORREF colour);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF colour);
    int FillRect(const RECT* rect, CBrush* brush);
    void FrameRect(const RECT* rect, CBrush* brush);
    BOOL Rectangle(int left, int top, int right, int bottom);
    BOOL Rectangle(const RECT* rect);
    BOOL Ellipse(const RECT* rect);
    CPoint MoveTo(int x, int y);
    BOOL LineTo(int x, int y);
    void Draw3dRect(const RECT* rect, COLORREF topLeft, COLORREF bottomRight);
    void DrawFocusRect(const RECT* rect);

    BOOL TextOut(int x, int y, const std::string& text);
    int DrawText(const std::string& text, RECT* rect, UINT format);
    CSize GetTextExtent(const std::string& text) const;

    // Copies from a memory device's bitmap. SRCCOPY draws it; SRCAND with a mask followed by SRCPAINT
    // with the image at the same place draws the image where the mask is black.
    BOOL BitBlt(int x, int y, int width, int height, CDC* source, int sx, int sy, DWORD rop);
    BOOL StretchBlt(int x, int y, int width, int height, CDC* source, int sx, int sy, int sw, int sh, DWORD rop);
    // An icon at the system's icon size (32 pixels), or at `size` pixels square (DrawIconEx's cx and cy).
    BOOL DrawIcon(int x, int y, HICON icon);
    BOOL DrawIcon(int x, int y, HICON icon, int size);
    // A bitmap by handle, at its own size, with an optional transparent colour.
    void DrawBitmap(int x, int y, HBITMAP bitmap, const COLORREF* transparent = nullptr);

    int SaveDC();
    BOOL RestoreDC(int saved);
    int IntersectClipRect(int left, int top, int right, int bottom);
    int IntersectClipRect(const RECT* rect);

protected:
    bool owns_ = false;
};

// The paint pass of a window: between BeginPaint and EndPaint.
class VTLWIN_API CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps;

private:
    HWND wnd_;
};

// A device for a window's client area outside painting (measuring text).
class VTLWIN_API CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;

private:
    HWND wnd_;
};
