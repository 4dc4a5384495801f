// The resource override nests: only the outermost pair switches, and it restores what was current.
#include "support/fixture.h"
#include "vtlbase/resource_override.h"
#include "win/resources.h"

namespace vtl::test {
namespace {

using ResourceOverride = Fixture;

TEST_F(ResourceOverride, NestedStartFunctionsKeepTheModulesResourcesUntilTheOutermostReturns) {
    auto* module = reinterpret_cast<HINSTANCE>(0x1000);
    auto* host = reinterpret_cast<HINSTANCE>(0x2000);
    AfxSetResourceHandle(host);
    KsTempResourceOverride o;
    o.SaveDefaultResource(module);
    {
        KsTempResourceOverride::Scope outer(o);
        EXPECT_EQ(AfxGetResourceHandle(), module);
        {
            KsTempResourceOverride::Scope inner(o);
            AfxSetResourceHandle(reinterpret_cast<HINSTANCE>(0x3000));  // a dialog meddling in between
        }
        EXPECT_EQ(o.depth(), 1);
    }
    EXPECT_EQ(AfxGetResourceHandle(), host);
    o.RestoreOriginalResource();  // unmatched: nothing changes
    EXPECT_EQ(AfxGetResourceHandle(), host);
    EXPECT_EQ(o.depth(), 0);
}

TEST_F(ResourceOverride, RestoresWhenAnExceptionLeavesTheStartFunction) {
    auto* module = reinterpret_cast<HINSTANCE>(0x1000);
    KsTempResourceOverride o;
    o.SaveDefaultResource(module);
    try {
        KsTempResourceOverride::Scope scope(o);
        throw std::runtime_error("dialog failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(AfxGetResourceHandle(), nullptr);
    EXPECT_EQ(o.depth(), 0);
}

}  // namespace
}  // namespace vtl::test
