#include "vtlbase/drawing/profile_cuts.h"

#include <algorithm>

#include "host/pick.h"
#include "vtlbase/drawing/drawing_model.h"
#include "vtlbase/drawing/journal.h"

using vtl::base::DrawingModel;
using vtl::base::DrawingObjectKind;
using vtl::base::Journal;

namespace {
std::vector<std::string>* cutsOf(const AcArray<AcDbObjectId>& profiles) {
    if (profiles.isEmpty()) return nullptr;
    auto& all = DrawingModel::get().profileCuts;
    const auto it = all.find(profiles[0].asOldId());
    return it == all.end() ? nullptr : &it->second;
}

std::string profileText(const AcArray<AcDbObjectId>& profiles) {
    if (profiles.isEmpty()) return "none";
    const auto* o = DrawingModel::get().find(profiles[0]);
    return std::to_string(profiles[0].asOldId()) + (o ? " " + o->name : std::string());
}
}  // namespace

void DlgProfCutsData::getCutDescs(Vtl_StringArray& descs) const {
    descs.removeAll();
    if (const auto* cuts = cutsOf(profileIds))
        for (const std::string& c : *cuts) descs.append(Vtl_String(c));
}

void DlgProfCutsData::drawCutPreview(int index) {
    const auto* cuts = cutsOf(profileIds);
    const bool valid = cuts && index >= 0 && index < static_cast<int>(cuts->size());
    if (valid) previews_.insert(index);
    Journal::get().record("drawCutPreview", {profileText(profileIds), std::to_string(index)}, valid ? "" : "none");
}

void DlgProfCutsData::removeCutPreview(int index) {
    const bool had = previews_.erase(index) > 0;
    Journal::get().record("removeCutPreview", {profileText(profileIds), std::to_string(index)}, had ? "" : "none");
}

bool DlgProfCutsData::removeCut(int index) {
    auto* cuts = cutsOf(profileIds);
    const bool valid = cuts && index >= 0 && index < static_cast<int>(cuts->size());
    std::string removed = "none";
    if (valid) {
        removed = (*cuts)[static_cast<std::size_t>(index)];
        cuts->erase(cuts->begin() + index);
        // The previews after it now belong to the cut before.
        std::set<int> moved;
        for (int p : previews_)
            if (p != index) moved.insert(p > index ? p - 1 : p);
        previews_ = moved;
    }
    Journal::get().record("removeCut", {profileText(profileIds), std::to_string(index)}, removed);
    return valid;
}

void DlgProfCutsData::removeAllCutPreviews() {
    Journal::get().record("removeAllCutPreviews", {profileText(profileIds)}, std::to_string(previews_.size()));
    previews_.clear();
}

bool DlgProfCutsData::selectOtherProf() {
    POINT p{};
    const auto profiles = DrawingModel::get().objects(DrawingObjectKind::profile);
    const bool picked = !profiles.empty() && vtl::host::getPoint("Select a profile: ", p);
    // The drawing shows its profiles left to right; the click picks by position.
    if (picked) {
        const int index = std::clamp(static_cast<int>(p.x) / 100, 0, static_cast<int>(profiles.size()) - 1);
        previews_.clear();
        profileIds.removeAll();
        profileIds.append(profiles[static_cast<std::size_t>(index)]->id);
    }
    Journal::get().record("selectOtherProf", {}, picked ? profileText(profileIds) : "cancelled");
    return picked;
}

namespace vtl::base {
void addProfileCut(const AcDbObjectId& profile, const std::string& description) {
    DrawingModel::get().profileCuts[profile.asOldId()].push_back(description);
}
}  // namespace vtl::base
