// The host's loader: entry routine, application messages and their effects in the registry, refusal and
// unloading.
#include <dlfcn.h>

#include <filesystem>

#include "host/command_stack.h"
#include "host/dynamic_linker.h"
#include "host/loader.h"
#include "support/fixture.h"

namespace vtl::test {
namespace {

std::string beside(const char* name) {
    return (std::filesystem::read_symlink("/proc/self/exe").parent_path() / name).string();
}

// Keeps a module mapped past its unload, to read what it recorded.
class Pin {
public:
    explicit Pin(const std::string& path) : handle_(dlopen(path.c_str(), RTLD_NOW)) {}
    ~Pin() {
        if (handle_) dlclose(handle_);
    }
    Pin(const Pin&) = delete;
    Pin& operator=(const Pin&) = delete;
    const char* calls() const {
        auto f = reinterpret_cast<const char* (*)()>(dlsym(handle_, "recordedCalls"));
        return f ? f() : "(no recorder)";
    }

private:
    void* handle_;
};

void noop() {}

class HostLoader : public Fixture {
protected:
    host::DynamicLinker& linker() { return *host::DynamicLinker::cast(acrxSysRegistry()->at("DynamicLinker")); }
    host::CommandStack& commands() {
        return *host::CommandStack::cast(acrxSysRegistry()->at("ACAD_REGISTERED_COMMANDS"));
    }
};

TEST_F(HostLoader, LoadsInitialisesAndUnloadsInTheHostsOrderWithTheRegistryEffects) {
    ASSERT_EQ(commands().addCommand("VORTAL_SS", "VTLSHEET", "", 0, noop), Acad::eOk);
    ASSERT_EQ(commands().addCommand("OTHER", "VTLOTHER", "", 0, noop), Acad::eOk);
    const std::string path = beside("libtest_recording_module.so");
    Pin pin(path);
    std::string error;
    auto m = host::LoadedModule::load(path, error);
    ASSERT_TRUE(m) << error;
    EXPECT_STREQ(pin.calls(), "DllMain(1) entry(1) ");
    void* const app = m->instance();
    ASSERT_NE(app, nullptr);
    // Message 1: the application unlocked itself and declared itself MDI-aware.
    ASSERT_TRUE(linker().isApplicationLoaded(app));
    EXPECT_FALSE(linker().isApplicationLocked(app));
    EXPECT_TRUE(linker().isAppMDIAware(app));
    EXPECT_EQ(linker().applications().at(0).path, path);
    EXPECT_TRUE(commands().hasGroup("VORTAL_SS"));

    m.reset();
    EXPECT_STREQ(pin.calls(), "DllMain(1) entry(1) entry(2) DllMain(0) ");
    // Message 2 removed the module's group and only that; the linker forgot the application.
    EXPECT_EQ(commands().groups(), std::vector<std::string>{"OTHER"});
    EXPECT_FALSE(linker().isApplicationLoaded(app));
    EXPECT_FALSE(linker().isAppMDIAware(app));
}

TEST_F(HostLoader, MissingOrForeignRegistryEntriesAreSimplyNotFound) {
    struct Foreign : host::RegistryObject {};
    acrxSysRegistry()->remove("DynamicLinker");
    acrxSysRegistry()->put("ACAD_REGISTERED_COMMANDS", std::make_unique<Foreign>());
    const std::string path = beside("libtest_recording_module.so");
    Pin pin(path);
    std::string error;
    auto m = host::LoadedModule::load(path, error);
    ASSERT_TRUE(m) << error;
    m.reset();
    EXPECT_STREQ(pin.calls(), "DllMain(1) entry(1) entry(2) DllMain(0) ");
}

TEST_F(HostLoader, AModuleIsNotLoadedTwice) {
    const std::string path = beside("libtest_recording_module.so");
    Pin pin(path);
    std::string error;
    auto first = host::LoadedModule::load(path, error);
    ASSERT_TRUE(first) << error;
    EXPECT_FALSE(host::LoadedModule::load(path, error));
    EXPECT_NE(error.find("loaded already"), std::string::npos);
    EXPECT_STREQ(pin.calls(), "DllMain(1) entry(1) ");
    EXPECT_EQ(linker().applications().size(), 1u);
    first.reset();
    // Unloaded, it loads again.
    auto again = host::LoadedModule::load(path, error);
    ASSERT_TRUE(again) << error;
    again.reset();
    EXPECT_STREQ(pin.calls(), "DllMain(1) entry(1) entry(2) DllMain(0) DllMain(1) entry(1) entry(2) DllMain(0) ");
}

TEST_F(HostLoader, AModuleWhoseEntryRoutineFailsIsNotLoaded) {
    std::string error;
    EXPECT_FALSE(host::LoadedModule::load(beside("libtest_refusing_module.so"), error));
    EXPECT_NE(error.find("refused"), std::string::npos);
    EXPECT_EQ(dlopen(beside("libtest_refusing_module.so").c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr);
    EXPECT_TRUE(linker().applications().empty());
}

TEST_F(HostLoader, AModuleThatFailsToInitialiseIsDetachedWithoutTheUnloadMessage) {
    const std::string path = beside("libtest_init_failing_module.so");
    Pin pin(path);
    std::string error;
    EXPECT_FALSE(host::LoadedModule::load(path, error));
    EXPECT_NE(error.find("initialisation returned 3"), std::string::npos) << error;
    EXPECT_STREQ(pin.calls(), "DllMain(1) entry(1) DllMain(0) ");
    EXPECT_TRUE(linker().applications().empty());
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
