// The exported start of the macro dialog.
#include "frame/export_guard.h"
#include "frame/module.h"
#include "macro/macro_dialog.h"
#include "vtlui/vtlui.h"

void StartDlgMacro(MacroData& macro) {
    vtl::ui::guardExport("StartDlgMacro", [&] {
        KsTempResourceOverride::Scope resources(vtl::ui::resourceOverride());
        vtl::ui::MacroDialog dlg(macro);
        dlg.DoModal();
        // The caller's record is what the dialog made of it, whichever way it was closed.
        macro = dlg.macro();
    });
}
