#pragma once
// Loading a module as the CAD host does: the binary is opened (its library constructors do no work of
// their own), its entry routine DllMain(instance, 1) runs (0 refuses the load), the dynamic linker learns of
// the application, and its application entry, when it has one, hears message 1 (a result other than 0
// refuses the load too: the module is detached and closed without message 2). Unloading sends message 2,
// then DllMain(instance, 0), then the linker forgets the application and the binary is closed. The
// application id is the module's instance. A module that is loaded already is not loaded a second time.
#include <memory>
#include <string>

#include "host/export.h"
#include "win/types.h"

namespace vtl::host {

// The module's entry routine and application entry, as the loader finds them.
using DllMainFunction = int (*)(void* instance, unsigned reason);
using AppEntryFunction = int (*)(int message, void* appId);

constexpr unsigned kDllProcessDetach = 0;
constexpr unsigned kDllProcessAttach = 1;
constexpr int kMsgInitApp = 1;
constexpr int kMsgUnloadApp = 2;
constexpr int kAppRetOk = 0;

class VTLHOST_API LoadedModule {
public:
    ~LoadedModule();
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    const std::string& path() const { return path_; }
    HINSTANCE instance() const { return instance_; }
    // An exported symbol of the module, or nullptr.
    void* symbol(const char* name) const;
    // Sends an application message to the module's entry; its result (kAppRetOk when it has none).
    int sendAppMessage(int message);

    // Opens the module; on failure returns nullptr and says why in `error`.
    static std::unique_ptr<LoadedModule> load(const std::string& path, std::string& error);

private:
    LoadedModule() = default;
    std::string path_;
    void* handle_ = nullptr;
    HINSTANCE instance_ = nullptr;
    DllMainFunction dllMain_ = nullptr;  // set while attached
    AppEntryFunction appEntry_ = nullptr;
};

}  // namespace vtl::host
