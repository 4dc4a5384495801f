#include "module_test_support.h"

#include <span>

#include "win/api.h"
#include "win/resources.h"

std::span<const vtl::win::EmbeddedFile> test_module_resources();
extern "C" int DllMain(void* instance, unsigned reason);

namespace vtl::test {
namespace {
const int kAnchor = 0;
const int kTestResources = 0;  // the test dialogs are registered under their own handle
}  // namespace

void ModuleTest::SetUp() {
    Fixture::SetUp();
    ASSERT_EQ(DllMain(win::instanceOfAddress(&kAnchor), 1), 1);
    win::registerResources(reinterpret_cast<HINSTANCE>(const_cast<int*>(&kTestResources)), test_module_resources());
}

void ModuleTest::TearDown() {
    Fixture::TearDown();
    win::unregisterResources(reinterpret_cast<HINSTANCE>(const_cast<int*>(&kTestResources)));
    DllMain(win::instanceOfAddress(&kAnchor), 0);
}

BOOL GridHolder::OnInitDialog() {
    CDialog::OnInitDialog();
    if (spread.attachToDlgItem(this, kGridPlaceholder, parentIsChild) && setUp) setUp(spread);
    events.clear();
    return TRUE;
}

BOOL GridHolder::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == kGridPlaceholder) {
        int col = -1, row = -1;
        SSGetNotifyCell(spread.grid(), &col, &row);
        events.push_back(std::to_string(HIWORD(wParam)) + " (" + std::to_string(col) + "," + std::to_string(row) + ")");
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

win::Target cellOf(const GridHolder& dlg, int col, int row) {
    return win::located("cell " + std::to_string(col) + "," + std::to_string(row), [&dlg, col, row]() -> std::optional<POINT> {
        RECT r;
        if (!SSGetCellRect(dlg.spread.grid(), col, row, &r)) return std::nullopt;
        POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(dlg.spread.grid(), &p);
        return p;
    });
}

}  // namespace vtl::test
