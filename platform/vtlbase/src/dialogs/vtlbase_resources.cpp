// vtlbase's own dialog templates, registered with the window framework under this library's instance.
#include <span>

#include "vtlbase/dialog_services.h"
#include "win/resources.h"

std::span<const vtl::win::EmbeddedFile> vtlbase_dialogs();

namespace vtl::base {
void ensureVtlbaseResources() {
    const HINSTANCE self = win::instanceOfAddress(reinterpret_cast<const void*>(&ensureVtlbaseResources));
    if (!win::hasResources(self)) win::registerResources(self, vtlbase_dialogs());
}
}  // namespace vtl::base
