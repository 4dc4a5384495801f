// The thumbnail list: pictures fitted into the preview size, labels, an unreadable picture kept as an empty
// preview, selection by a click and a double click reaching the dialog.
#include <gtest/gtest.h>

#include <filesystem>

#include "controls_support.h"
#include "gfx/bitmap.h"
#include "gfx/bmp.h"
#include "vtlbase/controls/image_list_ctrl.h"
#include "vtlbase/settings.h"

namespace vtl::test {
namespace {
using win::Script;

TEST_F(ControlsTest, AThumbnailListShowsFittedPicturesAndReportsTheSelection) {
    const auto folder = libraryDir() / "macros";
    std::filesystem::create_directories(folder);
    gfx::writeBmpFile((folder / "Endplate.bmp").string(), gfx::Image(200, 100, gfx::Rgba::of(RGB(0, 128, 0))));
    gfx::writeBmpFile((folder / "Cleat.bmp").string(), gfx::Image(10, 10, gfx::Rgba::of(RGB(255, 0, 0))));
    std::filesystem::create_directories(folder / "Broken.bmp");  // a folder, not a picture

    HelperDialog dlg(31002);
    ASSERT_TRUE(dlg.Create(31002));
    CImageListCtrl list;
    ASSERT_TRUE(list.SubclassDlgItem(9091, &dlg));
    EXPECT_FALSE(list.Init(0, 40));
    ASSERT_TRUE(list.Init(80, 60));
    const Vtl_String lib = gSettings.libDir();
    list.SetItems(Vtl_StringArray{lib + "macros\\Endplate.bmp", lib + "macros\\Cleat.bmp", lib + "macros\\Broken.bmp"},
                  Vtl_StringArray{"End plate", "Cleat"});
    list.Redraw();
    ASSERT_EQ(list.GetItemCount(), 3);
    EXPECT_EQ(list.GetItemText(0), "End plate");
    EXPECT_EQ(list.GetItemText(2), "Broken");  // no label given: the file's name
    EXPECT_TRUE(list.pictureLoaded(0));
    EXPECT_FALSE(list.pictureLoaded(2));
    for (int i = 0; i < 3; ++i) {
        const auto size = gfx::bitmapSize(list.thumbnail(i));
        ASSERT_TRUE(size);
        EXPECT_EQ(size->cx, 80);
        EXPECT_EQ(size->cy, 60);
    }
    // 200 x 100 fitted into 80 x 60 keeps its proportions: 80 x 40, centred on white.
    const auto wide = gfx::bitmapImage(list.thumbnail(0));
    EXPECT_EQ(wide->at(40, 5).colour(), RGB(255, 255, 255));
    EXPECT_EQ(wide->at(40, 30).colour(), RGB(0, 128, 0));
    // A small picture keeps its size.
    const auto small = gfx::bitmapImage(list.thumbnail(1));
    EXPECT_EQ(small->at(40, 30).colour(), RGB(255, 0, 0));
    EXPECT_EQ(small->at(30, 30).colour(), RGB(255, 255, 255));
    EXPECT_EQ(list.GetSelectedItem(), -1);
    EXPECT_EQ(list.GetSelectedFile(), Vtl_String());

    RECT item{};
    ASSERT_TRUE(list.GetItemRect(1, &item));
    POINT centre{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ::ClientToScreen(list.m_hWnd, &centre);
    Script s;
    s.click(win::point(centre.x, centre.y)).doubleClick(win::point(centre.x, centre.y));
    play(s);
    EXPECT_EQ(list.GetSelectedItem(), 1);
    EXPECT_EQ(list.GetSelectedFile(), lib + "macros\\Cleat.bmp");
    bool doubleClicked = false;
    for (const auto& [id, code] : dlg.notifies) doubleClicked |= id == 9091 && code == NM_DBLCLK;
    EXPECT_TRUE(doubleClicked);

    // Refilled, the selection is gone and the pictures follow the new files.
    list.SetItems(Vtl_StringArray{lib + "macros\\Cleat.bmp"}, Vtl_StringArray{});
    list.Redraw();
    EXPECT_EQ(list.GetItemCount(), 1);
    EXPECT_EQ(list.GetSelectedItem(), -1);
    EXPECT_FALSE(list.thumbnail(1));
    dlg.DestroyWindow();
}

}  // namespace
}  // namespace vtl::test
