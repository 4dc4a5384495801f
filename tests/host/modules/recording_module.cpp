// A module that records the calls the host makes into it and, as the add-on's module does, uses the host's
// registry: at message 1 the dynamic linker unlocks it and registers it MDI-aware; at message 2 it removes
// its command group from the command stack.
#include <string>

#include "host/command_stack.h"
#include "host/dynamic_linker.h"

#define EXPORTED extern "C" __attribute__((visibility("default")))

namespace {
std::string gCalls;
}

EXPORTED int DllMain(void*, unsigned reason) {
    gCalls += "DllMain(" + std::to_string(reason) + ") ";
    return 1;
}

EXPORTED int acrxEntryPoint(int message, void* appId) {
    using namespace vtl::host;
    gCalls += "entry(" + std::to_string(message) + ") ";
    if (message == 1) {
        if (DynamicLinker* linker = DynamicLinker::cast(acrxSysRegistry()->at("DynamicLinker"))) {
            linker->unlockApplication(appId);
            linker->registerAppMDIAware(appId);
        }
    } else if (message == 2) {
        if (CommandStack* stack = CommandStack::cast(acrxSysRegistry()->at("ACAD_REGISTERED_COMMANDS")))
            stack->removeGroup("VORTAL_SS");
    }
    return 0;
}

EXPORTED const char* recordedCalls() { return gCalls.c_str(); }
