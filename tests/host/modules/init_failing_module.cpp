// A module that attaches but fails its initialisation (message 1 answers 3).
#include <string>

#define EXPORTED extern "C" __attribute__((visibility("default")))

namespace {
std::string gCalls;
}

EXPORTED int DllMain(void*, unsigned reason) {
    gCalls += "DllMain(" + std::to_string(reason) + ") ";
    return 1;
}

EXPORTED int acrxEntryPoint(int message, void*) {
    gCalls += "entry(" + std::to_string(message) + ") ";
    return message == 1 ? 3 : 0;
}

EXPORTED const char* recordedCalls() { return gCalls.c_str(); }
