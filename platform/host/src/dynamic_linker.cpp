#include "host/dynamic_linker.h"

#include <algorithm>

namespace vtl::host {

DynamicLinker* DynamicLinker::cast(RegistryObject* object) { return dynamic_cast<DynamicLinker*>(object); }

DynamicLinker::Application* DynamicLinker::find(void* appId) {
    auto it = std::find_if(apps_.begin(), apps_.end(), [&](const Application& a) { return a.appId == appId; });
    return it == apps_.end() ? nullptr : &*it;
}

const DynamicLinker::Application* DynamicLinker::find(void* appId) const {
    return const_cast<DynamicLinker*>(this)->find(appId);
}

bool DynamicLinker::unlockApplication(void* appId) {
    Application* a = find(appId);
    if (a) a->unlocked = true;
    return a != nullptr;
}

bool DynamicLinker::lockApplication(void* appId) {
    Application* a = find(appId);
    if (a) a->unlocked = false;
    return a != nullptr;
}

bool DynamicLinker::registerAppMDIAware(void* appId) {
    Application* a = find(appId);
    if (a) a->mdiAware = true;
    return a != nullptr;
}

bool DynamicLinker::isApplicationLoaded(void* appId) const { return find(appId) != nullptr; }

bool DynamicLinker::isApplicationLocked(void* appId) const {
    const Application* a = find(appId);
    return a && !a->unlocked;
}

bool DynamicLinker::isAppMDIAware(void* appId) const {
    const Application* a = find(appId);
    return a && a->mdiAware;
}

void DynamicLinker::addApplication(void* appId, std::string path) {
    if (!appId) return;
    if (Application* a = find(appId)) {
        *a = Application{appId, std::move(path)};
        return;
    }
    apps_.push_back(Application{appId, std::move(path)});
}

void DynamicLinker::removeApplication(void* appId) {
    std::erase_if(apps_, [&](const Application& a) { return a.appId == appId; });
}

}  // namespace vtl::host
