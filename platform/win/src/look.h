#pragma once
// The classic desktop look: the drawing primitives the renderer and the control classes share.
#include <string_view>

#include "gfx/display_list.h"
#include "win/gdi.h"
#include "win/types.h"

namespace vtl::win::detail {

// What a control paints with: its font, whether it is enabled (with all its ancestors) and focused, and
// for labels the colours their parent chose (WM_CTLCOLORSTATIC).
struct PaintContext {
    gfx::DisplayList& list;
    HFONT font;
    bool enabled = true;
    bool focused = false;
    COLORREF textColour = 0;
    bool transparentBackground = false;
    COLORREF background = 0;
};

COLORREF sys(int index);
void raisedEdge(gfx::DisplayList& l, const RECT& r, bool pressed = false);
void sunkenEdge(gfx::DisplayList& l, const RECT& r);
void etchedFrame(gfx::DisplayList& l, const RECT& r);
void label(gfx::DisplayList& l, const RECT& r, std::string_view text, HFONT font, COLORREF colour, unsigned format);
// Text of a disabled control: grey with a white shadow, engraved.
void engravedLabel(gfx::DisplayList& l, const RECT& r, std::string_view text, HFONT font, unsigned format);
void checkMark(gfx::DisplayList& l, const RECT& box, COLORREF colour);
void arrow(gfx::DisplayList& l, const RECT& r, bool down, COLORREF colour);
void focusRect(gfx::DisplayList& l, const RECT& r);
// Owner drawing: sends WM_DRAWITEM about `control` to its parent, with a device context that records into
// `l` (the paint pass of `drawIn`, the control or its dropped list) in `font`. True when someone drew.
bool ownerDrawItem(gfx::DisplayList& l, HWND control, HWND drawIn, UINT ctlType, int itemId, UINT state,
                   const RECT& rc, DWORD_PTR data, HFONT font);

}  // namespace vtl::win::detail
