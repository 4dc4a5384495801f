#pragma once
// The drawing the stand-in keeps in place of a CAD drawing: objects with ids (macro instances, profiles,
// coordinate systems, planes), each macro instance holding the values of its macro. Object ids come only
// from here.
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "host/object_id.h"
#include "vtlbase/drawing/macro_cuts.h"
#include "vtlbase/export.h"
#include "vtlbase/macro/macro_data.h"

namespace vtl::base {

enum class DrawingObjectKind { macro, profile, coordinateSystem, plane };

struct DrawingObject {
    AcDbObjectId id;
    DrawingObjectKind kind = DrawingObjectKind::macro;
    std::string name;
    bool erased = false;
};

class VTLBASE_API DrawingModel {
public:
    static DrawingModel& get();

    AcDbObjectId add(DrawingObjectKind kind, const std::string& name);
    const DrawingObject* find(const AcDbObjectId& id) const;
    bool erase(const AcDbObjectId& id);
    std::vector<const DrawingObject*> objects(DrawingObjectKind kind) const;  // not erased, in id order

    // Places a macro in the drawing: an instance object for it, one object per profile record that has
    // none; the record's object ids are set. Answers the instance's id.
    AcDbObjectId placeMacro(MacroData& macro);
    // The values the drawing holds for a macro instance; nullptr for any other id.
    MacroData* instance(const AcDbObjectId& id);

    // Normalises the values an update brings, as a real drawing would; tests may replace it.
    void setNormaliser(std::function<void(MacroTabData&)> normaliser) { normaliser_ = std::move(normaliser); }
    void normalise(MacroTabData& tab) const;

    // Answers for the interactive requests that have no picking of their own (SelectOtherMacros):
    // a queue of replacement macros, taken in order; empty means the person cancels.
    void queueSelection(MacroData replacement) { selections_.push_back(std::move(replacement)); }
    std::optional<MacroData> takeSelection();

    bool clashStatus = false;
    std::vector<int> openClashDialogs;
    // The cuts made on each profile object, as descriptions ("Mitre cut 45°"), in the order they were made.
    std::map<AcDbObjectId::OldId, std::vector<std::string>> profileCuts;
    // The cuts of each macro instance, all modules together, in the order they were made.
    std::map<AcDbObjectId::OldId, std::vector<DlgMacroCutsData>> macroCuts;

    void reset();

private:
    std::map<AcDbObjectId::OldId, DrawingObject> objects_;
    std::map<AcDbObjectId::OldId, MacroData> instances_;
    AcDbObjectId::OldId nextId_ = 1;
    std::function<void(MacroTabData&)> normaliser_;
    std::vector<MacroData> selections_;
};

}  // namespace vtl::base
