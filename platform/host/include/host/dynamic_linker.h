#pragma once
// The dynamic linker: the host's record of loaded applications. The loader adds an application (its id is
// the module's instance) before the application hears message 1 and takes it out after unloading it. An
// application starts locked (a person cannot unload it) until it unlocks itself; it may declare itself
// MDI-aware (able to work with several open drawings).
#include <string>
#include <vector>

#include "host/export.h"
#include "host/registry.h"

namespace vtl::host {

class VTLHOST_API DynamicLinker : public RegistryObject {
public:
    struct Application {
        void* appId = nullptr;
        std::string path;
        bool unlocked = false;
        bool mdiAware = false;
    };

    // The object as a dynamic linker, or nullptr when it is something else (or null).
    static DynamicLinker* cast(RegistryObject* object);

    // Each returns false, changing nothing, for an application the linker does not know.
    bool unlockApplication(void* appId);
    bool lockApplication(void* appId);
    bool registerAppMDIAware(void* appId);

    bool isApplicationLoaded(void* appId) const;
    bool isApplicationLocked(void* appId) const;  // loaded and not unlocked
    bool isAppMDIAware(void* appId) const;
    // The loaded applications, in load order.
    const std::vector<Application>& applications() const { return apps_; }

    // The loader's side. Adding a known id again starts its record afresh.
    void addApplication(void* appId, std::string path);
    void removeApplication(void* appId);

private:
    Application* find(void* appId);
    const Application* find(void* appId) const;
    std::vector<Application> apps_;
};

}  // namespace vtl::host
