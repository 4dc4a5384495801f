#include <gtest/gtest.h>

#include "gfx/font.h"

TEST(Fonts, LiveByHandleUntilDeletedAndTheGuiFontStays) {
    vtl::gfx::testing::reset();
    const int before = vtl::gfx::liveFontCount();
    const HFONT f = CreateFont(15, 0, 0, 0, FW_BOLD, false, false, false, DEFAULT_CHARSET, OUT_CHARACTER_PRECIS,
                               CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Tahoma");
    ASSERT_TRUE(f);
    const auto d = vtl::gfx::fontDescription(f);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->lfFaceName, "Tahoma");
    EXPECT_EQ(d->lfWeight, FW_BOLD);
    EXPECT_EQ(vtl::gfx::liveFontCount(), before + 1);
    EXPECT_TRUE(DeleteObject(f));
    EXPECT_FALSE(DeleteObject(f));
    EXPECT_FALSE(vtl::gfx::fontDescription(f));
    EXPECT_FALSE(DeleteObject(vtl::gfx::defaultGuiFont()));
    // No font is the dialog font.
    EXPECT_EQ(vtl::gfx::fontDescription(HFONT())->lfFaceName, "MS Shell Dlg");
}
