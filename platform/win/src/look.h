#pragma once
// The classic desktop look: the drawing primitives the renderer and the control classes share.
#include <string_view>

#include "gfx/display_list.h"
#include "gfx/text_layout.h"
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

// Where the standard classes draw their text and marks, in client coordinates of a control of size
// `client`. The painters draw there and the layout check measures there, so the two cannot disagree.
struct TextPlace {
    RECT rect;        // where the text goes; it is clipped there unless the format has DT_NOCLIP
    unsigned format;  // DrawText flags
};

// Push buttons (and push-like check boxes): the face inside the default button's black frame, the text
// inside the face's raised edge.
RECT pushButtonFace(SIZE client, bool isDefault);
TextPlace pushButtonText(SIZE client, bool isDefault);
// Check boxes and radio buttons: the box (circle) at the left, vertically centred, the text beside it.
constexpr int kCheckBoxSize = 13;
RECT checkBoxMark(SIZE client);
TextPlace checkBoxText(SIZE client);
// A group box's caption: drawn from x 8 in the font's line height, over a gap cut in the top of the frame
// from 2 pixels before to 2 pixels after the text.
constexpr int kGroupBoxCaptionLeft = 8;
TextPlace groupBoxCaption(HFONT font, std::string_view text);
RECT groupBoxFrame(SIZE client, HFONT font);
// Labels ("STATIC" of a text kind: left, centred, right, left without wrapping): the whole client, wrapped
// at spaces unless the kind or SS_CENTERIMAGE keeps it on one line.
bool staticShowsText(DWORD style);
TextPlace staticText(SIZE client, DWORD style);
// Combo boxes: the drop button at the right; a drop-down list shows its selection in the field beside it.
constexpr int kComboButtonWidth = 17;
RECT comboButton(SIZE client);
RECT comboField(SIZE client);
TextPlace comboFieldText(SIZE client);
// Edits: a single line vertically centred, 1 pixel in from each side (drawn unclipped, but the text
// scrolls to keep the caret inside); several lines wrapped from the top.
TextPlace editText(SIZE client, HFONT font, bool multiline);
// The box of the lines `text` takes when drawn at `place` in `font`, as the painters draw it (prefix marks,
// wrapping and alignment applied). Text is cut when this box leaves place.rect.
RECT textBox(HFONT font, std::string_view text, const TextPlace& place);

}  // namespace vtl::win::detail
