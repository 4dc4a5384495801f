#pragma once
// SelectionTracker: the designer's selection over the drawn controls. It knows every drawn control in
// drawing order (hit-testing follows that order) and which of them are selected, and as a tracker of its
// own it drags the bounding rectangle of the selection, kept inside the design surface.
#include <vector>

#include "designer/control_rect.h"
#include "win/tracker.h"

namespace vtl::designer {

class SelectionTracker : public CRectTracker {
public:
    SelectionTracker();

    // Appends a drawn control in drawing order and brings its window to the top of the z-order, so the
    // controls lie above the dialog's own ones, later ones above earlier ones.
    void add(CControlRect* drawn);
    // Forgets every control (their windows are going).
    void clear();
    int count() const { return static_cast<int>(registered_.size()); }
    CControlRect* at(int index) const;

    // The first control, in drawing order, whose rectangle holds the point, or a handle of which holds it
    // when the control is selected (only a selected control shows handles); -1 when none. `hit` receives
    // the tracker's hit code.
    int hitTest(POINT point, int& hit) const;

    bool isSelected(int index) const;
    void setSelected(int index, bool selected);
    void clearSelection();
    // The selected controls' places in drawing order, ascending.
    std::vector<int> selection() const;
    int selectedCount() const { return selectedCount_; }
    // The only selected control, or -1.
    int current() const;
    // The smallest rectangle holding every selected control; false with nothing selected.
    bool boundingRect(CRect& rect) const;

    // Where the dragged selection may go (empty: anywhere).
    CRect bounds;
    // The window repainted while the selection is dragged, so its outline follows the mouse.
    HWND surfaceWindow;

protected:
    void AdjustRect(int hit, RECT* rect) override;
    void OnChangedRect(const CRect& old) override;

private:
    std::vector<CControlRect*> registered_;
    int selectedCount_ = 0;
};

}  // namespace vtl::designer
