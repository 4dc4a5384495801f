#pragma once
// KsMACallBackData: what the profile-advanced dialog hands its callback: a profile group, the macro the
// callback reads and updates (a copy of its own), the module name for the update, the dialog's window and
// the objects. A value type: copies own their own macro.
#include <memory>

#include "host/ac_array.h"
#include "host/object_id.h"
#include "vtlbase/macro/macro_data.h"
#include "vtlui/export.h"

class VTLUI_API KsMACallBackData {
public:
    KsMACallBackData();
    KsMACallBackData(const KsMACallBackData& other);
    KsMACallBackData& operator=(const KsMACallBackData& other);
    virtual ~KsMACallBackData();

    // Takes a copy of the macro when the record holds none yet; otherwise nothing changes.
    void initDataClass(const MacroData& macro);
    MacroData* macro() const { return macro_.get(); }

    Vtl_String groupName;
    bool flag = false;
    int windowHandle = 0;
    Vtl_String moduleName;
    AcArray<AcDbObjectId> objectIds{0, 8};

private:
    std::unique_ptr<MacroData> macro_;
};
