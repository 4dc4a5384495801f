#include "host/loader.h"

#include <dlfcn.h>

#include "win/resources.h"

namespace vtl::host {

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
    std::unique_ptr<LoadedModule> m(new LoadedModule());
    m->path_ = path;
    m->handle_ = handle;
    m->instance_ = win::instanceOfAddress(reinterpret_cast<const void*>(dllMain));
    m->dllMain_ = dllMain;
    m->appEntry_ = reinterpret_cast<AppEntryFunction>(dlsym(handle, "acrxEntryPoint"));
    if (m->dllMain_(m->instance_, 1) == 0) {
        error = path + " refused to load (its entry routine failed)";
        m->dllMain_ = nullptr;  // a refused module is not detached
        return nullptr;
    }
    m->sendAppMessage(kMsgInitApp);
    return m;
}

LoadedModule::~LoadedModule() {
    if (dllMain_) {
        sendAppMessage(kMsgUnloadApp);
        dllMain_(instance_, 0);
    }
    if (handle_) dlclose(handle_);
}

void* LoadedModule::symbol(const char* name) const { return handle_ ? dlsym(handle_, name) : nullptr; }

int LoadedModule::sendAppMessage(int message) { return appEntry_ ? appEntry_(message, instance_) : 0; }

}  // namespace vtl::host
