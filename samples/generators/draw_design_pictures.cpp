// Draws the background pictures of the sample library's designed dialogs: simple line drawings of the
// connections they edit. Run by hand after a change; the pictures are committed beside the designs:
//   <build>/bin/vtl_draw_samples samples/library
#include <filesystem>
#include <iostream>

#include "gfx/bmp.h"
#include "gfx/display_list.h"
#include "gfx/rasterise.h"

namespace {
namespace fs = std::filesystem;
using vtl::gfx::DisplayList;

constexpr COLORREF kSteel = RGB(70, 90, 120);
constexpr COLORREF kPlate = RGB(170, 120, 60);
constexpr COLORREF kBolt = RGB(40, 40, 40);
constexpr COLORREF kDim = RGB(150, 150, 150);

void label(DisplayList& l, RECT r, const char* text) {
    vtl::gfx::TextStyle s;
    s.colour = kDim;
    s.format = DT_CENTER | DT_SINGLELINE | DT_VCENTER;
    l.text(r, text, s);
}

// A column flange with an end plate and a beam, bolts in two rows.
DisplayList endPlate() {
    DisplayList l;
    l.fillRect({20, 10, 50, 230}, kSteel);      // column flange
    l.fillRect({50, 50, 62, 190}, kPlate);      // end plate
    l.fillRect({62, 60, 220, 72}, kSteel);      // beam top flange
    l.fillRect({62, 168, 220, 180}, kSteel);    // beam bottom flange
    l.fillRect({62, 72, 70, 168}, kSteel);      // beam web (section)
    for (int y : {85, 120, 155}) {
        l.ellipse({44, y - 5, 68, y + 5}, kBolt, std::nullopt);
    }
    l.line({50, 40}, {62, 40}, kDim);
    label(l, {30, 24, 90, 38}, "tp");
    l.line({80, 85}, {80, 155}, kDim);
    label(l, {84, 112, 120, 128}, "p");
    return l;
}

// A bracing member on a gusset plate welded to a beam.
DisplayList gusset() {
    DisplayList l;
    l.fillRect({10, 20, 230, 36}, kSteel);  // beam
    l.polygon({{60, 36}, {180, 36}, {180, 80}, {110, 150}, {60, 150}}, kPlate);  // gusset
    l.polygon({{115, 110}, {135, 130}, {220, 215}, {200, 235}}, kSteel);          // bracing
    for (int k = 0; k < 3; ++k) l.ellipse({122 + k * 18, 108 + k * 18, 132 + k * 18, 118 + k * 18}, kBolt, std::nullopt);
    label(l, {60, 160, 120, 176}, "t");
    return l;
}

bool write(const fs::path& file, const DisplayList& l) {
    fs::create_directories(file.parent_path());
    const vtl::gfx::Image image = vtl::gfx::render(l, 240, 240, RGB(255, 255, 255));
    try {
        vtl::gfx::writeBmpFile(file.string(), image, 24);
    } catch (const std::exception& e) {
        std::cerr << file << ": " << e.what() << "\n";
        return false;
    }
    std::cout << "wrote " << file.string() << "\n";
    return true;
}
}  // namespace

int main(int argc, char** argv) {
    const fs::path library = argc > 1 ? argv[1] : "samples/library";
    const fs::path designs = library / "Dialog Templates" / "Dialog Design";
    const bool ok = write(designs / "EndPlate.bmp", endPlate()) && write(designs / "Bracings" / "Gusset.bmp", gusset());
    return ok ? 0 : 1;
}
