#pragma once
// KsResizer: a CResizer whose controls may carry a name tag ("Morphed"), so that a group of controls can be
// shown or hidden together. KsResizeControl is one such control: its id, its anchors and its tag.
#include "vtlbase/controls/resizer.h"
#include "vtlbase/export.h"
#include "vtlbase/vtl_string.h"

struct VTLBASE_API KsResizeControl {
    int id = 0;
    ResizeAnchor left = CResizer::parent(ResizeEdge::Left);
    ResizeAnchor top = CResizer::parent(ResizeEdge::Top);
    ResizeAnchor right = CResizer::parent(ResizeEdge::Left);
    ResizeAnchor bottom = CResizer::parent(ResizeEdge::Top);
    Vtl_String tag;
};

class VTLBASE_API KsResizer : public CResizer {
public:
    using CResizer::Add;
    bool Init(CWnd* parent) override;
    bool Add(const KsResizeControl& control);
    bool Add(int id, ResizeAnchor left, ResizeAnchor top, ResizeAnchor right, ResizeAnchor bottom,
             const Vtl_String& tag);
    // Shows or hides every listed control carrying the tag (compared exactly); answers how many there are.
    int ShowTagged(const Vtl_String& tag, bool show);
    Vtl_String tagOf(int id) const;

private:
    std::vector<std::pair<int, Vtl_String>> tags_;
};
