#pragma once
// DesignAccess: the designer's way into a design's drawn controls and picture. The edit commands change a
// design only through these functions, each of which keeps the stored fractions and the drawn windows in
// step: geometry travels in pixels (what the person sees, whatever the reference size), and every drawn
// control i belongs to control i.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "vtlui/vtl_dlg_designer_data.h"
#include "win/types.h"

namespace vtl::designer {

struct DesignSurface;

// A control with its place in the list and its rectangle in pixels.
struct PlacedControl {
    int index = 0;
    Vtl_DesignerControl control;
    RECT rect{};
};

struct DesignAccess {
    static DesignSurface* surface(Vtl_DlgDesignerData& design) { return design.surface_.get(); }
    // Every control is drawn, in list order, and registered with the selection tracker.
    static bool inStep(const Vtl_DlgDesignerData& design);
    static HWND dialog(const Vtl_DlgDesignerData& design) { return design.dialog_; }
    // The drawn rectangle of control `index` (pixels, dialog client coordinates).
    static RECT drawnRect(const Vtl_DlgDesignerData& design, int index);
    // The rectangle a stored control is drawn at.
    static RECT storedRect(const Vtl_DlgDesignerData& design, const Vtl_DesignerControl& control);
    // Gives each control its rectangle: the windows move in one deferred batch, the fractions follow.
    static void placeRects(Vtl_DlgDesignerData& design, const std::vector<std::pair<int, RECT>>& rects);
    // The control's type, contents and lists become those of `properties` (its place, id and rectangle
    // stay); a new type redraws every control, a new text shows in the window.
    static void setProperties(Vtl_DlgDesignerData& design, int index, const Vtl_DesignerControl& properties);
    // Inserts controls at their places (ascending) and redraws. A control keeps its resource id when that
    // is still free, else gets the lowest free one; the ids given are written back into `controls`.
    static void insertControls(Vtl_DlgDesignerData& design, std::vector<PlacedControl>& controls);
    // Removes the controls at these places and redraws.
    static void removeControls(Vtl_DlgDesignerData& design, const std::vector<int>& indices);
    // The design's own picture file gets `bytes` (nothing means: no picture file) and is attached again;
    // the controls keep their places in pixels. False when the file cannot be written.
    static bool setPictureFile(Vtl_DlgDesignerData& design, const std::optional<std::string>& bytes);
    // The design shows no picture (its file is left alone).
    static void dropPicture(Vtl_DlgDesignerData& design);
    // Selects exactly these controls and repaints.
    static void select(Vtl_DlgDesignerData& design, const std::vector<int>& indices);
    static void repaint(const Vtl_DlgDesignerData& design);
};

}  // namespace vtl::designer
