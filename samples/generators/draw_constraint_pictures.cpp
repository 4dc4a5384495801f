// Draws the pictures of the parametric macros in the sample library's "icons\" folder: the command
// pictures of the constraints editor (32 x 32 on light grey, the transparent colour of picture buttons),
// the option pictures of the stiffener's rules (32 x 32 on magenta, the transparent colour of option
// buttons) and the illustrations of the macro settings' filters. Run by hand after a change; the pictures
// are committed:
//   <build>/bin/vtl_draw_constraint_pictures samples/library
#include <cmath>
#include <filesystem>
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
using vtl::gfx::PenStyle;

constexpr COLORREF kGrey = RGB(192, 192, 192);
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kSteel = RGB(70, 90, 120);
constexpr COLORREF kEdge = RGB(30, 40, 60);
constexpr COLORREF kAccent = RGB(200, 40, 40);
constexpr COLORREF kDim = RGB(20, 110, 40);
constexpr COLORREF kWeld = RGB(230, 150, 30);

using Draw = std::function<void(DisplayList&)>;

void arc(DisplayList& l, int cx, int cy, int r, double from, double to, COLORREF c, int width = 1) {
    constexpr int kSteps = 16;
    POINT prev{};
    for (int i = 0; i <= kSteps; ++i) {
        const double a = (from + (to - from) * i / kSteps) * std::numbers::pi / 180.0;
        const POINT p{cx + static_cast<int>(std::lround(r * std::cos(a))), cy - static_cast<int>(std::lround(r * std::sin(a)))};
        if (i) l.line(prev, p, c, width);
        prev = p;
    }
}

void label(DisplayList& l, const RECT& r, const char* text, COLORREF colour) {
    vtl::gfx::TextStyle s;
    s.colour = colour;
    s.format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    l.text(r, text, s);
}

bool write(const fs::path& file, int width, int height, COLORREF background, const Draw& draw) {
    fs::create_directories(file.parent_path());
    DisplayList list;
    draw(list);
    const vtl::gfx::Image image = vtl::gfx::render(list, width, height, background);
    try {
        vtl::gfx::writeBmpFile(file.string(), image, 24);
    } catch (const std::exception& e) {
        std::cerr << file << ": " << e.what() << "\n";
        return false;
    }
    std::cout << "wrote " << file.string() << "\n";
    return true;
}

// ---- the command pictures (32 x 32) ----
const std::vector<std::pair<std::string, Draw>>& commands() {
    static const std::vector<std::pair<std::string, Draw>> all = {
        {"Parallel", [](DisplayList& l) {
             l.line({6, 24}, {22, 6}, kSteel, 3);
             l.line({12, 27}, {28, 9}, kSteel, 3);
         }},
        {"Perpendicular", [](DisplayList& l) {
             l.line({4, 27}, {28, 27}, kSteel, 3);
             l.line({16, 27}, {16, 4}, kSteel, 3);
             l.frameRect({16, 21, 22, 27}, kAccent);
         }},
        {"Coincident", [](DisplayList& l) {
             l.line({4, 26}, {16, 16}, kSteel, 3);
             l.line({16, 16}, {29, 8}, kSteel, 3);
             l.ellipse({12, 12, 21, 21}, kAccent, kEdge);
         }},
        {"Symmetric", [](DisplayList& l) {
             l.line({16, 3}, {16, 29}, kDim, 1, PenStyle::Dot);
             l.polygon({{4, 10}, {12, 10}, {12, 22}, {4, 22}}, kSteel);
             l.polygon({{20, 10}, {28, 10}, {28, 22}, {20, 22}}, kSteel);
         }},
        {"Tangent", [](DisplayList& l) {
             l.ellipse({8, 10, 26, 28}, std::nullopt, kSteel);
             l.line({2, 10}, {30, 10}, kAccent, 2);
         }},
        {"Concentric", [](DisplayList& l) {
             l.ellipse({4, 4, 28, 28}, std::nullopt, kSteel);
             l.ellipse({10, 10, 22, 22}, std::nullopt, kSteel);
             l.ellipse({15, 15, 18, 18}, kAccent, kAccent);
         }},
        {"EqualRadius", [](DisplayList& l) {
             l.ellipse({2, 8, 16, 22}, std::nullopt, kSteel);
             l.ellipse({16, 8, 30, 22}, std::nullopt, kSteel);
             label(l, {8, 22, 24, 32}, "=", kAccent);
         }},
        {"Distance", [](DisplayList& l) {
             l.line({5, 4}, {5, 28}, kSteel, 3);
             l.line({27, 4}, {27, 28}, kSteel, 3);
             l.line({7, 16}, {25, 16}, kDim, 1);
             l.polygon({{7, 16}, {12, 13}, {12, 19}}, kDim);
             l.polygon({{25, 16}, {20, 13}, {20, 19}}, kDim);
         }},
        {"Angle", [](DisplayList& l) {
             l.line({4, 27}, {29, 27}, kSteel, 3);
             l.line({4, 27}, {24, 6}, kSteel, 3);
             arc(l, 4, 27, 15, 0, 46, kDim, 1);
         }},
        {"Radius", [](DisplayList& l) {
             l.ellipse({4, 4, 28, 28}, std::nullopt, kSteel);
             l.line({16, 16}, {26, 9}, kDim, 1);
             l.ellipse({14, 14, 18, 18}, kAccent, kAccent);
         }},
        {"AddModule", [](DisplayList& l) {
             l.frameRect({3, 7, 21, 25}, kSteel, 2);
             l.fillRect({20, 13, 30, 17}, kDim);
             l.fillRect({23, 10, 27, 20}, kDim);
         }},
        {"BoltPattern", [](DisplayList& l) {
             for (int x : {8, 22})
                 for (int y : {8, 22}) l.ellipse({x - 4, y - 4, x + 4, y + 4}, kSteel, kEdge);
         }},
        {"CoordSys", [](DisplayList& l) {
             l.line({6, 26}, {28, 26}, kAccent, 2);
             l.line({6, 26}, {6, 4}, kDim, 2);
             l.line({6, 26}, {18, 14}, kSteel, 2);
             label(l, {22, 14, 32, 24}, "X", kAccent);
             label(l, {8, 0, 18, 10}, "Y", kDim);
         }},
    };
    return all;
}

// ---- the stiffener's option pictures (32 x 32 on magenta) ----
const std::vector<std::pair<std::string, Draw>>& options() {
    auto plate = [](DisplayList& l, bool snipe, bool chamfer) {
        // The web at the left, the flanges above and below, the stiffener between them.
        l.fillRect({2, 2, 30, 6}, kEdge);
        l.fillRect({2, 26, 30, 30}, kEdge);
        l.fillRect({2, 6, 6, 26}, kEdge);
        std::vector<POINT> s{{6, 6}, {26, 6}, {26, 26}, {6, 26}};
        if (snipe) s = {{11, 6}, {26, 6}, {26, 26}, {11, 26}, {6, 21}, {6, 11}};
        if (chamfer) s = {{6, 6}, {20, 6}, {26, 12}, {26, 20}, {20, 26}, {6, 26}};
        l.polygon(s, kSteel);
    };
    static const std::vector<std::pair<std::string, Draw>> all = {
        {"StiffenerSquare", [plate](DisplayList& l) { plate(l, false, false); }},
        {"StiffenerSniped", [plate](DisplayList& l) { plate(l, true, false); }},
        {"StiffenerChamfered", [plate](DisplayList& l) { plate(l, false, true); }},
        {"WeldBothSides", [](DisplayList& l) {
             l.fillRect({13, 2, 19, 30}, kSteel);
             l.polygon({{13, 22}, {13, 30}, {5, 30}}, kWeld);
             l.polygon({{19, 22}, {19, 30}, {27, 30}}, kWeld);
         }},
        {"WeldOneSide", [](DisplayList& l) {
             l.fillRect({13, 2, 19, 30}, kSteel);
             l.polygon({{19, 22}, {19, 30}, {27, 30}}, kWeld);
         }},
    };
    return all;
}

// ---- the filter illustrations ----
void angleFilter(DisplayList& l, int span) {
    l.fillRect({0, 0, 96, 96}, kWhite);
    l.line({48, 86}, {48, 10}, kDim, 1, PenStyle::Dot);
    l.fillRect({10, 80, 86, 88}, kEdge);  // the member the macro starts from
    const double a0 = 90.0 - span / 2.0, a1 = 90.0 + span / 2.0;
    arc(l, 48, 84, 34, a0, a1, kAccent, 2);
    for (double a : {a0, a1}) {
        const double r = a * std::numbers::pi / 180.0;
        l.line({48, 84}, {48 + static_cast<int>(std::lround(44 * std::cos(r))), 84 - static_cast<int>(std::lround(44 * std::sin(r)))},
               kSteel, 3);
    }
    label(l, {28, 26, 68, 44}, span == 180 ? "180\xc2\xb0" : "90\xc2\xb0", kAccent);
}

void sectionAngle(DisplayList& l) {
    l.fillRect({0, 0, 120, 120}, kWhite);
    // An I section turned by the angle the table names, with its axis and the reference axis.
    const double t = 30 * std::numbers::pi / 180.0;
    auto rot = [&](double x, double y) {
        return POINT{60 + static_cast<int>(std::lround(x * std::cos(t) - y * std::sin(t))),
                     60 + static_cast<int>(std::lround(x * std::sin(t) + y * std::cos(t)))};
    };
    const std::vector<std::pair<double, double>> shape{{-30, -40}, {30, -40}, {30, -32}, {4, -32}, {4, 32}, {30, 32},
                                                       {30, 40},   {-30, 40}, {-30, 32}, {-4, 32}, {-4, -32}, {-30, -32}};
    std::vector<POINT> pts;
    for (const auto& [x, y] : shape) pts.push_back(rot(x, y));
    l.polygon(pts, kSteel);
    l.line({10, 60}, {110, 60}, kDim, 1, PenStyle::Dot);
    l.line(rot(-50, 0), rot(50, 0), kAccent, 1, PenStyle::Dot);
    arc(l, 60, 60, 46, -30, 0, kAccent, 2);
}

void pathDistance(DisplayList& l) {
    l.fillRect({0, 0, 120, 116}, kWhite);
    l.fillRect({8, 20, 112, 30}, kEdge);   // the main member
    l.fillRect({50, 30, 60, 96}, kSteel);  // the connected member
    l.line({8, 104}, {50, 104}, kDim, 1);
    l.line({8, 98}, {8, 110}, kDim, 1);
    l.line({50, 98}, {50, 110}, kDim, 1);
    label(l, {8, 84, 50, 100}, "d", kDim);
}

void sectionSize(DisplayList& l) {
    l.fillRect({0, 0, 120, 120}, kWhite);
    l.polygon({{30, 20}, {90, 20}, {90, 30}, {64, 30}, {64, 90}, {90, 90}, {90, 100}, {30, 100}, {30, 90}, {56, 90},
               {56, 30}, {30, 30}},
              kSteel);
    l.line({104, 20}, {104, 100}, kDim, 1);
    label(l, {98, 52, 120, 68}, "h", kDim);
    l.line({30, 110}, {90, 110}, kDim, 1);
    label(l, {50, 100, 70, 120}, "b", kDim);
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: vtl_draw_constraint_pictures <library folder>\n";
        return 2;
    }
    const fs::path icons = fs::path(argv[1]) / "icons";
    bool ok = true;
    for (const auto& [name, draw] : commands()) ok = write(icons / (name + ".bmp"), 32, 32, kGrey, draw) && ok;
    for (const auto& [name, draw] : options()) ok = write(icons / (name + ".bmp"), 32, 32, kMagenta, draw) && ok;
    ok = write(icons / "MacroFilterAngle90.bmp", 96, 96, kGrey, [](DisplayList& l) { angleFilter(l, 90); }) && ok;
    ok = write(icons / "MacroFilterAngle180.bmp", 96, 96, kGrey, [](DisplayList& l) { angleFilter(l, 180); }) && ok;
    ok = write(icons / "MacroFilterSectionAngle.bmp", 120, 120, kGrey, sectionAngle) && ok;
    ok = write(icons / "MacroFilterPathDistance.bmp", 120, 116, kGrey, pathDistance) && ok;
    ok = write(icons / "MacroFilterSectionSize.bmp", 120, 120, kGrey, sectionSize) && ok;
    return ok ? 0 : 1;
}
