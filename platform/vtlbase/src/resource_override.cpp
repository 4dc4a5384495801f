#include "vtlbase/resource_override.h"

#include "win/resources.h"

void KsTempResourceOverride::SaveDefaultResource(HINSTANCE moduleInstance) { default_ = moduleInstance; }

void KsTempResourceOverride::SetDefaultResource() {
    if (depth_++ == 0) {
        saved_ = AfxGetResourceHandle();
        AfxSetResourceHandle(default_);
    }
}

void KsTempResourceOverride::RestoreOriginalResource() {
    if (depth_ == 0) return;  // an unmatched restore changes nothing
    if (--depth_ == 0) {
        AfxSetResourceHandle(saved_);
        saved_ = nullptr;
    }
}
