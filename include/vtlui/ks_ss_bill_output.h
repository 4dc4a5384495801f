#pragma once
// KsSSBillOutput: the spreadsheet receiver of a bill of materials. The list generator feeds it row by row
// through the Vtl_ListOutputCallback protocol. It is connected to no grid: it accepts every call of the
// feed and keeps its members, writes nothing, and reports at the end of the feed that there was no grid to
// finish (invalid input).
#include "host/ac_array.h"
#include "host/error_status.h"
#include "vtlbase/list_output_callback.h"
#include "vtlbase/vtl_string.h"
#include "vtlbase/vtl_string_array.h"
#include "vtlui/export.h"

class VTLUI_API KsSSBillOutput : public Vtl_ListOutputCallback {
public:
    KsSSBillOutput();
    KsSSBillOutput(const KsSSBillOutput& other);
    KsSSBillOutput& operator=(const KsSSBillOutput& other);
    ~KsSSBillOutput() override;

    void init(const Vtl_String& name);
    Acad::ErrorStatus init(Vtl_String name, const Vtl_StringArray& keys, const AcArray<int>& first,
                           const AcArray<int>& second);

    Acad::ErrorStatus onStartFeed() override;
    Acad::ErrorStatus onEndFeed() override;
    Acad::ErrorStatus onAddRow(const Vtl_StringArray& row) override;

    int rowCount() const { return rowCount_; }
    const Vtl_String& billName() const { return billName_; }
    const Vtl_StringArray& keys() const { return keys_; }
    const Vtl_StringArray& values() const { return values_; }

private:
    // The grid the bill goes to: there is none.
    void* getSSPointer() const { return nullptr; }

    int rowCount_ = 0;
    Vtl_String billName_;
    Vtl_String secondText_;
    Vtl_StringArray keys_;
    Vtl_StringArray values_;
};
