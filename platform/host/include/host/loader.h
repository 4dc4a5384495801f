#pragma once
// Loading a module as the CAD host does: the binary is opened, its entry routine DllMain(instance, 1)
// runs (0 refuses the load), and its application entry, when it has one, hears message 1. Unloading sends
// message 2, then DllMain(instance, 0), then closes the binary.
#include <memory>
#include <string>

#include "host/export.h"
#include "win/types.h"

namespace vtl::host {

// The module's entry routine and application entry, as the loader finds them.
using DllMainFunction = int (*)(void* instance, unsigned reason);
using AppEntryFunction = int (*)(int message, void* appId);

constexpr int kMsgInitApp = 1;
constexpr int kMsgUnloadApp = 2;

class VTLHOST_API LoadedModule {
public:
    ~LoadedModule();
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    const std::string& path() const { return path_; }
    HINSTANCE instance() const { return instance_; }
    // An exported symbol of the module, or nullptr.
    void* symbol(const char* name) const;
    // Sends an application message to the module's entry (0 when it has none).
    int sendAppMessage(int message);

    // Opens the module; on failure returns nullptr and says why in `error`.
    static std::unique_ptr<LoadedModule> load(const std::string& path, std::string& error);

private:
    LoadedModule() = default;
    std::string path_;
    void* handle_ = nullptr;
    HINSTANCE instance_ = nullptr;
    DllMainFunction dllMain_ = nullptr;
    AppEntryFunction appEntry_ = nullptr;
};

}  // namespace vtl::host
