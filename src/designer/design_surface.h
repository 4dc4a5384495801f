#pragma once
// DesignSurface: what a design has only while the designer edits it: the selection tracker over the drawn
// controls, the undo history, and the surface the controls are laid out on.
#include "designer/edit_history.h"
#include "designer/selection_tracker.h"
#include "win/types.h"

namespace vtl::designer {

struct DesignSurface {
    SelectionTracker tracker;
    EditHistory history;
    // The surface in the dialog's client coordinates; empty until the designer sets it.
    CRect area;
    // What follows the mouse while a button is down: the rubber band, or the selection's outline.
    CRect band;
    bool draggingSelection = false;
};

}  // namespace vtl::designer
