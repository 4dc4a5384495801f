#pragma once
// DstvPointEditor: edits the points of one DSTV point group (template 233): the points by name, add a
// point before the one shown, remove the one shown, and the shown point's placement, plate, distance from
// the edge and hole. It works on the copy of the points it is given; after OK, points() holds the edits.
#include "frame/vtlbase.h"
#include "vtlbase/dstv/vtl_dstv_point_info.h"
#include "win/dialog.h"

namespace vtl::ui {

class DstvPointEditor : public CDialog {
public:
    static constexpr UINT IDD = 233;
    static constexpr int kPointsId = 1325;
    static constexpr int kAddId = 1327;
    static constexpr int kRemoveId = 1328;
    static constexpr int kNameId = 1000;
    static constexpr int kByExtentId = 1355;
    static constexpr int kExtentSide1Id = 1330;
    static constexpr int kExtentSide2Id = 1338;
    static constexpr int kByIntersectionId = 1356;
    static constexpr int kIntersectionSideId = 1332;
    static constexpr int kMiddleId = 1333;
    static constexpr int kPlateId = 1334;
    static constexpr int kDistanceId = 1001;
    static constexpr int kDrillId = 1336;
    static constexpr int kByThicknessId = 1337;
    static constexpr int kDiameterLabelId = 1125;
    static constexpr int kDiameterId = 1002;

    explicit DstvPointEditor(const Vtl_Array<Vtl_DstvPointInfo>& points, CWnd* parent = nullptr);

    const Vtl_Array<Vtl_DstvPointInfo>& points() const { return points_; }
    // The point shown (-1: none).
    int currentPoint() const { return current_; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    void fillPoints(int select);
    void showPoint(int index);
    // Nothing shown: the fields are emptied and disabled, as nothing typed there could be kept.
    void showNoPoint();
    // Writes every field back into the point shown, if any.
    void storeCurrentPoint();
    void onAdd();
    void onRemove();
    // Which fields a person can use, from the placement and the hole check box; the diameter's label.
    void applyEnableRules();
    void updateDiameterLabel();
    // Keeps the two extent sides in different pairs after `changedId` was chosen.
    void keepExtentSidesApart(int changedId);

    Vtl_Array<Vtl_DstvPointInfo> points_;
    int current_ = -1;
};

}  // namespace vtl::ui
