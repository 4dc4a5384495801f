#pragma once
// MacroProfilePage: the page of a profile tab (kind 2) of the macro dialog (template 219). Like a
// MacroTabPage it shows the tab's designed dialog and a grid of the other values; below them a common panel
// edits the placement of the tab's profile groups: group and single profile, section, position, rotation,
// plane, the advanced dialog and the segmented profiles. Every change is collected into the tab and
// applied through the page's update path.
#include "macro/macro_tab_page.h"
#include "macro/profile_advanced_dialog.h"

namespace vtl::ui {

class MacroProfilePage : public MacroTabPage {
public:
    static constexpr UINT IDD = 219;
    static constexpr int kGridPlaceholderId = 1196;
    static constexpr int kGroupLabelId = 1211, kGroupId = 1212, kObjectId = 1213;
    static constexpr int kSectionLabelId = 1220, kSectionId = 1221, kChooseSectionId = 1222;
    static constexpr int kOffsetLabelId = 1218, kOffsetTypeId = 1219;
    static constexpr int kRotationLabelId = 1216, kRotationId = 1316;
    static constexpr int kPlaneLabelId = 1214, kPlaneId = 1215, kPickPlaneId = 1223;
    static constexpr int kAdvancedId = 1114, kSegmentedId = 1210;
    static constexpr int kPanelHeight = 162, kSegmentedStrip = 20;

    explicit MacroProfilePage(int tabIndex) : MacroTabPage(tabIndex, IDD, kGridPlaceholderId) {}

    // The object the macro dialog hands over when it edits a temporary macro: erased after the advanced
    // dialog ran on it.
    void setTemporaryObject(const AcDbObjectId& id) {
        temporaryObject_ = id;
        hasTemporaryObject_ = !id.isNull();
    }
    bool hasTemporaryObject() const { return hasTemporaryObject_; }

    void reload() override;
    void collect(MacroTabData& tab) override;

    // What the panel shows: the group chosen in 1212 and the profile chosen in 1213 (null: all of them).
    Vtl_String currentGroup() const;
    AcDbObjectId currentObject() const;
    // The record the panel edits: the chosen profile's own, or the group's merged properties.
    bool currentRecord(MacroProfData& record) const;
    // Stores a record where currentRecord read it from; false when there is nothing to store into.
    bool storeRecord(MacroTabData& tab, const MacroProfData& record) const;

    // The sub-dialogs of the page.
    void openAdvanced(const Vtl_String& group, bool readOnlyGroup);
    void openSegmented();
    // The page's callback of the advanced dialog.
    bool advancedCallback(KsMACallBackType type, KsMACallBackData& data, MacroProfData& record);

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    std::vector<int> ownControls() const override;
    void initOwnControls() override;
    int extraHeight() const override;
    void layoutOwnControls() override;
    void onDesignedClick(int resourceId) override;
    void afterFill() override;

private:
    bool commonPanel() const;
    void fillPanel();
    void fillObjects();
    void showRecord();
    // The panel's values into the record; true when something changed.
    bool collectPanel(MacroProfData& record) const;
    void collectDesignedProfiles(MacroTabData& tab);
    void reloadDesignedProfiles();
    void onPlaneChosen(int index);
    void onChooseSection();
    // Steps the macro dialog aside for a pick in the drawing.
    bool pickInDrawing(const std::function<bool()>& body);

    AcArray<AcDbObjectId> groupObjects_;
    Vtl_StringArray sectionValues_;
    int lastGroup_ = -1;
    AcDbObjectId lastObject_;
    AcDbObjectId temporaryObject_;
    bool hasTemporaryObject_ = false;
    std::vector<std::pair<int, RECT>> panelPlaces_;
    bool panelReady_ = false;
};

}  // namespace vtl::ui
