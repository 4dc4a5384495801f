#pragma once
// Shared pieces of the control-helper tests: this executable's templates and pictures, a dialog whose
// initialisation, commands and size changes a test supplies, and pixel look-ups in rendered windows.
#include <functional>
#include <span>
#include <utility>
#include <vector>

#include "gfx/image.h"
#include "support/fixture.h"
#include "win/api.h"
#include "win/dialog.h"
#include "win/render.h"
#include "win/resources.h"

std::span<const vtl::win::EmbeddedFile> test_vtlbase_resources();

namespace vtl::test {

class HelperDialog : public CDialog {
public:
    explicit HelperDialog(UINT templateId) : CDialog(templateId) {}
    std::function<void(HelperDialog&)> onInit;
    // Answers true when it handled the command.
    std::function<bool(HelperDialog&, int id, int code)> onCommand;
    std::function<void(HelperDialog&)> onSize;
    std::vector<std::pair<int, int>> commands;       // id, notification code
    std::vector<std::pair<int, unsigned>> notifies;  // id, WM_NOTIFY code
    int countOf(int id, int code) const {
        int n = 0;
        for (const auto& c : commands) n += c.first == id && c.second == code;
        return n;
    }

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        if (onInit) onInit(*this);
        return TRUE;
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
        if (onCommand && onCommand(*this, LOWORD(wParam), HIWORD(wParam))) return TRUE;
        return CDialog::OnCommand(wParam, lParam);
    }
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        const auto* h = reinterpret_cast<const NMHDR*>(lParam);
        if (h) notifies.emplace_back(static_cast<int>(h->idFrom), h->code);
        return CDialog::OnNotify(wParam, lParam, result);
    }
    void OnSize(UINT type, int cx, int cy) override {
        CDialog::OnSize(type, cx, cy);
        if (onSize) onSize(*this);
    }
};

class ControlsTest : public Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        static const int anchor = 0;
        const HINSTANCE self = win::instanceOfAddress(&anchor);
        if (!win::hasResources(self)) win::registerResources(self, test_vtlbase_resources());
    }
};

// A child's rectangle in its parent's client area.
inline RECT childRect(HWND child) {
    RECT r{};
    ::GetWindowRect(child, &r);
    POINT corners[2] = {{r.left, r.top}, {r.right, r.bottom}};
    ::MapWindowPoints(HWND(), ::GetParent(child), corners, 2);
    return {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

// Counts the pixels of a control, in a rendering of its top-level window, that satisfy `test`.
// The pixels of a control that pass `test`, by their place in the control.
inline std::vector<POINT> pixelsWhere(HWND control, const std::function<bool(COLORREF)>& test) {
    const HWND top = ::GetAncestor(control, GA_ROOT);
    const gfx::Image image = win::renderWindow(top);
    RECT t{}, c{};
    ::GetWindowRect(top, &t);
    ::GetWindowRect(control, &c);
    std::vector<POINT> found;
    for (int y = c.top - t.top; y < c.bottom - t.top; ++y)
        for (int x = c.left - t.left; x < c.right - t.left; ++x)
            if (image.contains(x, y) && test(image.at(x, y).colour()))
                found.push_back({x - (c.left - t.left), y - (c.top - t.top)});
    return found;
}

inline int countPixels(HWND control, const std::function<bool(COLORREF)>& test) {
    const HWND top = ::GetAncestor(control, GA_ROOT);
    const gfx::Image image = win::renderWindow(top);
    RECT t{}, c{};
    ::GetWindowRect(top, &t);
    ::GetWindowRect(control, &c);
    int n = 0;
    for (int y = c.top - t.top; y < c.bottom - t.top; ++y)
        for (int x = c.left - t.left; x < c.right - t.left; ++x)
            if (image.contains(x, y) && test(image.at(x, y).colour())) ++n;
    return n;
}

}  // namespace vtl::test
