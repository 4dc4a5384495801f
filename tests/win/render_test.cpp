// Rendering: the classic look of dialogs and controls, and windows' own painting, checked by pixels.
#include "gfx/bitmap.h"
#include "gfx/png.h"
#include "gfx/rasterise.h"
#include "win/dc.h"
#include "win/render.h"
#include "win/threads.h"
#include "win/window_tree.h"
#include "win_test_support.h"

namespace vtl::test {
namespace {
using namespace vtl::win;

// A pixel of a rendered window, at client coordinates of one of its controls.
gfx::Rgba at(const gfx::Image& image, CWnd& dlg, int x, int y) {
    CRect window;
    dlg.GetWindowRect(&window);
    CPoint p(x, y);
    dlg.ClientToScreen(&p);
    return image.pixel(p.x - window.left, p.y - window.top);
}

TEST_F(WinTest, ARenderedDialogHasItsSizeAndItsControlsWhereTheyAre) {
    CDialog dlg;
    ASSERT_TRUE(dlg.Create(200, AfxGetMainWnd()));
    dlg.ShowWindow(SW_SHOW);
    const gfx::Image image = renderWindow(dlg.m_hWnd);
    CRect window;
    dlg.GetWindowRect(&window);
    EXPECT_EQ(image.width(), window.Width());
    EXPECT_EQ(image.height(), window.Height());
    const gfx::Rgba face = gfx::Rgba::of(GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(at(image, dlg, 300, 60), face);  // the dialog's background
    // The caption bar of the active dialog.
    EXPECT_EQ(image.pixel(window.Width() / 2, 10), gfx::Rgba::of(GetSysColor(COLOR_ACTIVECAPTION)));
    // The default button (140,160)-(220,186) has a dark outer frame; its face inside is the button face.
    EXPECT_EQ(at(image, dlg, 140, 170), gfx::Rgba::of(GetSysColor(COLOR_3DDKSHADOW)));
    EXPECT_EQ(at(image, dlg, 145, 163), face);
    // The edit (10,10)-(150,32) is white inside its border.
    EXPECT_EQ(at(image, dlg, 100, 30), gfx::Rgba::of(RGB(255, 255, 255)));
    // The hidden button at (170,10) is not drawn.
    EXPECT_EQ(at(image, dlg, 175, 20), face);
    dlg.DestroyWindow();
}

TEST_F(WinTest, TheCloseBoxIsDrawnAtTheCaptionsEndWhereverTheWindowIs) {
    CDialog dlg;
    ASSERT_TRUE(dlg.Create(202, AfxGetMainWnd()));
    dlg.ShowWindow(SW_SHOW);
    const gfx::Rgba black = gfx::Rgba::of(RGB(0, 0, 0));
    auto closeBoxInk = [&](const gfx::Image& picture) {
        int dark = 0;
        for (int y = 3; y < 17; ++y)
            for (int x = picture.width() - 23; x < picture.width() - 7; ++x) dark += picture.pixel(x, y) == black;
        return dark;
    };
    for (const POINT place : {POINT{0, 0}, POINT{200, 150}, POINT{517, 333}}) {
        dlg.SetWindowPos(nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        EXPECT_GT(closeBoxInk(renderWindow(dlg.m_hWnd)), 8) << place.x;
    }
    dlg.DestroyWindow();
}

TEST_F(WinTest, AWindowsOwnPaintingAndItsLabelsColoursShowInThePicture) {
    class Painted : public CDialog {
    protected:
        BOOL OnEraseBkgnd(CDC* dc) override {
            dc->FillSolidRect(0, 0, 320, 200, RGB(0, 0, 200));  // a blue background
            return TRUE;
        }
        void OnPaint() override {
            CPaintDC dc(this);
            dc.FillSolidRect(250, 120, 20, 20, RGB(255, 0, 0));
        }
        HBRUSH OnCtlColor(CDC* dc, CWnd*, UINT) override {
            dc->SetBkMode(TRANSPARENT);  // labels drawn over the picture
            dc->SetTextColor(RGB(255, 255, 0));
            return GetStockObject(NULL_BRUSH);
        }
    } dlg;
    ASSERT_TRUE(dlg.Create(200, AfxGetMainWnd()));
    dlg.ShowWindow(SW_SHOW);
    const gfx::Image image = renderWindow(dlg.m_hWnd);
    EXPECT_EQ(at(image, dlg, 260, 130), gfx::Rgba::of(RGB(255, 0, 0)));
    EXPECT_EQ(at(image, dlg, 300, 60), gfx::Rgba::of(RGB(0, 0, 200)));
    // The label (170,70)-(270,86) lets the blue through around its yellow text.
    EXPECT_EQ(at(image, dlg, 268, 84), gfx::Rgba::of(RGB(0, 0, 200)));
    bool yellow = false;
    for (int x = 170; x < 200; ++x)
        for (int y = 70; y < 86; ++y) yellow = yellow || at(image, dlg, x, y) == gfx::Rgba::of(RGB(255, 255, 0));
    EXPECT_TRUE(yellow);
    dlg.DestroyWindow();
}

TEST_F(WinTest, AMemoryDeviceDrawsIntoItsBitmapAndAMaskLeavesWhatIsBehind) {
    CDC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(nullptr));
    CBitmap image, mask;
    ASSERT_TRUE(image.CreateCompatibleBitmap(&memory, 4, 1));
    ASSERT_TRUE(mask.CreateCompatibleBitmap(&memory, 4, 1));
    memory.SelectObject(&image);
    memory.FillSolidRect(0, 0, 4, 1, RGB(255, 0, 0));
    memory.SelectObject(&mask);
    memory.FillSolidRect(0, 0, 2, 1, RGB(255, 255, 255));  // the left half transparent
    memory.FillSolidRect(2, 0, 2, 1, RGB(0, 0, 0));
    memory.SelectBitmap(HBITMAP());
    EXPECT_EQ(gfx::bitmapImage(image)->pixel(1, 0), gfx::Rgba::of(RGB(255, 0, 0)));

    CDC target;
    CDC source;
    source.CreateCompatibleDC(nullptr);
    ASSERT_TRUE(target.Attach(GetDC(mainWindow())));
    target.FillSolidRect(0, 0, 4, 1, RGB(0, 0, 255));
    source.SelectObject(&mask);
    target.BitBlt(0, 0, 4, 1, &source, 0, 0, SRCAND);
    source.SelectObject(&image);
    target.BitBlt(0, 0, 4, 1, &source, 0, 0, SRCPAINT);
    source.SelectBitmap(HBITMAP());
    const gfx::Image out = gfx::render(*recordedList(target), 4, 1);
    EXPECT_EQ(out.pixel(0, 0), gfx::Rgba::of(RGB(0, 0, 255)));
    EXPECT_EQ(out.pixel(3, 0), gfx::Rgba::of(RGB(255, 0, 0)));
    ReleaseDC(mainWindow(), target.Detach());
}

TEST_F(WinTest, PublishedFramesCarryAPictureOfTheScreen) {
    CDialog dlg;
    ASSERT_TRUE(dlg.Create(202, AfxGetMainWnd()));
    publishFrame();
    const auto frame = latestFrame();
    ASSERT_FALSE(frame->png.empty());
    const gfx::Image screen = gfx::decodePng(frame->png);
    EXPECT_EQ(screen.width(), screenSize().cx);
    EXPECT_EQ(screen.height(), screenSize().cy);
    dlg.DestroyWindow();
}

}  // namespace
}  // namespace vtl::test
