#include "module_test_support.h"

#include <fstream>
#include <span>
#include <sstream>

#include "gfx/bmp.h"
#include "gfx/image.h"
#include "spread/look_up_sheets.h"

#include "vtlbase/settings.h"
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
    ui::clearLookUpSheets();  // the hidden grids of looked-up sheets
    Fixture::TearDown();
    win::unregisterResources(reinterpret_cast<HINSTANCE>(const_cast<int*>(&kTestResources)));
    DllMain(win::instanceOfAddress(&kAnchor), 0);
}

BOOL GridHolder::OnInitDialog() {
    CDialog::OnInitDialog();
    const bool attached = inPlace ? spread.attachInPlaceOfDlgItem(this, kGridPlaceholder, parentIsChild)
                                  : spread.attachToDlgItem(this, kGridPlaceholder, parentIsChild);
    if (attached && setUp) setUp(spread);
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
    return cellOf([&dlg] { return dlg.spread.grid(); }, col, row);
}

win::Target cellOf(std::function<HWND()> grid, int col, int row) {
    return win::located("cell " + std::to_string(col) + "," + std::to_string(row), [grid, col, row]() -> std::optional<POINT> {
        const HWND g = grid();
        RECT r;
        if (!g || !SSGetCellRect(g, col, row, &r)) return std::nullopt;
        POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(g, &p);
        return p;
    });
}

win::Target tabItemOf(std::function<HWND()> tabs, int index) {
    return win::located("tab item " + std::to_string(index), [tabs, index]() -> std::optional<POINT> {
        const HWND t = tabs();
        RECT r;
        if (!t || !::SendMessage(t, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r))) return std::nullopt;
        POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ::ClientToScreen(t, &p);
        return p;
    });
}

MacroCell cell(const char* name, const char* value, int type, bool readOnly) {
    MacroCell c;
    c.name = name;
    c.label = name;
    c.value = value;
    c.valueType = type;
    c.readOnly = readOnly;
    return c;
}

Vtl_String writeDesign(const std::filesystem::path& libraryDir, const std::string& name, const std::vector<std::string>& controls,
                       int width, int height) {
    namespace fs = std::filesystem;
    const fs::path root = libraryDir / "Dialog Templates" / "Dialog Design";
    fs::create_directories(root);
    std::ofstream file(root / (name + ".txt"), std::ios::binary);
    file << "nrOfControls=" << controls.size() << "\r\n";
    for (std::size_t i = 0; i < controls.size(); ++i) {
        std::istringstream in(controls[i]);
        std::string type, x0, y0, x1, y1, contents, list;
        in >> type >> x0 >> y0 >> x1 >> y1 >> contents >> list;
        file << "type" << i << "=" << type << "\r\ntopLeftX" << i << "=" << x0 << "\r\ntopLeftY" << i << "=" << y0
             << "\r\nbottomRightX" << i << "=" << x1 << "\r\nbottomRightY" << i << "=" << y1 << "\r\ncontents" << i << "="
             << contents << "\r\ncomboList" << i << "=" << list << "\r\n";
    }
    gfx::writeBmpFile((root / (name + ".bmp")).string(), gfx::Image(width, height, gfx::Rgba::of(RGB(255, 255, 255))));
    return gSettings.libDir() + Vtl_String("Dialog Templates\\Dialog Design\\" + name + ".txt");
}

}  // namespace vtl::test
