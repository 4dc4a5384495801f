#pragma once
// KsTempResourceOverride: makes a module's own resources current around its dialogs. The module gives its
// instance once (SaveDefaultResource); each start function calls SetDefaultResource on entry and
// RestoreOriginalResource on every way out. Calls nest: only the outermost pair switches, and the
// outermost restore brings back the handle that was current before it.
#include "vtlbase/export.h"
#include "win/types.h"

class VTLBASE_API KsTempResourceOverride {
public:
    void SaveDefaultResource(HINSTANCE moduleInstance);
    void SetDefaultResource();
    void RestoreOriginalResource();
    HINSTANCE defaultResource() const { return default_; }
    int depth() const { return depth_; }

    // Set on construction, restore on destruction: the resources are restored on every way out.
    class VTLBASE_API Scope {
    public:
        explicit Scope(KsTempResourceOverride& o) : o_(o) { o_.SetDefaultResource(); }
        ~Scope() { o_.RestoreOriginalResource(); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        KsTempResourceOverride& o_;
    };

private:
    HINSTANCE default_ = nullptr;
    HINSTANCE saved_ = nullptr;
    int depth_ = 0;
};
