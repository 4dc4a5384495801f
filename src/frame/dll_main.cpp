// The module's entry routine: attach registers the module's resources under its instance and makes them
// the default of its dialogs; detach withdraws them.
#include <span>

#include "frame/check_box_pictures.h"
#include "frame/export_guard.h"
#include "frame/module.h"
#include "spread/look_up_sheets.h"
#include "vtlui/vtlui.h"
#include "win/resources.h"

std::span<const vtl::win::EmbeddedFile> vtlui_resources();

namespace vtl::ui {
namespace {
HINSTANCE gInstance = nullptr;
KsTempResourceOverride gResourceOverride;
bool gProfCutsPreview = true;
}  // namespace

HINSTANCE moduleInstance() { return gInstance; }
bool& profCutsPreview() { return gProfCutsPreview; }
KsTempResourceOverride& resourceOverride() { return gResourceOverride; }
}  // namespace vtl::ui

extern "C" int DllMain(void* instance, unsigned reason) {
    using namespace vtl::ui;
    const auto h = static_cast<HINSTANCE>(instance);
    if (reason == 1) {
        // Resources that cannot be registered refuse the load.
        return guardExport("DllMain", 0, [&] {
            vtl::win::registerResources(h, vtlui_resources());
            gInstance = h;
            gResourceOverride.SaveDefaultResource(h);
            gProfCutsPreview = true;  // each load starts with the cut previews on
            return 1;
        });
    }
    if (reason == 0) {
        guardExport("DllMain", [&] {
            releaseCheckBoxPictures();  // in case the host never sent the unload message
            clearLookUpSheets();
            vtl::win::unregisterResources(h);
        });
        gInstance = nullptr;
        return 1;
    }
    return 1;
}
