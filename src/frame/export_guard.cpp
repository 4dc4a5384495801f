#include "frame/export_guard.h"

#include "frame/host.h"

namespace vtl::ui {

void reportExportFailure(const char* function, const char* what) noexcept {
    try {
        acutPrintf("*Error* %s failed: %s\n", function, what ? what : "an unknown error");
    } catch (...) {
        // Nothing more can be said.
    }
}

}  // namespace vtl::ui
