// Vtl_DlgDesignerData in design mode: selecting with the mouse, moving and sizing, adding, copying and
// removing controls, aligning them, the property fields and the picture. Every change goes through the
// undo history as one command (designer/design_edits.h).
#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <string>

#include "common/ks_input_text_dlg.h"
#include "designer/control_rect.h"
#include "designer/control_types.h"
#include "designer/design_access.h"
#include "designer/design_edits.h"
#include "designer/design_surface.h"
#include "designer/designer_files.h"
#include "frame/vtlbase.h"
#include "gfx/bitmap.h"
#include "vtlui/vtl_dlg_designer_data.h"
#include "win/api.h"
#include "win/combo_box.h"
#include "win/dc.h"
#include "win/dialog.h"
#include "win/keys.h"

using vtl::designer::DesignAccess;
using vtl::designer::DesignSurface;
using vtl::designer::PlacedControl;
using vtl::designer::RectChange;

namespace {
namespace files = vtl::base::files;

constexpr int kNewControlText = 171;
constexpr int kNewWidth = 30, kNewHeight = 18;
constexpr int kCopyOffset = 20;
constexpr double kMaxPixels = 32767.0;

// Sets the flag for as long as the fields are being filled, so that their change notifications are not
// taken for edits.
class PropertyUpdate {
public:
    explicit PropertyUpdate(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
    ~PropertyUpdate() { flag_ = was_; }
    PropertyUpdate(const PropertyUpdate&) = delete;
    PropertyUpdate& operator=(const PropertyUpdate&) = delete;

private:
    bool& flag_;
    bool was_;
};

void setField(HWND dialog, int id, const Vtl_String& text, bool enabled) {
    const HWND field = GetDlgItem(dialog, id);
    if (!field) return;
    if (GetWindowText(field) != text.str()) SetWindowText(field, text.c_str());
    EnableWindow(field, enabled ? TRUE : FALSE);
}

// The rubber band, shown on the surface while it is drawn.
class RubberBand : public CRectTracker {
public:
    RubberBand(CRect& shown, HWND surface) : shown_(shown), surface_(surface) {}
    ~RubberBand() override { shown_.SetRectEmpty(); }
    RubberBand(const RubberBand&) = delete;
    RubberBand& operator=(const RubberBand&) = delete;

protected:
    void OnChangedRect(const CRect&) override {
        shown_ = m_rect;
        shown_.NormalizeRect();
        InvalidateRect(surface_, nullptr, TRUE);
    }

private:
    CRect& shown_;
    HWND surface_;
};

RECT offset(RECT r, int dx, int dy) {
    r.left += dx;
    r.right += dx;
    r.top += dy;
    r.bottom += dy;
    return r;
}
}  // namespace

// ---- the surface and the selection ----

void Vtl_DlgDesignerData::setDesignSurface(const RECT& surface) {
    if (!surface_) return;
    surface_->area = surface;
    surface_->tracker.bounds = surface;
    for (auto& drawn : drawnControls_) drawn->bounds = surface;
    // Without a picture the surface is the reference: the controls keep their pixels, their fractions
    // follow the new size.
    if (!hasImage() && DesignAccess::inStep(*this))
        for (int i = 0; i < controls_.length(); ++i) getSizeFromControl(i);
}

int Vtl_DlgDesignerData::getCurSel() const { return surface_ ? surface_->tracker.current() : -1; }

std::vector<int> Vtl_DlgDesignerData::getSelection() const {
    return surface_ ? surface_->tracker.selection() : std::vector<int>();
}

bool Vtl_DlgDesignerData::selectIndices(const std::vector<int>& indices) {
    if (!surface_) return false;
    surface_->history.seal();
    DesignAccess::select(*this, indices);
    return true;
}

bool Vtl_DlgDesignerData::selectCtrls(const AcArray<int>& resourceIds) {
    if (!surface_) return false;
    std::vector<int> indices;
    for (int k = 0; k < resourceIds.length(); ++k) {
        int index = 0;
        if (findCtrlFromResource(resourceIds[k], index)) indices.push_back(index);
    }
    return selectIndices(indices);
}

bool Vtl_DlgDesignerData::OnLButtonDown(UINT flags, CPoint point) {
    if (!surface_ || !DesignAccess::inStep(*this)) return false;
    auto& tracker = surface_->tracker;
    surface_->history.seal();
    CWnd* dialog = CWnd::FromHandle(dialog_);
    int hit = CRectTracker::hitNothing;
    const int index = tracker.hitTest(point, hit);
    if (index < 0) {
        // Empty surface: with Shift or Ctrl nothing happens; otherwise a rubber band selects what it holds.
        if (flags & (MK_SHIFT | MK_CONTROL)) return true;
        tracker.clearSelection();
        DesignAccess::repaint(*this);
        RubberBand band(surface_->band, dialog_);
        if (band.TrackRubberBand(dialog, point, TRUE)) {
            band.NormalizeRect();
            for (int i = 0; i < tracker.count(); ++i) {
                CRect r = tracker.at(i)->m_rect;
                r.NormalizeRect();
                if (r.left >= band.m_rect.left && r.right <= band.m_rect.right && r.top >= band.m_rect.top &&
                    r.bottom <= band.m_rect.bottom)
                    tracker.setSelected(i, true);
            }
        }
        DesignAccess::repaint(*this);
        return true;
    }
    if (flags & MK_CONTROL) {
        tracker.setSelected(index, !tracker.isSelected(index));
        DesignAccess::repaint(*this);
        return true;
    }
    if (flags & MK_SHIFT) {
        tracker.setSelected(index, true);
        DesignAccess::repaint(*this);
        return true;
    }
    if (!tracker.isSelected(index)) tracker.clearSelection();
    tracker.setSelected(index, true);
    DesignAccess::repaint(*this);

    if (hit == CRectTracker::hitMiddle) {
        // The selection moves as a whole by the distance its bounding rectangle's corner travelled.
        CRect bounding;
        tracker.boundingRect(bounding);
        tracker.m_rect = bounding;
        tracker.surfaceWindow = dialog_;
        surface_->draggingSelection = true;
        const BOOL moved = tracker.Track(dialog, point);
        surface_->draggingSelection = false;
        if (moved) {
            tracker.NormalizeRect();
            const int dx = tracker.m_rect.left - bounding.left, dy = tracker.m_rect.top - bounding.top;
            if (dx != 0 || dy != 0) {
                std::vector<RectChange> changes;
                for (int i : tracker.selection()) {
                    const RECT before = DesignAccess::drawnRect(*this, i);
                    changes.push_back({i, before, offset(before, dx, dy)});
                }
                surface_->history.push(std::make_unique<vtl::designer::GeometryEdit>(*this, std::move(changes), getSelection()));
            }
        }
    } else {
        // A handle of a selected control sizes that control; its window follows the mouse meanwhile.
        CControlRect* drawn = tracker.at(index);
        const RECT before = DesignAccess::drawnRect(*this, index);
        const BOOL done = drawn->Track(dialog, point);
        drawn->NormalizeRect();
        const RECT after = drawn->m_rect;
        drawn->setRect(before);
        if (done && !(before == after))
            surface_->history.push(std::make_unique<vtl::designer::GeometryEdit>(*this, std::vector<RectChange>{{index, before, after}}, getSelection()));
    }
    surface_->history.seal();
    DesignAccess::repaint(*this);
    return true;
}

int Vtl_DlgDesignerData::OnSetCursor(UINT hitTest, UINT) {
    if (!surface_) return 0;
    CWnd* dialog = CWnd::FromHandle(dialog_);
    for (int i = 0; i < surface_->tracker.count(); ++i)
        if (surface_->tracker.at(i)->SetCursor(dialog, hitTest)) return 1;
    return 0;
}

bool Vtl_DlgDesignerData::OnPaint(CPaintDC& dc) {
    if (!surface_) return false;
    for (int i = 0; i < surface_->tracker.count(); ++i) {
        const CControlRect* drawn = surface_->tracker.at(i);
        if (drawn->selected) drawn->Draw(&dc);
    }
    // While the button is down: the outline of the selection being dragged, or the rubber band.
    if (surface_->draggingSelection) surface_->tracker.Draw(&dc);
    if (!surface_->band.IsRectEmpty()) dc.DrawFocusRect(&surface_->band);
    return true;
}

// ---- adding, copying, removing ----

bool Vtl_DlgDesignerData::addNewControl(Vtl_ControlType type) {
    if (!surface_ || !DesignAccess::inStep(*this)) return false;
    PlacedControl placed;
    placed.index = controls_.length();
    placed.control.type = type;
    placed.control.contents = dialString(kNewControlText);
    const int left = static_cast<int>(std::lround(factorToPixels(true, 0.2)));
    const int top = static_cast<int>(std::lround(factorToPixels(false, 0.2)));
    placed.rect = {left, top, left + kNewWidth, top + kNewHeight};
    surface_->history.push(std::make_unique<vtl::designer::InsertEdit>(*this, std::vector<PlacedControl>{placed}, getSelection()));
    return true;
}

bool Vtl_DlgDesignerData::removeCurControls() {
    if (!surface_ || !DesignAccess::inStep(*this)) return false;
    std::vector<PlacedControl> removed;
    for (int i : getSelection()) removed.push_back({i, controls_[i], DesignAccess::drawnRect(*this, i)});
    if (!removed.empty()) surface_->history.push(std::make_unique<vtl::designer::RemoveEdit>(*this, std::move(removed)));
    return true;
}

bool Vtl_DlgDesignerData::copyCurCtrls() {
    if (!surface_ || !DesignAccess::inStep(*this)) return false;
    std::vector<PlacedControl> copies;
    int next = controls_.length();
    for (int i : getSelection()) {
        PlacedControl copy{next++, controls_[i], offset(DesignAccess::drawnRect(*this, i), kCopyOffset, kCopyOffset)};
        copy.control.resourceId = 0;  // a copy gets an id of its own
        copies.push_back(std::move(copy));
    }
    if (copies.empty()) return false;
    surface_->history.push(std::make_unique<vtl::designer::InsertEdit>(*this, std::move(copies), getSelection()));
    return true;
}

// ---- sizes and alignment ----

void Vtl_DlgDesignerData::changeCtrlSize(int index, bool horizontal, double pixels) {
    Vtl_DesignerControl* c = getControlWrite(index);
    if (!c) return;
    if (horizontal) setBottomRightX(*c, getTopLeftX(*c) + pixels);
    else setBottomRightY(*c, getTopLeftY(*c) + pixels);
}

bool Vtl_DlgDesignerData::changeCtrlSize(bool horizontal) {
    if (!surface_ || !DesignAccess::inStep(*this)) return false;
    const std::vector<int> selection = getSelection();
    if (selection.empty()) return false;
    vtl::ui::KsInputTextDlg input(CWnd::FromHandle(dialog_));
    input.caption = dialString(horizontal ? 90 : 744);
    input.prompt = dialString(horizontal ? 825 : 826);
    input.text = horizontal ? "30" : "18";
    input.okText = dialString(1);
    input.cancelText = dialString(2);
    if (input.DoModal() != IDOK || !input.accepted) return false;
    // A size below one pixel (or text that is no number) would make the controls vanish: nothing changes.
    const double value = input.text.toDouble();
    if (!(value >= 1.0)) return false;
    const int pixels = static_cast<int>(std::lround(std::min(value, kMaxPixels)));
    std::vector<RectChange> changes;
    for (int i : selection) {
        const RECT before = DesignAccess::drawnRect(*this, i);
        RECT after = before;
        if (horizontal) after.right = after.left + pixels;
        else after.bottom = after.top + pixels;
        changes.push_back({i, before, after});
    }
    surface_->history.push(std::make_unique<vtl::designer::GeometryEdit>(*this, std::move(changes), getSelection()));
    return true;
}

bool Vtl_DlgDesignerData::findMostLeftCtrl(AcArray<int> resourceIds, int& index) {
    bool found = false;
    double left = 0.0;
    for (int k = 0; k < resourceIds.length(); ++k) {
        int i = 0;
        if (!findCtrlFromResource(resourceIds[k], i)) continue;
        const double x = getTopLeftX(controls_[i]);
        if (!found || x < left) {
            found = true;
            left = x;
            index = i;
        }
    }
    return found;
}

bool Vtl_DlgDesignerData::outlineCurCtrls() {
    if (!surface_ || !DesignAccess::inStep(*this)) return false;
    const std::vector<int> selection = getSelection();
    if (selection.empty()) return false;
    // The reference is the leftmost selected control (the first of equals); the others take its bottom.
    int reference = selection.front();
    for (int i : selection)
        if (DesignAccess::drawnRect(*this, i).left < DesignAccess::drawnRect(*this, reference).left) reference = i;
    const RECT ref = DesignAccess::drawnRect(*this, reference);
    std::vector<RectChange> changes;
    for (int i : selection) {
        if (i == reference) continue;
        const RECT before = DesignAccess::drawnRect(*this, i);
        RECT after = before;
        after.bottom = ref.bottom;
        after.top = ref.bottom - (before.bottom - before.top);
        if (!(before == after)) changes.push_back({i, before, after});
    }
    if (!changes.empty()) surface_->history.push(std::make_unique<vtl::designer::GeometryEdit>(*this, std::move(changes), getSelection()));
    return true;
}

bool Vtl_DlgDesignerData::stickRightCurCtrls() {
    if (!surface_ || !DesignAccess::inStep(*this)) return false;
    const std::vector<int> selection = getSelection();
    if (selection.size() != 2) return false;
    const RECT a = DesignAccess::drawnRect(*this, selection[0]);
    const RECT b = DesignAccess::drawnRect(*this, selection[1]);
    const bool firstIsReference = a.left <= b.left;
    const RECT ref = firstIsReference ? a : b;
    const RECT before = firstIsReference ? b : a;
    const int other = firstIsReference ? selection[1] : selection[0];
    const RECT after{ref.right, ref.top, ref.right + (before.right - before.left), ref.bottom};
    if (!(before == after))
        surface_->history.push(std::make_unique<vtl::designer::GeometryEdit>(*this, std::vector<RectChange>{{other, before, after}}, getSelection()));
    return true;
}

bool Vtl_DlgDesignerData::moveCurCtrls(int dx, int dy) {
    if (!surface_ || !DesignAccess::inStep(*this)) return false;
    const std::vector<int> selection = surface_->tracker.selection();
    if (selection.empty()) return false;
    std::vector<RectChange> changes;
    changes.reserve(selection.size());
    CRect bounding = DesignAccess::drawnRect(*this, selection.front());
    for (int i : selection) {
        const RECT r = DesignAccess::drawnRect(*this, i);
        bounding.left = std::min(bounding.left, r.left);
        bounding.top = std::min(bounding.top, r.top);
        bounding.right = std::max(bounding.right, r.right);
        bounding.bottom = std::max(bounding.bottom, r.bottom);
        changes.push_back({i, r, r});
    }
    // The selection stays on the surface: the step is shortened at its edge.
    RECT moved = offset(bounding, dx, dy);
    vtl::designer::keepRectInside(CRectTracker::hitMiddle, moved, surface_->area);
    dx = moved.left - bounding.left;
    dy = moved.top - bounding.top;
    if (dx == 0 && dy == 0) return true;
    for (RectChange& c : changes) c.after = offset(c.before, dx, dy);
    surface_->history.push(std::make_unique<vtl::designer::GeometryEdit>(*this, std::move(changes), selection, vtl::designer::kArrowMove));
    return true;
}

bool Vtl_DlgDesignerData::resizeCurCtrls(int dw, int dh) {
    if (!surface_ || !DesignAccess::inStep(*this)) return false;
    const std::vector<int> selection = getSelection();
    if (selection.empty()) return false;
    std::vector<RectChange> changes;
    for (int i : selection) {
        const RECT before = DesignAccess::drawnRect(*this, i);
        RECT after = before;
        after.right = std::max(after.left + 1, after.right + dw);
        after.bottom = std::max(after.top + 1, after.bottom + dh);
        vtl::designer::keepRectInside(CRectTracker::hitBottomRight, after, surface_->area);
        changes.push_back({i, before, after});
    }
    surface_->history.push(std::make_unique<vtl::designer::GeometryEdit>(*this, std::move(changes), selection, vtl::designer::kArrowSize));
    return true;
}

// ---- rectangles from the drawn controls ----

bool Vtl_DlgDesignerData::getSizeFromControl(const int& index) {
    if (index < 0 || index >= controls_.length() || index >= static_cast<int>(drawnControls_.size())) return false;
    const RECT r = DesignAccess::drawnRect(*this, index);
    setTopLeftX(controls_[index], r.left);
    setTopLeftY(controls_[index], r.top);
    setBottomRightX(controls_[index], r.right);
    setBottomRightY(controls_[index], r.bottom);
    return true;
}

bool Vtl_DlgDesignerData::getSizeFromAllControls() {
    const bool allDrawn = !drawnControls_.empty() && static_cast<int>(drawnControls_.size()) == controls_.length() &&
                          std::all_of(drawnControls_.begin(), drawnControls_.end(), [](const auto& d) { return IsWindow(d->window()); });
    if (!allDrawn || referenceSize(true) <= 0 || referenceSize(false) <= 0) return false;
    for (int i = 0; i < controls_.length(); ++i) getSizeFromControl(i);
    return true;
}

// ---- the property fields ----

void Vtl_DlgDesignerData::updateProps(const int& index) {
    if (!designMode_ || !IsWindow(dialog_)) return;
    PropertyUpdate updating(propUpdateInProgress_);
    const Vtl_DesignerControl* c = getControl(index);
    const HWND typeList = GetDlgItem(dialog_, typeListId_);
    if (!c) {
        if (typeList) {
            SendMessage(typeList, CB_SETCURSEL, static_cast<WPARAM>(-1));
            EnableWindow(typeList, FALSE);
        }
        for (int id : {contentsLabelId_, contentsFieldId_, listLabelId_, listFieldId_}) setField(dialog_, id, Vtl_String(), false);
        return;
    }
    using namespace vtl::designer;
    if (typeList) {
        const bool known = c->type >= 0 && c->type < kControlTypeCount;
        SendMessage(typeList, CB_SETCURSEL, static_cast<WPARAM>(known ? c->type : -1));
        EnableWindow(typeList, TRUE);
    }
    setField(dialog_, contentsLabelId_, controlTypeContentsLabel(c->type), true);
    setField(dialog_, contentsFieldId_, c->contents, true);
    const bool list = controlTypeHasList(c->type);
    setField(dialog_, listLabelId_, list ? controlTypeListLabel(c->type) : Vtl_String(), list);
    setField(dialog_, listFieldId_, list ? c->getMergedExtComboList() : Vtl_String(), list);
}

void Vtl_DlgDesignerData::updatePropsOfCurSel() {
    if (!surface_) return;
    updateProps(getCurSel());
}

void Vtl_DlgDesignerData::readProps(const int& index) {
    Vtl_DesignerControl* c = getControlWrite(index);
    if (!c || !designMode_ || !IsWindow(dialog_)) return;
    const HWND typeList = GetDlgItem(dialog_, typeListId_);
    const LRESULT chosen = typeList ? SendMessage(typeList, CB_GETCURSEL) : -1;
    if (chosen >= 0) c->type = static_cast<Vtl_ControlType>(chosen);
    c->contents = Vtl_String(GetDlgItemText(dialog_, contentsFieldId_));
    // A type without a list property has its list field blanked: its own list is kept.
    const HWND listField = GetDlgItem(dialog_, listFieldId_);
    if (listField && IsWindowEnabled(listField)) c->setSplitExtComboList(Vtl_String(GetWindowText(listField)));
}

void Vtl_DlgDesignerData::propsOfCurSelUpdated() {
    if (propUpdateInProgress_ || !surface_ || !DesignAccess::inStep(*this)) return;
    const int index = getCurSel();
    if (index < 0) return;
    const Vtl_DesignerControl before = controls_[index];
    readProps(index);
    const Vtl_DesignerControl after = controls_[index];
    controls_[index] = before;  // the edit applies it, so that undo has it to take back
    const bool typeChanged = after.type != before.type;
    const bool contentsChanged = !(after.contents == before.contents);
    const bool listChanged = !(after.getMergedExtComboList() == before.getMergedExtComboList());
    if (!typeChanged && !contentsChanged && !listChanged) return;
    const int merge = typeChanged ? vtl::designer::EditCommand::kNoMerge
                      : contentsChanged ? vtl::designer::kTypingContents
                                        : vtl::designer::kTypingList;
    surface_->history.push(std::make_unique<vtl::designer::PropertiesEdit>(*this, index, before, after, merge));
    if (typeChanged) surface_->history.seal();
}

// ---- the picture ----

bool Vtl_DlgDesignerData::attachPicture(const Vtl_String& path) {
    if (!surface_ || name_.isEmpty()) return false;
    // Only a picture that loads is taken: a file that does not would leave the design without one.
    const HBITMAP probe = vtl::gfx::loadBitmapFile(files::resolve(path.view()));
    if (!probe) return false;
    DeleteObject(probe);
    const Vtl_String target = vtl::designer::designPath(name_, "bmp");
    Vtl_String ignored, normalised;
    if (!vtl::designer::nameFromPath(target, ignored, normalised) || !vtl::designer::landsInsideRoot(normalised)) return false;
    std::string error, after;
    if (!files::readBinary(path.view(), after, error)) return false;
    std::optional<std::string> before;
    if (std::string now; files::readBinary(target.view(), now, error)) before = std::move(now);
    if (before && *before == after) {
        // The design's own picture (or one equal to it): nothing to copy, the picture is read again.
        attachBitmap(target);
        return true;
    }
    // The file is written first, so that a failed write leaves the design and its history as they were.
    if (!files::writeBinary(target.view(), after, error)) return false;
    surface_->history.seal();
    surface_->history.push(std::make_unique<vtl::designer::PictureEdit>(*this, std::move(before), std::move(after), getSelection()));
    surface_->history.seal();
    return true;
}

// ---- the history ----

bool Vtl_DlgDesignerData::undo() {
    if (!surface_ || !surface_->history.undo()) return false;
    updatePropsOfCurSel();
    return true;
}

bool Vtl_DlgDesignerData::redo() {
    if (!surface_ || !surface_->history.redo()) return false;
    updatePropsOfCurSel();
    return true;
}

bool Vtl_DlgDesignerData::canUndo() const { return surface_ && surface_->history.canUndo(); }
bool Vtl_DlgDesignerData::canRedo() const { return surface_ && surface_->history.canRedo(); }
bool Vtl_DlgDesignerData::isModified() const { return surface_ && !surface_->history.isClean(); }

void Vtl_DlgDesignerData::setUnmodified(bool forgetHistory) {
    if (!surface_) return;
    if (forgetHistory) surface_->history.clear();
    else surface_->history.setClean();
}
