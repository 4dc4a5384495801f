#include "vtlbase/dstv/vtl_dstv_point_info.h"

#include <algorithm>

namespace {
// Sides and plate choices outside their ranges are kept at the nearest one, so every point can be
// written and read back.
KsDstvPointSideSelection validSide(KsDstvPointSideSelection side) {
    return static_cast<KsDstvPointSideSelection>(std::clamp<int>(side, kDstvSideTop, kDstvSideBack));
}
}  // namespace

void Vtl_DstvPointInfo::setSelectGeomExtent(bool byExtent, KsDstvPointSideSelection side1,
                                            KsDstvPointSideSelection side2) {
    byExtent_ = byExtent;
    extentSide1_ = validSide(side1);
    extentSide2_ = validSide(side2);
}

void Vtl_DstvPointInfo::getSelectGeomExtent(bool& byExtent, KsDstvPointSideSelection& side1,
                                            KsDstvPointSideSelection& side2) const {
    byExtent = byExtent_;
    side1 = extentSide1_;
    side2 = extentSide2_;
}

void Vtl_DstvPointInfo::setSelectIntersGeom(bool byIntersection, bool middle, KsDstvPointSideSelection side) {
    byIntersection_ = byIntersection;
    middle_ = middle;
    intersectionSide_ = validSide(side);
}

void Vtl_DstvPointInfo::getSelectIntersGeom(bool& byIntersection, bool& middle, KsDstvPointSideSelection& side) const {
    byIntersection = byIntersection_;
    middle = middle_;
    side = intersectionSide_;
}

void Vtl_DstvPointInfo::setPlateSelection(short choice, double minDistance) {
    plate_ = std::clamp<short>(choice, 0, kPlateChoices - 1);
    minDistance_ = minDistance;
}

void Vtl_DstvPointInfo::getPlateSelection(short& choice, double& minDistance) const {
    choice = plate_;
    minDistance = minDistance_;
}

void Vtl_DstvPointInfo::setDrillFullHole(bool drill, bool byThickness, double diameter) {
    drill_ = drill;
    byThickness_ = byThickness;
    diameter_ = diameter;
}

void Vtl_DstvPointInfo::getDrillFullHole(bool& drill, bool& byThickness, double& diameter) const {
    drill = drill_;
    byThickness = byThickness_;
    diameter = diameter_;
}
