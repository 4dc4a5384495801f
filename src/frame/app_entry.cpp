// The host's application messages. Initialising (1): the module becomes unloadable and able to serve
// several documents, and loads the check-box pictures. Unloading (2): the module's command group leaves
// the host's command stack, the pictures are released. A missing registry entry is not reported; every
// message is answered 0, the host's success.
#include "dialogs/constraints_dialog.h"
#include "frame/check_box_pictures.h"
#include "frame/export_guard.h"
#include "frame/host.h"
#include "macro/macro_unload.h"
#include "spread/look_up_sheets.h"
#include "vtlui/vtlui.h"

namespace {
constexpr int kInitApplication = 1;
constexpr int kUnloadApplication = 2;
constexpr const char* kCommandGroup = "VORTAL_SS";

void initialise(void* appId) {
    using namespace vtl::host;
    if (DynamicLinker* linker = DynamicLinker::cast(acrxSysRegistry()->at(kDynamicLinkerKey))) {
        linker->unlockApplication(appId);
        linker->registerAppMDIAware(appId);
    }
    vtl::ui::loadCheckBoxPictures();
}

void unload() {
    using namespace vtl::host;
    if (CommandStack* commands = CommandStack::cast(acrxSysRegistry()->at(kRegisteredCommandsKey)))
        commands->removeGroup(kCommandGroup);
    // The modeless dialogs close now, busy or not, and no timer of theirs outlives the module.
    vtl::ui::closeAllMacroDialogsForUnload();
    vtl::ui::closeConstraintsEditorForUnload();
    vtl::ui::releaseCheckBoxPictures();
    vtl::ui::clearLookUpSheets();
}
}  // namespace

extern "C" int acrxEntryPoint(int message, void* appId) {
    vtl::ui::guardExport("acrxEntryPoint", [&] {
        switch (message) {
        case kInitApplication:
            initialise(appId);
            break;
        case kUnloadApplication:
            unload();
            break;
        default:
            break;
        }
    });
    return 0;
}
