// Resizers through a real resize by the input layer: sides anchored to the dialog's edges, its centre, in
// proportion to its width and to other controls; tagged groups shown and hidden; bad anchors refused.
#include <gtest/gtest.h>

#include "controls_support.h"
#include "vtlbase/controls/ks_resizer.h"

namespace vtl::test {
namespace {
using E = ResizeEdge;
using win::Script;

TEST_F(ControlsTest, AResizerKeepsEveryAnchorAfterAResize) {
    HelperDialog dlg(31001);
    KsResizer resizer;
    dlg.onSize = [&](HelperDialog&) { resizer.Move(); };
    ASSERT_TRUE(dlg.Create(31001));
    RECT client{};
    dlg.GetClientRect(&client);
    ASSERT_EQ(client.right, 400);
    ASSERT_TRUE(resizer.Init(&dlg));
    const auto P = &CResizer::parent;
    // The list follows all four edges.
    EXPECT_TRUE(resizer.Add(8097, P(E::Left), P(E::Top), P(E::Right), P(E::Bottom)));
    // 1179 keeps its left, its right at the centre, and moves with the bottom.
    EXPECT_TRUE(resizer.Add(1179, P(E::Left), P(E::Bottom), P(E::CentreX), P(E::Bottom)));
    // 1177 spans from the left to 1179's right.
    EXPECT_TRUE(resizer.Add(1177, P(E::Left), P(E::Bottom), CResizer::control(1179, E::Right), P(E::Bottom)));
    // The group's left edge moves in proportion to the width, its right keeps its distance to the right.
    EXPECT_TRUE(resizer.Add(1017, P(E::ScaleX), P(E::Bottom), P(E::Right), P(E::Bottom)));
    // A morph control stays put at the top-left, tagged.
    EXPECT_TRUE(resizer.Add(1255, P(E::Left), P(E::Top), P(E::Left), P(E::Top), "Morphed"));
    // OK keeps its size at the bottom-right.
    EXPECT_TRUE(resizer.Add(KsResizeControl{1, P(E::Right), P(E::Bottom), P(E::Right), P(E::Bottom), ""}));

    // Refused: a wrong axis, a missing control or reference, a control anchored to itself, twice.
    EXPECT_FALSE(resizer.Add(1177, P(E::Top), P(E::Top), P(E::Right), P(E::Bottom)));
    EXPECT_FALSE(resizer.Add(4711, P(E::Left), P(E::Top), P(E::Right), P(E::Bottom)));
    EXPECT_FALSE(resizer.Add(1177, CResizer::control(4711, E::Left), P(E::Top), P(E::Right), P(E::Bottom)));
    EXPECT_FALSE(resizer.Add(1177, CResizer::control(1177, E::Left), P(E::Top), P(E::Right), P(E::Bottom)));
    EXPECT_FALSE(resizer.Add(1177, CResizer::control(1179, E::ScaleX), P(E::Top), P(E::Right), P(E::Bottom)));
    EXPECT_FALSE(resizer.Add(8097, P(E::Left), P(E::Top), P(E::Right), P(E::Bottom)));
    EXPECT_EQ(resizer.count(), 6);

    RECT window{};
    dlg.GetWindowRect(&window);
    Script s;
    s.resize(window.right - window.left + 200, window.bottom - window.top + 100);
    play(s);
    dlg.GetClientRect(&client);
    ASSERT_EQ(client.right, 600);
    ASSERT_EQ(client.bottom, 400);
    auto rectOf = [&](int id) { return childRect(dlg.GetDlgItem(id)->m_hWnd); };
    EXPECT_EQ(rectOf(8097), (RECT{10, 10, 590, 290}));
    EXPECT_EQ(rectOf(1179), (RECT{10, 300, 300 - 40, 322}));  // right edge 40 left of the centre, as before
    EXPECT_EQ(rectOf(1177), (RECT{10, 330, 260 - 50, 352}));  // 50 left of 1179's new right edge
    EXPECT_EQ(rectOf(1017), (RECT{360, 300, 590, 350}));      // 240 * 600 / 400
    EXPECT_EQ(rectOf(1255), (RECT{10, 260, 70, 284}));
    EXPECT_EQ(rectOf(1), (RECT{510, 366, 590, 392}));

    // Shrunk far below the start, no control turns inside out.
    Script shrink;
    shrink.resize(120, 120);
    play(shrink);
    for (int id : {8097, 1179, 1177, 1017, 1}) {
        const RECT r = rectOf(id);
        EXPECT_LE(r.left, r.right) << id;
        EXPECT_LE(r.top, r.bottom) << id;
    }

    EXPECT_EQ(resizer.ShowTagged("Morphed", false), 1);
    EXPECT_FALSE(dlg.GetDlgItem(1255)->IsWindowVisible());
    EXPECT_TRUE(dlg.GetDlgItem(1177)->IsWindowVisible());
    EXPECT_EQ(resizer.ShowTagged("Morphed", true), 1);
    EXPECT_TRUE(dlg.GetDlgItem(1255)->IsWindowVisible());
    EXPECT_EQ(resizer.ShowTagged("morphed", false), 0);  // tags compare exactly
    EXPECT_EQ(resizer.tagOf(1255), Vtl_String("Morphed"));
    EXPECT_TRUE(resizer.Init(&dlg));  // a new table forgets the tags
    EXPECT_EQ(resizer.tagOf(1255), Vtl_String());
    dlg.DestroyWindow();
    EXPECT_FALSE(resizer.Init(nullptr));
}

}  // namespace
}  // namespace vtl::test
