#include "designer/design_access.h"

#include <algorithm>
#include <cmath>

#include "designer/control_rect.h"
#include "designer/design_surface.h"
#include "designer/designer_files.h"
#include "frame/vtlbase.h"
#include "win/api.h"
#include "win/gdi.h"

namespace vtl::designer {
namespace {
namespace files = vtl::base::files;

int rounded(double v) { return static_cast<int>(std::lround(std::clamp(v, -32767.0, 32767.0))); }
}  // namespace

bool DesignAccess::inStep(const Vtl_DlgDesignerData& d) {
    const DesignSurface* s = d.surface_.get();
    return s && static_cast<int>(d.drawnControls_.size()) == d.controls_.length() && s->tracker.count() == d.controls_.length();
}

RECT DesignAccess::drawnRect(const Vtl_DlgDesignerData& d, int index) {
    if (index < 0 || index >= static_cast<int>(d.drawnControls_.size())) return {};
    CRect r = d.drawnControls_[static_cast<std::size_t>(index)]->m_rect;
    r.NormalizeRect();
    return r;
}

RECT DesignAccess::storedRect(const Vtl_DlgDesignerData& d, const Vtl_DesignerControl& c) {
    return {rounded(d.getTopLeftX(c)), rounded(d.getTopLeftY(c)), rounded(d.getBottomRightX(c)), rounded(d.getBottomRightY(c))};
}

void DesignAccess::placeRects(Vtl_DlgDesignerData& d, const std::vector<std::pair<int, RECT>>& rects) {
    HDWP batch = BeginDeferWindowPos(static_cast<int>(rects.size()));
    for (const auto& [index, r] : rects) {
        if (index < 0 || index >= d.controls_.length()) continue;
        Vtl_DesignerControl& c = d.controls_[index];
        d.setTopLeftX(c, r.left);
        d.setTopLeftY(c, r.top);
        d.setBottomRightX(c, r.right);
        d.setBottomRightY(c, r.bottom);
        if (index >= static_cast<int>(d.drawnControls_.size())) continue;
        CControlRect& drawn = *d.drawnControls_[static_cast<std::size_t>(index)];
        drawn.m_rect = r;
        if (batch && IsWindow(drawn.window()))
            batch = DeferWindowPos(batch, drawn.window(), HWND(), r.left, r.top, r.right - r.left, r.bottom - r.top,
                                   SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (batch) EndDeferWindowPos(batch);
    repaint(d);
}

void DesignAccess::setProperties(Vtl_DlgDesignerData& d, int index, const Vtl_DesignerControl& p) {
    Vtl_DesignerControl* c = d.getControlWrite(index);
    if (!c) return;
    const bool newType = c->type != p.type;
    const bool newText = !(c->contents == p.contents);
    c->type = p.type;
    c->contents = p.contents;
    c->listText = p.listText;
    c->flexBtnPart1 = p.flexBtnPart1;
    c->flexBtnPart2 = p.flexBtnPart2;
    c->flexBtnPart3 = p.flexBtnPart3;
    c->flexBtnPart4 = p.flexBtnPart4;
    c->cellBtnPart1 = p.cellBtnPart1;
    c->cellBtnPart2 = p.cellBtnPart2;
    c->cellBtnPart3 = p.cellBtnPart3;
    c->cellBtnPart4 = p.cellBtnPart4;
    if (newType) {
        // Another type is another window class: every control is drawn anew, in list order.
        d.redrawAllControls();
    } else if (newText && index < static_cast<int>(d.drawnControls_.size())) {
        SetWindowText(d.drawnControls_[static_cast<std::size_t>(index)]->window(), c->contents.c_str());
    }
    repaint(d);
}

void DesignAccess::insertControls(Vtl_DlgDesignerData& d, std::vector<PlacedControl>& controls) {
    for (PlacedControl& placed : controls) {
        Vtl_DesignerControl c = placed.control;
        const int id = c.resourceId;
        const bool keep = id > 0 && id >= d.firstId_ && id <= d.lastId_ && !d.idUses_.contains(id);
        c.resourceId = keep ? id : d.freeResourceId();
        d.noteIdTaken(c.resourceId);
        placed.control.resourceId = c.resourceId;
        d.setTopLeftX(c, placed.rect.left);
        d.setTopLeftY(c, placed.rect.top);
        d.setBottomRightX(c, placed.rect.right);
        d.setBottomRightY(c, placed.rect.bottom);
        d.controls_.insertAt(std::clamp(placed.index, 0, d.controls_.length()), c);
    }
    d.redrawAllControls();
}

void DesignAccess::removeControls(Vtl_DlgDesignerData& d, const std::vector<int>& indices) {
    std::vector<int> sorted = indices;
    std::sort(sorted.begin(), sorted.end(), std::greater<>());
    // The windows go first: a list with fewer controls than drawn windows is never drawn from.
    d.removeAllDrawnCtrls();
    for (int index : sorted) d.removeControl(index);
    d.redrawAllControls();
}

bool DesignAccess::setPictureFile(Vtl_DlgDesignerData& d, const std::optional<std::string>& bytes) {
    // The controls stay where the person sees them: their pixels are kept across the change of reference.
    std::vector<std::pair<int, RECT>> rects;
    for (int i = 0; i < static_cast<int>(d.drawnControls_.size()) && i < d.controls_.length(); ++i)
        rects.emplace_back(i, drawnRect(d, i));
    const Vtl_String target = designPath(d.name_, "bmp");
    std::string error;
    bool written = true;
    if (bytes) {
        std::string now;
        // The same picture again (chosen as its own file) is not written: nothing about it changes.
        if (!files::readBinary(target.view(), now, error) || now != *bytes) written = files::writeBinary(target.view(), *bytes, error);
        d.attachBitmap(target);
    } else {
        files::deleteFile(target.view());
        dropPicture(d);
    }
    placeRects(d, rects);
    return written;
}

void DesignAccess::dropPicture(Vtl_DlgDesignerData& d) {
    if (d.image_) DeleteObject(d.image_);
    d.image_ = HBITMAP();
    d.mask_ = {};
    d.imageWidth_ = d.imageHeight_ = 0;
}

void DesignAccess::select(Vtl_DlgDesignerData& d, const std::vector<int>& indices) {
    DesignSurface* s = d.surface_.get();
    if (!s) return;
    // Most edits keep the selection as it is: nothing to change then.
    if (s->tracker.selectedCount() == static_cast<int>(indices.size()) &&
        std::all_of(indices.begin(), indices.end(), [&](int i) { return s->tracker.isSelected(i); })) {
        repaint(d);
        return;
    }
    s->tracker.clearSelection();
    for (int i : indices) s->tracker.setSelected(i, true);
    repaint(d);
}

void DesignAccess::repaint(const Vtl_DlgDesignerData& d) {
    if (IsWindow(d.dialog_)) InvalidateRect(d.dialog_, nullptr, TRUE);
}

}  // namespace vtl::designer
