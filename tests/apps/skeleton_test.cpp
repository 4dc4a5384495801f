// The module loaded as the host loads it, its dialog driven through the input layer, and one window system
// seen from both sides.
#include <filesystem>
#include <nlohmann/json.hpp>

#include "gfx/bitmap.h"
#include "host/command_stack.h"
#include "host/dynamic_linker.h"
#include "host/loader.h"
#include "host/registry.h"
#include "support/fixture.h"
#include "vtlui/vtlui.h"
#include "win/api.h"
#include "win/dc.h"
#include "win/window_tree.h"
#include "win/keys.h"
#include "win/resources.h"
#include "win/script.h"

namespace vtl::test {
namespace {
using namespace vtl::win;

// Handles, classes, ids and rectangles of a window tree: what does not change while a person types.
std::string layoutOf(const std::string& json) {
    const auto w = nlohmann::json::parse(json);
    std::string out = std::to_string(w.value("template", 0)) + " " + w["class"].get<std::string>() + " " +
                      std::to_string(w["handle"].get<int>()) + " " + w["rect"].dump() + "\n";
    for (const auto& c : w["children"])
        out += "  " + c["class"].get<std::string>() + " " + std::to_string(c["id"].get<int>()) + " " +
               std::to_string(c["handle"].get<int>()) + " " + c["rect"].dump() + "\n";
    return out;
}

class Skeleton : public Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        std::string error;
        const auto path = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "libvtlui.so";
        module_ = host::LoadedModule::load(path.string(), error);
        ASSERT_TRUE(module_) << error;
    }
    void TearDown() override {
        module_.reset();
        Fixture::TearDown();
    }
    std::unique_ptr<host::LoadedModule> module_;
};

TEST_F(Skeleton, TheLoadedModuleIsTheLinkedOneAndOwnsItsResources) {
    // dlopen found the copy the test links: one module per process.
    EXPECT_EQ(module_->symbol("DllMain"), reinterpret_cast<void*>(&DllMain));
    EXPECT_TRUE(hasResources(module_->instance()));
    EXPECT_NE(findDialogTemplate(100), nullptr);  // found through the module chain
}

TEST_F(Skeleton, InitialisingMakesTheModuleUnloadableAndUnloadingRemovesItsCommandGroup) {
    using namespace vtl::host;
    auto* linker = DynamicLinker::cast(acrxSysRegistry()->at(kDynamicLinkerKey));
    ASSERT_NE(linker, nullptr);
    EXPECT_FALSE(linker->isApplicationLocked(module_->instance()));
    EXPECT_TRUE(linker->isAppMDIAware(module_->instance()));
    // The add-on's commands live in the module's group; another module's group stays.
    auto* commands = CommandStack::cast(acrxSysRegistry()->at(kRegisteredCommandsKey));
    ASSERT_NE(commands, nullptr);
    ASSERT_EQ(commands->addCommand("VORTAL_SS", "VTLSS", "VTLSS", 0, [] {}), Acad::eOk);
    ASSERT_EQ(commands->addCommand("OTHER", "OTHERCMD", "OTHERCMD", 0, [] {}), Acad::eOk);
    const int bitmapsWhileLoaded = gfx::liveBitmapCount();
    module_.reset();
    EXPECT_FALSE(commands->hasGroup("VORTAL_SS"));
    EXPECT_TRUE(commands->hasGroup("OTHER"));
    EXPECT_EQ(gfx::liveBitmapCount(), bitmapsWhileLoaded - 2);  // the check-box pictures are released
    EXPECT_EQ(acrxEntryPoint(99, nullptr), 0);  // other messages do nothing
}

TEST_F(Skeleton, TheModulesPicturesAreFoundByNumber) {
    // The check-box pictures every grid uses, a bitmap and an icon of one number, through the chain.
    CBitmap ticked, empty, cross;
    ASSERT_TRUE(ticked.LoadBitmap(8134));
    ASSERT_TRUE(empty.LoadBitmap(8136));
    BITMAP info;
    ticked.GetBitmap(&info);
    EXPECT_EQ(info.bmWidth, 13);
    EXPECT_EQ(info.bmHeight, 13);
    EXPECT_TRUE(cross.LoadBitmap(206));
    const HICON icon = LoadIcon(module_->instance(), 206);
    EXPECT_TRUE(icon);
    DestroyIcon(icon);
    CBitmap missing;
    EXPECT_FALSE(missing.LoadBitmap(9999));
}

TEST_F(Skeleton, TheModulesDialogIsDrivenThroughTheInputLayerAndBothSidesSeeOneWindowTree) {
    VtlSampleData data;
    data.name = "old";
    std::string treeSeenHere;
    Script s;
    s.waitFor(dialogWithTemplate(100))
        .check([&] {
            treeSeenHere = windowTreeJson(GetActiveWindow());
            EXPECT_EQ(AfxGetResourceHandle(), module_->instance());
        })
        .click(ctrl(1001))
        .key(VK_BACK)
        .key(VK_BACK)
        .key(VK_BACK)
        .type("IPE 200")
        .click(ctrl(1002))
        .click(ctrl(1002))
        .click(ctrl(IDOK));
    bool ok = false;
    run(s, [&] { ok = StartDlgSample(data); });
    ASSERT_TRUE(ok);
    EXPECT_EQ(data.name, "IPE 200");
    EXPECT_EQ(data.option, 2);
    EXPECT_EQ(AfxGetResourceHandle(), nullptr);  // restored on the way out
    // The module's view while it initialised and the test's view later are the same windows.
    EXPECT_EQ(layoutOf(data.windowTreeJson), layoutOf(treeSeenHere));
    EXPECT_NE(layoutOf(treeSeenHere).find("100 #32770"), std::string::npos);
}

TEST_F(Skeleton, CancelLeavesTheCallersRecordUntouched) {
    VtlSampleData data;
    data.name = "kept";
    Script s;
    s.waitFor(dialogWithTemplate(100)).type("changed").key(VK_ESCAPE);
    bool ok = true;
    run(s, [&] { ok = StartDlgSample(data); });
    EXPECT_FALSE(ok);
    EXPECT_EQ(data.name, "kept");
    EXPECT_TRUE(data.windowTreeJson.empty());
}

}  // namespace
}  // namespace vtl::test
