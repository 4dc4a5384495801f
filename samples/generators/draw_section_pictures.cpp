// Draws the section pictures of the sample library: each of the 17 section shapes as a large (120 x 120)
// and a small (40 x 40) picture in "icons\" (ProfSection<name>-big.bmp / -small.bmp), the "Unknown"
// pictures, the large picture of the sample type whose shape is a drawing (SigmaPurlin), and the source
// picture of a user-defined section in "User Sections\" with its drawing placeholder. Run by hand after a
// change; the pictures are committed:
//   <build>/bin/vtl_draw_section_pictures samples/library
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <numbers>
#include <string>
#include <vector>

#include "gfx/bmp.h"
#include "gfx/display_list.h"
#include "gfx/rasterise.h"

namespace {
namespace fs = std::filesystem;
using vtl::gfx::DisplayList;

constexpr COLORREF kSteel = RGB(70, 90, 120);
constexpr COLORREF kEdge = RGB(30, 40, 60);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kDim = RGB(160, 160, 160);

// Shapes are drawn in a 100 x 100 frame, scaled to the picture with a margin.
struct Canvas {
    DisplayList list;
    int size;
    POINT at(double x, double y) const {
        const double margin = size * 0.1, scale = (size - 2 * margin) / 100.0;
        return {static_cast<int>(std::lround(margin + x * scale)), static_cast<int>(std::lround(margin + y * scale))};
    }
    void poly(const std::vector<std::pair<double, double>>& points, COLORREF colour = kSteel) {
        std::vector<POINT> pts;
        for (const auto& [x, y] : points) pts.push_back(at(x, y));
        list.polygon(pts, colour);
    }
    void rect(double x0, double y0, double x1, double y1, COLORREF colour = kSteel) {
        const POINT a = at(x0, y0), b = at(x1, y1);
        list.fillRect({a.x, a.y, b.x, b.y}, colour);
    }
    void ellipse(double x0, double y0, double x1, double y1, COLORREF colour = kSteel) {
        const POINT a = at(x0, y0), b = at(x1, y1);
        list.ellipse({a.x, a.y, b.x, b.y}, colour, size >= 100 ? std::optional<COLORREF>(kEdge) : std::nullopt);
    }
    void dashed(double x0, double y0, double x1, double y1) {
        list.line(at(x0, y0), at(x1, y1), kDim, 1, vtl::gfx::PenStyle::Dot);
    }
};

using Shape = std::function<void(Canvas&)>;

void iSection(Canvas& c) {
    c.poly({{15, 5}, {85, 5}, {85, 17}, {55, 17}, {55, 83}, {85, 83}, {85, 95}, {15, 95}, {15, 83}, {45, 83},
            {45, 17}, {15, 17}});
}
void uSection(Canvas& c) { c.poly({{20, 5}, {80, 5}, {80, 17}, {34, 17}, {34, 83}, {80, 83}, {80, 95}, {20, 95}}); }

const std::vector<std::pair<std::string, Shape>>& shapes() {
    static const std::vector<std::pair<std::string, Shape>> all = {
        {"I", iSection},
        {"CL", [](Canvas& c) { c.poly({{15, 5}, {29, 5}, {29, 81}, {95, 81}, {95, 95}, {15, 95}}); }},      // equal angle
        {"HL", [](Canvas& c) { c.poly({{25, 5}, {39, 5}, {39, 81}, {75, 81}, {75, 95}, {25, 95}}); }},      // unequal angle
        {"CU", uSection},
        {"T", [](Canvas& c) { c.poly({{10, 10}, {90, 10}, {90, 24}, {57, 24}, {57, 92}, {43, 92}, {43, 24}, {10, 24}}); }},
        {"OI", [](Canvas& c) {  // I with web openings
             iSection(c);
             c.ellipse(46, 35, 54, 65, kWhite);
             c.dashed(30, 50, 70, 50);
         }},
        {"OU", [](Canvas& c) {  // U with web openings
             uSection(c);
             c.ellipse(21, 38, 33, 62, kWhite);
         }},
        {"Rect", [](Canvas& c) { c.rect(10, 35, 90, 65); }},
        {"Round", [](Canvas& c) { c.ellipse(15, 15, 85, 85); }},
        {"RectTube", [](Canvas& c) {
             c.rect(10, 20, 90, 80);
             c.rect(20, 30, 80, 70, kWhite);
         }},
        {"RoundTube", [](Canvas& c) {
             c.ellipse(10, 10, 90, 90);
             c.ellipse(22, 22, 78, 78, kWhite);
         }},
        {"C", [](Canvas& c) {  // lipped channel
             c.poly({{20, 5}, {80, 5}, {80, 25}, {70, 25}, {70, 15}, {30, 15}, {30, 85}, {70, 85}, {70, 75}, {80, 75},
                     {80, 95}, {20, 95}});
         }},
        {"Z", [](Canvas& c) {
             c.poly({{50, 5}, {92, 5}, {92, 15}, {58, 15}, {58, 95}, {8, 95}, {8, 85}, {42, 85}, {42, 5}});
         }},
        {"V", [](Canvas& c) { c.poly({{10, 10}, {22, 10}, {50, 78}, {78, 10}, {90, 10}, {56, 94}, {44, 94}}); }},
        {"O", [](Canvas& c) {  // oval tube
             c.ellipse(5, 25, 95, 75);
             c.ellipse(15, 35, 85, 65, kWhite);
         }},
        {"Q", [](Canvas& c) { c.rect(20, 20, 80, 80); }},  // square bar
        {"CuttedI", [](Canvas& c) {  // a T cut from an I
             c.poly({{15, 5}, {85, 5}, {85, 17}, {55, 17}, {55, 60}, {45, 60}, {45, 17}, {15, 17}});
             c.dashed(45, 60, 55, 60);
             c.dashed(50, 62, 50, 95);
         }},
    };
    return all;
}

void unknown(Canvas& c) {
    const POINT a = c.at(10, 10), b = c.at(90, 90);
    c.list.frameRect({a.x, a.y, b.x, b.y}, kDim, c.size >= 100 ? 2 : 1);
    vtl::gfx::TextStyle s;
    s.colour = kDim;
    s.format = DT_CENTER | DT_SINGLELINE | DT_VCENTER;
    s.font.lfHeight = c.size / 2;
    s.font.lfWeight = 700;
    c.list.text({a.x, a.y, b.x, b.y}, "?", s);
}

// A sigma purlin: web with two folds, flanges and lips.
void sigma(Canvas& c) {
    c.poly({{30, 5}, {80, 5}, {80, 22}, {72, 22}, {72, 13}, {38, 13}, {38, 35}, {48, 45}, {48, 55}, {38, 65},
            {38, 87}, {72, 87}, {72, 78}, {80, 78}, {80, 95}, {30, 95}, {30, 62}, {40, 52}, {40, 48}, {30, 38}});
}

// A crane rail: head, neck and foot.
void craneRail(Canvas& c) {
    c.poly({{30, 5}, {70, 5}, {72, 25}, {58, 30}, {58, 72}, {90, 82}, {90, 95}, {10, 95}, {10, 82}, {42, 72},
            {42, 30}, {28, 25}});
}

bool write(const fs::path& file, int size, const std::function<void(Canvas&)>& draw) {
    fs::create_directories(file.parent_path());
    Canvas c{DisplayList{}, size};
    draw(c);
    const vtl::gfx::Image image = vtl::gfx::render(c.list, size, size, kWhite);
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
    const fs::path icons = library / "icons";
    bool ok = true;
    for (const auto& [name, draw] : shapes()) {
        ok &= write(icons / ("ProfSection" + name + "-big.bmp"), 120, draw);
        ok &= write(icons / ("ProfSection" + name + "-small.bmp"), 40, draw);
    }
    ok &= write(icons / "Unknown-big.bmp", 120, unknown);
    ok &= write(icons / "Unknown-small.bmp", 40, unknown);
    // The drawing-shaped sample type has a large picture only; its small one is "Unknown".
    ok &= write(icons / "SigmaPurlin-big.bmp", 120, sigma);
    const fs::path user = library / "User Sections";
    ok &= write(user / "CraneRail A45.bmp", 120, craneRail);
    // The user section's drawing: a placeholder, never read by the module.
    std::ofstream(user / "CraneRail A45.dwg", std::ios::binary) << "placeholder drawing of a user section\r\n";
    return ok ? 0 : 1;
}
