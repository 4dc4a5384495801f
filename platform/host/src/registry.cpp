#include "host/registry.h"

#include "host/command_stack.h"
#include "host/dynamic_linker.h"
#include "host_internal.h"

namespace vtl::host {
namespace {
// The entries the host starts with.
void fill(SystemRegistry& r) {
    r.put(kDynamicLinkerKey, std::make_unique<DynamicLinker>());
    r.put(kRegisteredCommandsKey, std::make_unique<CommandStack>());
}

SystemRegistry& registry() {
    static SystemRegistry r;
    static const bool filled = (fill(r), true);
    (void)filled;
    return r;
}
}  // namespace

RegistryObject::~RegistryObject() = default;

SystemRegistry::SystemRegistry() = default;
SystemRegistry::~SystemRegistry() = default;

RegistryObject* SystemRegistry::at(std::string_view key) const {
    auto it = entries_.find(key);
    return it == entries_.end() ? nullptr : it->second.get();
}

RegistryObject* SystemRegistry::put(std::string key, std::unique_ptr<RegistryObject> object) {
    if (!object) {
        remove(key);
        return nullptr;
    }
    RegistryObject* kept = object.get();
    // The old object goes only after the new one is in place, so its destructor sees a consistent registry.
    std::unique_ptr<RegistryObject> old;
    auto it = entries_.find(key);
    if (it != entries_.end()) {
        old = std::move(it->second);
        it->second = std::move(object);
    } else {
        entries_.emplace(std::move(key), std::move(object));
    }
    return kept;
}

std::unique_ptr<RegistryObject> SystemRegistry::remove(std::string_view key) {
    auto it = entries_.find(key);
    if (it == entries_.end()) return nullptr;
    auto object = std::move(it->second);
    entries_.erase(it);
    return object;
}

std::vector<std::string> SystemRegistry::keys() const {
    std::vector<std::string> out;
    out.reserve(entries_.size());
    for (const auto& [key, object] : entries_) out.push_back(key);
    return out;
}

namespace detail {
// The registry object itself stays, so pointers to it remain valid.
void resetRegistry() {
    SystemRegistry& r = registry();
    for (const auto& key : r.keys()) r.remove(key);
    fill(r);
}
}  // namespace detail

}  // namespace vtl::host

vtl::host::SystemRegistry* acrxSysRegistry() { return &vtl::host::registry(); }
