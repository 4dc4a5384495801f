#pragma once
// Device contexts by handle: where each one records, and its drawing state. Private to libvtlwin.
#include <memory>
#include <vector>

#include "gfx/display_list.h"
#include "win/gdi.h"

namespace vtl::win::detail {

struct DcState {
    HFONT font;
    COLORREF text = 0;
    COLORREF background = 0xFFFFFF;
    int bkMode = OPAQUE;
    HBRUSH brush;  // none: the white brush
    bool nullBrush = false;
    COLORREF pen = 0;
    int penWidth = 1;
    int penStyle = 0;
    POINT current;
    int clips = 0;  // clip pushes made by IntersectClipRect since the last SaveDC
};

struct DeviceContext {
    gfx::DisplayList* list = nullptr;           // where drawing goes
    std::unique_ptr<gfx::DisplayList> own;      // for contexts that record for themselves
    HWND window;
    HBITMAP bitmap;                             // a memory context's selected bitmap
    bool memory = false;
    DcState state;
    std::vector<DcState> saved;
    // A mask blitted with SRCAND, waiting for its image (SRCPAINT) at the same place.
    HBITMAP pendingMask;
    RECT pendingMaskDest;
    RECT pendingMaskSource;
};

DeviceContext* dcOf(HDC dc);
// A context that records into `list` (the renderer's paint pass of a window).
HDC createRecordingDc(gfx::DisplayList& list, HWND window);
void deleteDc(HDC dc);
// The context BeginPaint hands out for the window being painted now, if the renderer set one.
void setPaintDc(HWND window, HDC dc);
void clearGdi();

}  // namespace vtl::win::detail
