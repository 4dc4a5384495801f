#pragma once
// The host's system registry: named objects that modules look up, such as the dynamic linker
// ("DynamicLinker") and the command stack ("ACAD_REGISTERED_COMMANDS"). A name that is not there is simply
// not found. The registry owns its objects.
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/export.h"

namespace vtl::host {

inline constexpr const char* kDynamicLinkerKey = "DynamicLinker";
inline constexpr const char* kRegisteredCommandsKey = "ACAD_REGISTERED_COMMANDS";

// Anything kept in the registry. A kind's cast() tells whether an object is of that kind.
class VTLHOST_API RegistryObject {
public:
    RegistryObject() = default;
    virtual ~RegistryObject();
    RegistryObject(const RegistryObject&) = delete;
    RegistryObject& operator=(const RegistryObject&) = delete;
};

class VTLHOST_API SystemRegistry {
public:
    SystemRegistry();
    ~SystemRegistry();
    SystemRegistry(const SystemRegistry&) = delete;
    SystemRegistry& operator=(const SystemRegistry&) = delete;

    // The object under `key` (exact name), or nullptr.
    RegistryObject* at(std::string_view key) const;
    // Keeps `object` under `key`, replacing (and destroying) what was there; returns the object kept. A null
    // object removes the entry.
    RegistryObject* put(std::string key, std::unique_ptr<RegistryObject> object);
    // Takes the object under `key` out of the registry; nullptr when there is none.
    std::unique_ptr<RegistryObject> remove(std::string_view key);
    // The names in the registry, sorted.
    std::vector<std::string> keys() const;

private:
    std::map<std::string, std::unique_ptr<RegistryObject>, std::less<>> entries_;
};

}  // namespace vtl::host

// The process's system registry. It starts with the dynamic linker and an empty command stack.
VTLHOST_API vtl::host::SystemRegistry* acrxSysRegistry();
