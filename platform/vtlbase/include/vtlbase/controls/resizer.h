#pragma once
// CResizer: keeps a dialog's controls in place while the dialog changes size. Each side of a listed control
// is anchored to an edge of the parent's client area (left, right, centre, or in proportion to its size) or
// to a side of another control of the same parent, keeping the distance it has when the control is added.
// The dialog calls Move() from its OnSize. Controls are placed in the order added, so a control anchored to
// another one listed before it follows that one's new place.
#include <vector>

#include "vtlbase/export.h"
#include "win/wnd.h"

enum class ResizeEdge {
    Left, Right, CentreX, ScaleX,  // horizontal sides
    Top, Bottom, CentreY, ScaleY   // vertical sides
};

struct ResizeAnchor {
    ResizeEdge edge = ResizeEdge::Left;
    int id = 0;  // 0: the parent's client area; otherwise a control of the parent
};

class VTLBASE_API CResizer {
public:
    static ResizeAnchor parent(ResizeEdge edge) { return {edge, 0}; }
    static ResizeAnchor control(int id, ResizeEdge edge) { return {edge, id}; }

    virtual ~CResizer() = default;

    // Starts a new table for the parent's children (forgetting the old one). False without a parent window.
    virtual bool Init(CWnd* parent);
    // Adds a control with the anchors of its four sides, measured now. False when the control does not
    // exist, an anchor names the wrong axis (a left side anchored to a bottom), a control that does not
    // exist, the control itself, or scales by another control.
    bool Add(int id, ResizeAnchor left, ResizeAnchor top, ResizeAnchor right, ResizeAnchor bottom);
    // Places every listed control for the parent's current size. A side pushed past its opposite one meets
    // it, so no control gets a negative size.
    void Move();

    int count() const { return static_cast<int>(entries_.size()); }
    bool contains(int id) const;
    HWND parentWindow() const { return parent_; }

protected:
    struct Side {
        ResizeAnchor anchor;
        int offset = 0;      // distance from the reference position when added
        int position = 0;    // the side's position when added (for proportional sides)
        int extent = 0;      // the parent's width or height when added (for proportional sides)
    };
    struct Entry {
        int id = 0;
        Side left, top, right, bottom;
    };
    const std::vector<Entry>& entries() const { return entries_; }

private:
    bool measure(Side& side, int position, bool horizontal, int self) const;
    int reference(const ResizeAnchor& anchor, const std::vector<std::pair<int, RECT>>& placed, SIZE client) const;

    HWND parent_;
    std::vector<Entry> entries_;
};
