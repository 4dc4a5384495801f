#pragma once
// What the profile cuts and profile features dialogs work on. The cuts live in the drawing (per profile
// object); every request is recorded in the journal. Previews are drawn in the drawing while a cut is
// selected; the record keeps which previews it has drawn, so that it can remove them all.
#include <set>

#include "host/ac_array.h"
#include "host/object_id.h"
#include "vtlbase/export.h"
#include "vtlbase/vtl_string.h"
#include "vtlbase/vtl_string_array.h"

class VTLBASE_API DlgProfCutsData {
public:
    // The profile whose cuts are shown (the first id), the caller's text and further object ids.
    AcArray<AcDbObjectId> profileIds;
    Vtl_String text;
    AcArray<AcDbObjectId> ids;

    // The descriptions of the cuts of the profile, in order.
    void getCutDescs(Vtl_StringArray& descs) const;
    void drawCutPreview(int index);
    void removeCutPreview(int index);
    // Removes the cut from the profile in the drawing; false for an index that names no cut.
    bool removeCut(int index);
    void removeAllCutPreviews();
    // Lets the person pick another profile in the drawing; true when the record now stands for it.
    bool selectOtherProf();
    // The previews drawn now (cut indices).
    const std::set<int>& previews() const { return previews_; }

private:
    std::set<int> previews_;
};

// A profile feature: a section and up to four labelled values, all supplied by the caller. A row with an
// empty label is not shown; the third row may offer the list and has an alternative label and value that
// hold while the switch is on.
struct VTLBASE_API DlgProfFeaturesData {
    Vtl_String caption;
    Vtl_String section;
    Vtl_String label1, value1;
    Vtl_String label2, value2;
    Vtl_String label3, label3Alternative;
    Vtl_String value3, value3Alternative;
    bool row3AsList = false;
    Vtl_String label4, value4;
    Vtl_String switchText;
    bool switchOn = false;
    Vtl_StringArray list;
};

namespace vtl::base {
// Adds a cut to a profile object of the drawing (the sample drawings and tests set their cuts up so).
VTLBASE_API void addProfileCut(const AcDbObjectId& profile, const std::string& description);
}  // namespace vtl::base
