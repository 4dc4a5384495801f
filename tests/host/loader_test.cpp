// The host's loader: entry routine, application messages, refusal and unloading.
#include <dlfcn.h>

#include <filesystem>

#include "host/loader.h"
#include "support/fixture.h"

namespace vtl::test {
namespace {

std::string beside(const char* name) {
    return (std::filesystem::read_symlink("/proc/self/exe").parent_path() / name).string();
}

using HostLoader = Fixture;

TEST_F(HostLoader, AttachesAndInitialisesThenUnloadsInTheHostsOrder) {
    std::string error;
    auto m = host::LoadedModule::load(beside("libtest_recording_module.so"), error);
    ASSERT_TRUE(m) << error;
    auto calls = reinterpret_cast<const char* (*)()>(m->symbol("recordedCalls"));
    ASSERT_NE(calls, nullptr);
    EXPECT_STREQ(calls(), "DllMain(1) entry(1) ");
    EXPECT_NE(m->instance(), nullptr);
    // Keep the library mapped past the unload to read what it recorded.
    void* keep = dlopen(beside("libtest_recording_module.so").c_str(), RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(keep, nullptr);
    m.reset();
    EXPECT_STREQ(calls(), "DllMain(1) entry(1) entry(2) DllMain(0) ");
    dlclose(keep);
}

TEST_F(HostLoader, AModuleWhoseEntryRoutineFailsIsNotLoaded) {
    std::string error;
    EXPECT_FALSE(host::LoadedModule::load(beside("libtest_refusing_module.so"), error));
    EXPECT_NE(error.find("refused"), std::string::npos);
    EXPECT_EQ(dlopen(beside("libtest_refusing_module.so").c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr);
}

TEST_F(HostLoader, AMissingFileOrEntryRoutineIsReported) {
    std::string error;
    EXPECT_FALSE(host::LoadedModule::load(beside("libnothing_here.so"), error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(host::LoadedModule::load(beside("libvtlgfx.so"), error));
    EXPECT_NE(error.find("no entry routine DllMain"), std::string::npos);
}

}  // namespace
}  // namespace vtl::test
