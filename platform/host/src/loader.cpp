#include "host/loader.h"

#include <dlfcn.h>

#include <algorithm>
#include <vector>

#include "host/dynamic_linker.h"
#include "host/registry.h"
#include "win/resources.h"

namespace vtl::host {
namespace {
// The instances of the modules loaded now.
std::vector<HINSTANCE>& loadedInstances() {
    static std::vector<HINSTANCE> v;
    return v;
}

DynamicLinker* linker() { return DynamicLinker::cast(acrxSysRegistry()->at(kDynamicLinkerKey)); }
}  // namespace

std::unique_ptr<LoadedModule> LoadedModule::load(const std::string& path, std::string& error) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        error = why ? why : ("cannot open " + path);
        return nullptr;
    }
    auto dllMain = reinterpret_cast<DllMainFunction>(dlsym(handle, "DllMain"));
    if (!dllMain) {
        error = path + " has no entry routine DllMain";
        dlclose(handle);
        return nullptr;
    }
    const HINSTANCE instance = win::instanceOfAddress(reinterpret_cast<const void*>(dllMain));
    auto& loaded = loadedInstances();
    if (std::find(loaded.begin(), loaded.end(), instance) != loaded.end()) {
        error = path + " is loaded already";
        dlclose(handle);  // drops only the reference taken here
        return nullptr;
    }
    std::unique_ptr<LoadedModule> m(new LoadedModule());
    m->path_ = path;
    m->handle_ = handle;
    m->instance_ = instance;
    m->appEntry_ = reinterpret_cast<AppEntryFunction>(dlsym(handle, "acrxEntryPoint"));
    if (dllMain(instance, kDllProcessAttach) == 0) {
        error = path + " refused to load (its entry routine failed)";
        return nullptr;  // a refused module is not detached; the destructor closes it
    }
    m->dllMain_ = dllMain;
    loaded.push_back(instance);
    if (DynamicLinker* l = linker()) l->addApplication(instance, path);
    if (const int rc = m->sendAppMessage(kMsgInitApp); rc != kAppRetOk) {
        error = path + " refused to load (initialisation returned " + std::to_string(rc) + ")";
        m->appEntry_ = nullptr;  // an application that did not initialise hears no unload message
        return nullptr;
    }
    return m;
}

LoadedModule::~LoadedModule() {
    if (dllMain_) {
        sendAppMessage(kMsgUnloadApp);
        dllMain_(instance_, kDllProcessDetach);
        if (DynamicLinker* l = linker()) l->removeApplication(instance_);
        std::erase(loadedInstances(), instance_);
    }
    if (handle_) dlclose(handle_);
}

void* LoadedModule::symbol(const char* name) const { return handle_ ? dlsym(handle_, name) : nullptr; }

int LoadedModule::sendAppMessage(int message) { return appEntry_ ? appEntry_(message, instance_) : kAppRetOk; }

}  // namespace vtl::host
