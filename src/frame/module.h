#pragma once
// Module-wide state kept from attach to detach.
#include "frame/vtlbase.h"
#include "win/types.h"

namespace vtl::ui {
// The module's own instance handle (0 while detached).
HINSTANCE moduleInstance();
// The resource override record: start functions make the module's resources current through it.
KsTempResourceOverride& resourceOverride();
// Whether the profile cuts dialog previews the selected cut: on at every load, changed by the dialog's
// "no preview" check when it is closed with Close.
bool& profCutsPreview();
}  // namespace vtl::ui
