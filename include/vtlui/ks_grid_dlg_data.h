#pragma once
// KsGridDlgData: the parameters of a building grid that StartDlgGrid asks for, in two directions: the
// number of grid lines, their distances and the label of the first line.
#include "vtlbase/vtl_string.h"
#include "vtlui/export.h"

class VTLUI_API KsGridDlgData {
public:
    KsGridDlgData();
    KsGridDlgData(const KsGridDlgData& other);
    KsGridDlgData& operator=(const KsGridDlgData& other);
    virtual ~KsGridDlgData();

    int firstCount = 4;
    Vtl_String firstDistances = "5000";
    Vtl_String firstLabel = "A";
    int secondCount = 3;
    Vtl_String secondDistances = "5000";
    Vtl_String secondLabel = "1";
    bool option = false;
};
