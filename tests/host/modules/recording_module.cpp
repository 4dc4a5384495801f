// A module that records the calls the host makes into it.
#include <string>

namespace {
std::string gCalls;
}

extern "C" __attribute__((visibility("default"))) int DllMain(void*, unsigned reason) {
    gCalls += "DllMain(" + std::to_string(reason) + ") ";
    return 1;
}

extern "C" __attribute__((visibility("default"))) int acrxEntryPoint(int message, void*) {
    gCalls += "entry(" + std::to_string(message) + ") ";
    return 0;
}

extern "C" __attribute__((visibility("default"))) const char* recordedCalls() { return gCalls.c_str(); }
