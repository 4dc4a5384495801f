#pragma once
// A check of a window's layout as a person sees it: text its control cuts, controls that leave their
// parent, controls that cover each other.
#include <string>
#include <vector>

#include "win/export.h"
#include "win/types.h"

namespace vtl::win {

// Walks the visible windows of a top-level window (hidden ones and everything inside them are skipped;
// pop-ups such as dropped lists and tooltips are not children and are not looked at) and reports, one
// readable line each, naming the window (describeWindow):
//  - a control whose text its own rectangle cuts, measured in the control's font at the place its class
//    draws it: labels on one line or wrapped as they are drawn (cut when the lines are higher than the
//    label or a word is wider); push buttons inside their edge (and the default button's frame); check
//    boxes and radio buttons beside their box, and the box itself; a group box's caption with the gap it
//    cuts in the frame, inside the frame's right edge; the field of a combo box beside its drop button (a
//    drop-down's edit, an owner-drawn one not at all); the whole text of a single-line edit, as its caret
//    scrolls the text once the text is wider. A multi-line edit scrolls its lines, so only a word wider
//    than it or a height below one line cuts its text. Pictures and owner-drawn controls have no text.
//  - a child that does not lie wholly inside its parent's client area;
//  - two siblings that overlap (touching edges do not), unless the one behind (lower in the z-order, drawn
//    first: of two controls from a template, the later one) is a backdrop: a picture (bitmap, icon or
//    owner-drawn label), a frame or filled-rectangle label, a group box, or a tab control whose display
//    area (below its tabs) holds the part covered. A backdrop in front paints over what it covers.
// Children of combo boxes (their edit is the field) and of classes the framework does not know (which
// manage their own inner windows) are not walked.
VTLWIN_API std::vector<std::string> layoutProblems(HWND topLevel);

// A window as the problems name it: class, control id, a dialog's template and the text (shortened), e.g.
// BUTTON 1002 "Option" or #32770 0 of template 8140.
VTLWIN_API std::string describeWindow(HWND h);

}  // namespace vtl::win
