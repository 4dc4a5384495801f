#include "vtlbase/drawing/drawing_model.h"

#include "vtlbase/text_functions.h"

#include <cmath>

namespace vtl::base {
namespace {
// Numbers as a drawing keeps them: two decimals, no "-0.00".
bool normaliseNumber(Vtl_String& value) {
    const auto v = parseNumber(value);
    if (!v) return false;
    value = Vtl_String(*v, 2);  // '.' whatever the locale
    return true;
}
}  // namespace

DrawingModel& DrawingModel::get() {
    static DrawingModel model;
    return model;
}

AcDbObjectId DrawingModel::add(DrawingObjectKind kind, const std::string& name) {
    const AcDbObjectId id = AcDbObjectId::fromOldId(nextId_++);
    objects_[id.asOldId()] = {id, kind, name, false};
    return id;
}

const DrawingObject* DrawingModel::find(const AcDbObjectId& id) const {
    const auto it = objects_.find(id.asOldId());
    return it == objects_.end() ? nullptr : &it->second;
}

bool DrawingModel::erase(const AcDbObjectId& id) {
    const auto it = objects_.find(id.asOldId());
    if (it == objects_.end() || it->second.erased) return false;
    it->second.erased = true;
    return true;
}

std::vector<const DrawingObject*> DrawingModel::objects(DrawingObjectKind kind) const {
    std::vector<const DrawingObject*> out;
    for (const auto& [_, o] : objects_)
        if (o.kind == kind && !o.erased) out.push_back(&o);
    return out;
}

AcDbObjectId DrawingModel::placeMacro(MacroData& macro) {
    const AcDbObjectId id = add(DrawingObjectKind::macro, macro.caption.str());
    for (MacroTabData& tab : macro.tabs)
        for (MacroProfData& p : tab.profiles)
            if (p.objectId.isNull() || !find(p.objectId)) p.objectId = add(DrawingObjectKind::profile, p.sectionName.str());
    macro.objectIds.removeAll();
    macro.objectIds.append(id);
    instances_[id.asOldId()] = macro;
    return id;
}

MacroData* DrawingModel::instance(const AcDbObjectId& id) {
    const auto it = instances_.find(id.asOldId());
    if (it == instances_.end() || !find(id) || find(id)->erased) return nullptr;
    return &it->second;
}

void DrawingModel::normalise(MacroTabData& tab) const {
    if (normaliser_) {
        normaliser_(tab);
        return;
    }
    const Vtl_String mixed = mixedValueText();
    for (MacroCell& c : tab.cells)
        if (c.valueType == MacroCell::number && !(c.value == mixed)) normaliseNumber(c.value);
    for (MacroPatternProps& p : tab.patterns) {
        int count = 0;
        if (p.getCount(p.countText, count)) p.countText = Vtl_String(count);
    }
}

std::optional<MacroData> DrawingModel::takeSelection() {
    if (selections_.empty()) return std::nullopt;
    MacroData next = std::move(selections_.front());
    selections_.erase(selections_.begin());
    return next;
}

void DrawingModel::reset() {
    objects_.clear();
    instances_.clear();
    nextId_ = 1;
    normaliser_ = nullptr;
    selections_.clear();
    clashStatus = false;
    openClashDialogs.clear();
    profileCuts.clear();
    macroCuts.clear();
}

}  // namespace vtl::base
