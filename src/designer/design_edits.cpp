#include "designer/design_edits.h"

#include <algorithm>
#include <utility>

namespace vtl::designer {
namespace {
std::vector<int> indicesOf(const std::vector<PlacedControl>& controls) {
    std::vector<int> indices;
    for (const PlacedControl& c : controls) indices.push_back(c.index);
    return indices;
}
}  // namespace

DesignEdit::DesignEdit(Vtl_DlgDesignerData& design, std::vector<int> selectionBefore, std::vector<int> selectionAfter)
    : design_(design), selectionBefore_(std::move(selectionBefore)), selectionAfter_(std::move(selectionAfter)) {}

void DesignEdit::redo() {
    apply(true);
    DesignAccess::select(design_, selectionAfter_);
}

void DesignEdit::undo() {
    apply(false);
    DesignAccess::select(design_, selectionBefore_);
}

// ---- geometry ----

GeometryEdit::GeometryEdit(Vtl_DlgDesignerData& design, std::vector<RectChange> changes, std::vector<int> selection, int merge)
    : DesignEdit(design, selection, selection), changes_(std::move(changes)), merge_(merge) {}

void GeometryEdit::apply(bool forward) {
    std::vector<std::pair<int, RECT>> rects;
    rects.reserve(changes_.size());
    for (const RectChange& c : changes_) rects.emplace_back(c.index, forward ? c.after : c.before);
    DesignAccess::placeRects(design_, rects);
}

bool GeometryEdit::mergeWith(const EditCommand& next) {
    const auto* other = dynamic_cast<const GeometryEdit*>(&next);
    if (!other || other->changes_.size() != changes_.size()) return false;
    for (std::size_t i = 0; i < changes_.size(); ++i)
        if (other->changes_[i].index != changes_[i].index) return false;
    for (std::size_t i = 0; i < changes_.size(); ++i) changes_[i].after = other->changes_[i].after;
    return true;
}

// ---- properties ----

PropertiesEdit::PropertiesEdit(Vtl_DlgDesignerData& design, int index, Vtl_DesignerControl before,
                               Vtl_DesignerControl after, int merge)
    : DesignEdit(design, {index}, {index}), index_(index), before_(std::move(before)), after_(std::move(after)),
      merge_(merge) {}

void PropertiesEdit::apply(bool forward) { DesignAccess::setProperties(design_, index_, forward ? after_ : before_); }

bool PropertiesEdit::mergeWith(const EditCommand& next) {
    const auto* other = dynamic_cast<const PropertiesEdit*>(&next);
    if (!other || other->index_ != index_) return false;
    after_ = other->after_;
    return true;
}

// ---- controls added and removed ----

InsertEdit::InsertEdit(Vtl_DlgDesignerData& design, std::vector<PlacedControl> controls, std::vector<int> selectionBefore)
    : DesignEdit(design, std::move(selectionBefore), indicesOf(controls)), controls_(std::move(controls)) {
    std::sort(controls_.begin(), controls_.end(), [](const auto& a, const auto& b) { return a.index < b.index; });
}

void InsertEdit::apply(bool forward) {
    if (forward) DesignAccess::insertControls(design_, controls_);
    else DesignAccess::removeControls(design_, indicesOf(controls_));
}

RemoveEdit::RemoveEdit(Vtl_DlgDesignerData& design, std::vector<PlacedControl> controls)
    : DesignEdit(design, indicesOf(controls), {}), controls_(std::move(controls)) {
    std::sort(controls_.begin(), controls_.end(), [](const auto& a, const auto& b) { return a.index < b.index; });
}

void RemoveEdit::apply(bool forward) {
    if (forward) DesignAccess::removeControls(design_, indicesOf(controls_));
    else DesignAccess::insertControls(design_, controls_);
}

// ---- the picture ----

PictureEdit::PictureEdit(Vtl_DlgDesignerData& design, std::optional<std::string> before, std::string after,
                         std::vector<int> selection)
    : DesignEdit(design, selection, selection), before_(std::move(before)), after_(std::move(after)) {}

void PictureEdit::apply(bool forward) { DesignAccess::setPictureFile(design_, forward ? std::optional<std::string>(after_) : before_); }

}  // namespace vtl::designer
