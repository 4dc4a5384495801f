// Rectangles keep the platform's semantics: right and bottom edges are outside.
#include <gtest/gtest.h>

#include "gfx/color.h"
#include "gfx/geometry.h"

TEST(Rectangles, EdgesIntersectionUnionAndNormalising) {
    const CRect r(10, 20, 30, 60);
    EXPECT_TRUE(r.PtInRect({10, 20}));
    EXPECT_FALSE(r.PtInRect({30, 20}));
    EXPECT_FALSE(r.PtInRect({10, 60}));
    EXPECT_EQ(r.CenterPoint(), CPoint(20, 40));

    CRect i;
    EXPECT_TRUE(i.IntersectRect(r, CRect(25, 0, 100, 30)));
    EXPECT_EQ(i, CRect(25, 20, 30, 30));
    EXPECT_FALSE(i.IntersectRect(r, CRect(30, 0, 40, 10)));
    EXPECT_TRUE(i.IsRectNull());

    CRect u;
    u.UnionRect(r, CRect());
    EXPECT_EQ(u, r);
    u.UnionRect(r, CRect(0, 0, 5, 5));
    EXPECT_EQ(u, CRect(0, 0, 30, 60));

    CRect flipped(30, 60, 10, 20);
    EXPECT_TRUE(flipped.IsRectEmpty());
    flipped.NormalizeRect();
    EXPECT_EQ(flipped, r);
}

TEST(Colours, AreStoredBlueGreenRed) {
    EXPECT_EQ(RGB(0x0A, 0x24, 0x6A), 0x6A240Au);
    EXPECT_EQ(GetBValue(0x6A240A), 0x6A);
    EXPECT_EQ(GetRValue(RGB(1, 2, 3)), 1);
}
