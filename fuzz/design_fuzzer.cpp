// Designed dialogs (a properties list below the designer root): read or refused, and the run-time tab
// order of what was read ends: every enabled input control gets one place, 1 to n.
#include <set>

#include "fuzz_support.h"
#include "vtlui/vtl_dlg_designer_data.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path =
        vtl::fuzz::writeScratchFile("Dialog Templates/Dialog Design/Fuzz.txt", vtl::fuzz::asText(data, size));
    Vtl_DlgDesignerData design;
    if (!design.readFromFile(Vtl_String(path), false)) return 0;
    design.sortAllControls();
    std::set<int> places;
    int ordered = 0;
    for (int i = 0; i < design.getNrControls(); ++i) {
        const Vtl_DesignerControl* c = design.getControl(i);
        if (c->tabOrder == 0) continue;
        ++ordered;
        places.insert(c->tabOrder);
    }
    if (static_cast<int>(places.size()) != ordered || (ordered > 0 && (*places.begin() != 1 || *places.rbegin() != ordered)))
        vtl::fuzz::fail("the tab order is not 1 to n");
    return 0;
}
