// The library folder: the host's choice before VTL_LIBDIR before the bundled samples, always ending in one
// backslash.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>

#include "support/fixture.h"
#include "vtlbase/settings.h"
#include "vtlbase/testing.h"

namespace {

using Settings = vtl::test::Fixture;

TEST_F(Settings, LibraryFolderComesFromTheHostThenTheEnvironmentThenTheSamples) {
    EXPECT_EQ(gSettings.libDir(), Vtl_String(libraryDir().string() + "\\"));

    gSettings.setLibDir("/data/steel/lib/");
    EXPECT_EQ(gSettings.libDir(), "/data/steel/lib\\");
    gSettings.setLibDir("/data/steel/lib\\\\");
    EXPECT_EQ(gSettings.libDir(), "/data/steel/lib\\");
    gSettings.setLibDir("relative/lib");
    EXPECT_EQ(gSettings.libDir(), Vtl_String((std::filesystem::current_path() / "relative/lib").string() + "\\"));

    gSettings.setLibDir("");  // forgotten: the environment again
    EXPECT_EQ(gSettings.libDir(), Vtl_String(libraryDir().string() + "\\"));

    unsetenv("VTL_LIBDIR");  // the fixture puts it back
    const Vtl_String bundled = gSettings.libDir();
    EXPECT_TRUE(bundled.endsWith("samples/library\\")) << bundled;
    EXPECT_TRUE(std::filesystem::is_directory(bundled.getSubStringAt(0, bundled.length() - 1).str()));
}

TEST_F(Settings, TheHostsChoiceIsForgottenByTheReset) {
    gSettings.setLibDir("/elsewhere");
    vtl::base::testing::reset();
    EXPECT_EQ(gSettings.libDir(), Vtl_String(libraryDir().string() + "\\"));
}

}  // namespace
