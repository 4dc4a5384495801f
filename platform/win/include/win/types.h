#pragma once
// The basic types of the window system, with the platform's names and widths.
#include <compare>
#include <cstddef>
#include <cstdint>
#include <functional>

#include "gfx/color.h"
#include "gfx/geometry.h"
#include "gfx/handles.h"

using BOOL = int;
#ifndef TRUE
inline constexpr BOOL TRUE = 1;
#endif
#ifndef FALSE
inline constexpr BOOL FALSE = 0;
#endif

using UINT = unsigned int;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using INT_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using LONG_PTR = std::intptr_t;
using DWORD_PTR = std::uintptr_t;
using WPARAM = UINT_PTR;
using LPARAM = LONG_PTR;
using LRESULT = LONG_PTR;

// A window handle: a small positive integer that fits in an int and is never reused. HWND() is no window.
using HWND = vtl::gfx::Handle<struct WindowTag>;

// Special insert-after values of SetWindowPos.
inline constexpr HWND HWND_TOP{0};
inline constexpr HWND HWND_BOTTOM{-2};
inline constexpr HWND HWND_TOPMOST{-1};
inline constexpr HWND HWND_NOTOPMOST{-3};

// The handle of a loaded binary: its load address, as on the platform.
using HINSTANCE = struct HINSTANCE__*;
using HMODULE = HINSTANCE;

constexpr WORD LOWORD(DWORD_PTR v) { return static_cast<WORD>(v & 0xFFFF); }
constexpr WORD HIWORD(DWORD_PTR v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
constexpr DWORD MAKELONG(WORD lo, WORD hi) { return static_cast<DWORD>(lo) | (static_cast<DWORD>(hi) << 16); }
constexpr WPARAM MAKEWPARAM(WORD lo, WORD hi) { return MAKELONG(lo, hi); }
constexpr LPARAM MAKELPARAM(WORD lo, WORD hi) { return static_cast<LPARAM>(MAKELONG(lo, hi)); }
constexpr int GET_X_LPARAM(LPARAM lp) { return static_cast<std::int16_t>(LOWORD(static_cast<DWORD_PTR>(lp))); }
constexpr int GET_Y_LPARAM(LPARAM lp) { return static_cast<std::int16_t>(HIWORD(static_cast<DWORD_PTR>(lp))); }
// Packs client coordinates into a mouse message's lParam (signed 16-bit each).
constexpr LPARAM MAKEPOINTLPARAM(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(static_cast<std::int16_t>(x)), static_cast<WORD>(static_cast<std::int16_t>(y)));
}

// Window handles travel in message parameters as their integer value.
constexpr LPARAM HandleToParam(HWND h) { return static_cast<LPARAM>(h.value()); }
constexpr HWND ParamToHandle(LONG_PTR p) { return HWND(static_cast<int>(p)); }

struct MSG {
    HWND hwnd;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWORD time = 0;
    POINT pt;
};

using TIMERPROC = void (*)(HWND, UINT, UINT_PTR, DWORD);
