#pragma once
// The profile-advanced dialog (template 220): every placement property of one profile group (or of a list
// of profiles): section and second section, position with its 3 x 3 buttons, offsets, section point,
// reference, rotation, plane or coordinate system, option, segment. The dialog never touches a macro: it
// reads and stores one MacroProfData through its callback, which the profile page, the macro export and
// the list export each supply. Every change is applied at once; Close applies once more; Cancel stays
// hidden (Escape closes and keeps what was applied).
#include <functional>

#include "frame/vtlbase.h"
#include "host/dialogs.h"
#include "vtlbase/controls/button_st.h"
#include "vtlbase/controls/ks_resizer.h"
#include "vtlbase/macro/macro_parts.h"
#include "vtlui/ks_ma_callback_data.h"
#include "vtlui/vtlui.h"
#include "win/dc.h"

namespace vtl::ui {

// The callback: type 0 reads into the record, 1 stores it (and updates the drawing), 2 and 3 frame a pick.
using ProfAdvCallback = std::function<bool(KsMACallBackType, KsMACallBackData&, MacroProfData&)>;

class ProfileAdvancedDialog : public CAdUiBaseDialog {
public:
    static constexpr UINT IDD = 220;
    static constexpr int kGroupLabelId = 1187, kGroupId = 1223, kListModeId = 1257;
    static constexpr int kSectionId = 1250, kChooseSectionId = 1251, kSecondSectionId = 1254, kChooseSecondId = 1255;
    static constexpr int kMorph1Id = 1248, kMorph2Id = 1249;
    static constexpr int kOffsetTypeId = 1228, kOffsetXId = 1231, kOffsetYId = 1235, kPickPointId = 1229;
    static constexpr int kPictureId = 1159, kReferenceId = 1256;
    static constexpr int kRot0Id = 1233, kRot90Id = 1238, kRot180Id = 1239, kRot270Id = 1240, kRotMixedId = 1247,
                         kRotOtherId = 1241, kRotTextId = 1242;
    static constexpr int kPlaneWcsId = 1243, kPlaneMixedId = 1244, kPlanePickId = 1245, kPlaneNewCsId = 1350,
                         kPlaneCsId = 1351, kCsListId = 1253, kAxisId = 1252, kPlanePickButtonId = 1246;
    static constexpr int kOptionId = 1354, kOneSegmentId = 1224, kSegmentLabelId = 1225, kSegmentId = 1226;
    static constexpr int kZoomId = 1320;
    static constexpr int kMorphExtraHeight = 65;
    // The nine position buttons, row by row from the top left (positions 1 to 9).
    static constexpr int kPositionIds[9] = {1232, 1236, 1237, 1049, 1050, 1051, 1052, 1053, 1054};

    ProfileAdvancedDialog(const KsMACallBackData& data, ProfAdvCallback callback, CWnd* parent = nullptr);

    // Set before the dialog runs.
    bool readOnlyGroup = false;
    bool hideGroup = false;  // the list variant: the group gives way to the "show as a list" check
    bool listMode = false;   // with hideGroup: the state of that check, taken on Close
    bool option = false;     // handed over by the macro export; no behaviour of its own
    AcArray<AcDbObjectId> objects;

    const MacroProfData& record() const { return record_; }
    KsMACallBackData& callbackData() { return data_; }
    AcDbObjectId createdCoordSys() const { return createdCs_; }
    AcDbObjectId pickedCoordSys() const { return pickedCs_; }

    // Offset-type index <-> position (1 to 9; 0 when the index has none, -1 when the position has none).
    static int positionOfOffsetIndex(int index);
    static int offsetIndexOfPosition(int position);

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnOK() override;
    void OnDestroy() override;

private:
    void setupResizer();
    void fillControls();
    void showOffsetType(int index);
    void showRotation();
    void showPlane();
    void enablePlaneControls();
    void drawPicture();
    void collect();
    Vtl_String collectRotation() const;
    void apply();
    // Steps aside for a pick: the callback hears of it before and after; the dialog shows again in any case.
    bool pick(const std::function<bool()>& body);
    void onPosition(int position);
    void onChooseSection(bool second);
    void onPickPlane();
    void onZoom();
    bool checked(int id) const;
    void check(int id, bool on);

    KsMACallBackData data_;
    ProfAdvCallback callback_;
    MacroProfData record_;
    AcDbObjectId pickedCs_, createdCs_;
    AcArray<AcDbObjectId> csIds_;
    Vtl_StringArray sectionValues_, secondValues_;
    KsResizer resizer_;
    CButtonST zoom_;
    CBitmap picture_;  // the section type's picture behind the position buttons
    int shownOffsetIndex_ = -1;
    bool filling_ = false;
    bool refreshSection_ = false;
    bool zooming_ = false;
};

}  // namespace vtl::ui
