// The exported start of the dialog designer.
#include "designer/designer_dialog.h"
#include "frame/export_guard.h"
#include "frame/module.h"
#include "vtlui/vtlui.h"

bool StartDlgDesigner(const Vtl_String& path) {
    return vtl::ui::guardExport("StartDlgDesigner", false, [&] {
        KsTempResourceOverride::Scope resources(vtl::ui::resourceOverride());
        vtl::ui::DlgDesigner dlg(path);
        return dlg.DoModal() == IDOK;
    });
}
