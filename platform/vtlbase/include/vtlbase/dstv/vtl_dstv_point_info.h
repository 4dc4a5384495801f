#pragma once
// Vtl_DstvPointInfo: one definition of a DSTV marking point: where the add-on places the point on a part,
// either by the extent of its geometry (two sides, one of each pair) or where other geometry meets it (a
// side, or the middle), on which plate, how far from the edge at least, and whether a hole is drilled
// there. A new point has the defaults of the point editor.
#include "vtlbase/export.h"
#include "vtlbase/vtl_string.h"

// Sides of a part: 0 and 1 form one pair, 2 and 3 the other.
enum KsDstvPointSideSelection : short {
    kDstvSideTop = 0,
    kDstvSideBottom = 1,
    kDstvSideFront = 2,
    kDstvSideBack = 3,
};
// The pair a side belongs to (0 for top and bottom, 1 for front and back).
inline int dstvSidePair(KsDstvPointSideSelection side) { return side < kDstvSideFront ? 0 : 1; }

class VTLBASE_API Vtl_DstvPointInfo {
public:
    // Plate choices: any plate, or plates 1 to 4.
    static constexpr short kPlateChoices = 5;

    void setName(const Vtl_String& name) { name_ = name; }
    const Vtl_String& getName() const { return name_; }

    void setSelectGeomExtent(bool byExtent, KsDstvPointSideSelection side1, KsDstvPointSideSelection side2);
    void getSelectGeomExtent(bool& byExtent, KsDstvPointSideSelection& side1, KsDstvPointSideSelection& side2) const;
    void setSelectIntersGeom(bool byIntersection, bool middle, KsDstvPointSideSelection side);
    void getSelectIntersGeom(bool& byIntersection, bool& middle, KsDstvPointSideSelection& side) const;
    void setPlateSelection(short choice, double minDistance);
    void getPlateSelection(short& choice, double& minDistance) const;
    void setDrillFullHole(bool drill, bool byThickness, double diameter);
    void getDrillFullHole(bool& drill, bool& byThickness, double& diameter) const;

    friend bool operator==(const Vtl_DstvPointInfo&, const Vtl_DstvPointInfo&) = default;

private:
    Vtl_String name_;
    bool byExtent_ = true;
    KsDstvPointSideSelection extentSide1_ = kDstvSideTop;
    KsDstvPointSideSelection extentSide2_ = kDstvSideFront;
    bool byIntersection_ = false;
    bool middle_ = true;
    KsDstvPointSideSelection intersectionSide_ = kDstvSideTop;
    short plate_ = 0;
    double minDistance_ = 50;
    bool drill_ = false;
    bool byThickness_ = false;
    double diameter_ = 16;
};
