#pragma once
// KsLookUpDlgData: the criteria of a look-up that StartDlgLookUp asks for. The lists fill the combo boxes
// and are never written back; the texts, choices and options are.
#include "vtlbase/vtl_string.h"
#include "vtlbase/vtl_string_array.h"
#include "vtlui/export.h"

class VTLUI_API KsLookUpDlgData {
public:
    KsLookUpDlgData();
    KsLookUpDlgData(const KsLookUpDlgData& other);
    KsLookUpDlgData& operator=(const KsLookUpDlgData& other);
    virtual ~KsLookUpDlgData();

    static constexpr int closedByOk = 0;
    static constexpr int closedByShowAll = 2;

    Vtl_String text1;
    Vtl_StringArray list1;
    Vtl_String text2;
    Vtl_StringArray list2;
    Vtl_String text3;
    Vtl_StringArray list3;
    Vtl_String text4;
    Vtl_StringArray list4;
    int choice1 = 2;  // the condition: 0 equal to, 1 contains, 2 starts with
    Vtl_String text5;
    Vtl_StringArray list5;
    int choice2 = 0;  // the sort order: ascending, descending, as in the table
    bool secondOptionSet = false;  // partial rather than exact matching
    bool option = false;           // match case
    int closedBy = closedByOk;
};
