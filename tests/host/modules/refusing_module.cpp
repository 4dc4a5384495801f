// A module whose entry routine refuses the load.
extern "C" __attribute__((visibility("default"))) int DllMain(void*, unsigned reason) { return reason == 1 ? 0 : 1; }
