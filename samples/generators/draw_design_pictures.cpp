// Draws the background pictures of the sample library's designed dialogs: simple line drawings of the
// connections they edit. Run by hand after a change; the pictures are committed beside the designs:
//   <build>/bin/vtl_draw_samples samples/library
#include <filesystem>
#include <iostream>
#include <string>

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

// A column flange with an end plate and a beam, bolts in two rows; the plate stands out above and below
// the beam by its extensions.
DisplayList endPlate() {
    DisplayList l;
    l.fillRect({20, 10, 50, 240}, kSteel);      // column flange
    l.fillRect({50, 30, 62, 210}, kPlate);      // end plate
    l.fillRect({62, 70, 220, 82}, kSteel);      // beam top flange
    l.fillRect({62, 158, 220, 170}, kSteel);    // beam bottom flange
    l.fillRect({62, 82, 70, 158}, kSteel);      // beam web (section)
    for (int y : {95, 120, 145}) {
        l.ellipse({44, y - 5, 68, y + 5}, kBolt, std::nullopt);
    }
    l.line({50, 22}, {62, 22}, kDim);
    label(l, {30, 6, 90, 20}, "tp");
    l.line({80, 30}, {80, 70}, kDim);
    label(l, {84, 42, 120, 58}, "et");
    l.line({80, 170}, {80, 210}, kDim);
    label(l, {84, 182, 120, 198}, "eb");
    l.line({230, 70}, {230, 170}, kDim);
    label(l, {196, 112, 230, 128}, "hb");
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

// A dimension line with its label beside it.
void dimension(DisplayList& l, POINT a, POINT b, RECT at, const char* text) {
    l.line(a, b, kDim);
    label(l, at, text);
}

// A double-angle cleat: two angles bolted to the column flange and through the beam web.
DisplayList cleat() {
    DisplayList l;
    l.fillRect({10, 10, 40, 230}, kSteel);    // column flange
    l.fillRect({40, 70, 52, 170}, kPlate);    // angle leg on the column
    l.fillRect({52, 70, 120, 82}, kPlate);    // outstanding leg, seen from above
    l.fillRect({60, 60, 230, 70}, kSteel);    // beam top flange
    l.fillRect({60, 170, 230, 180}, kSteel);  // beam bottom flange
    for (int y : {95, 125, 155}) {
        l.ellipse({28, y - 5, 38, y + 5}, kBolt, std::nullopt);
        l.ellipse({82, y - 6, 94, y + 6}, kBolt, std::nullopt);
    }
    dimension(l, {130, 70}, {130, 170}, {132, 112, 170, 128}, "la");
    return l;
}

// A rafter on a column with a haunch welded under it and an extended end plate.
DisplayList haunch() {
    DisplayList l;
    l.fillRect({20, 10, 50, 240}, kSteel);                                  // column flange
    l.fillRect({50, 30, 62, 220}, kPlate);                                  // end plate
    l.polygon({{62, 60}, {230, 30}, {230, 44}, {62, 74}}, kSteel);          // rafter top flange
    l.polygon({{62, 120}, {230, 90}, {230, 102}, {62, 132}}, kSteel);       // rafter bottom flange
    l.polygon({{62, 132}, {62, 206}, {170, 112}}, kSteel);                  // haunch
    for (int y : {45, 90, 150, 195}) l.ellipse({44, y - 5, 68, y + 5}, kBolt, std::nullopt);
    dimension(l, {80, 132}, {80, 190}, {84, 150, 120, 166}, "hh");
    return l;
}

// The ridge of a portal frame: two rafters meeting at an apex with end plates bolted together.
DisplayList apex() {
    DisplayList l;
    l.polygon({{10, 150}, {114, 60}, {114, 80}, {10, 170}}, kSteel);   // left rafter
    l.polygon({{126, 60}, {230, 150}, {230, 170}, {126, 80}}, kSteel); // right rafter
    l.fillRect({114, 50, 126, 150}, kPlate);                           // the two end plates
    for (int y : {65, 95, 130}) l.ellipse({110, y - 5, 130, y + 5}, kBolt, std::nullopt);
    dimension(l, {140, 50}, {140, 150}, {144, 92, 180, 108}, "hp");
    return l;
}

// A column with full-depth stiffeners opposite a beam's flanges.
DisplayList stiffener() {
    DisplayList l;
    l.fillRect({60, 10, 72, 230}, kSteel);    // column flange
    l.fillRect({168, 10, 180, 230}, kSteel);  // column flange
    l.fillRect({116, 10, 124, 230}, kSteel);  // column web
    l.fillRect({72, 72, 168, 84}, kPlate);    // top stiffener
    l.fillRect({72, 156, 168, 168}, kPlate);  // bottom stiffener
    l.fillRect({180, 72, 236, 84}, kSteel);   // beam flanges arriving
    l.fillRect({180, 156, 236, 168}, kSteel);
    dimension(l, {40, 72}, {40, 84}, {8, 70, 38, 86}, "ts");
    return l;
}

// The picture of a cut type: the two parts drawn as the cut leaves them.
DisplayList cutPicture(int type) {
    DisplayList l;
    switch (type) {
    case 1:  // a profile cut against a plate
        l.fillRect({30, 2, 36, 26}, kPlate);
        l.fillRect({2, 8, 30, 20}, kSteel);
        break;
    case 2:  // against another profile
        l.fillRect({30, 2, 44, 26}, kSteel);
        l.fillRect({2, 9, 30, 19}, RGB(110, 130, 160));
        break;
    case 3:  // a profile inside a profile
        l.fillRect({6, 4, 50, 24}, kSteel);
        l.fillRect({14, 9, 42, 19}, RGB(255, 255, 255));
        break;
    case 4:  // three segments
        l.polygon({{2, 8}, {24, 8}, {34, 2}, {54, 2}, {54, 14}, {34, 14}, {24, 20}, {2, 20}}, kSteel);
        break;
    case 5:  // chamfer
        l.polygon({{4, 4}, {40, 4}, {52, 16}, {52, 24}, {4, 24}}, kPlate);
        break;
    default:  // fillet
        l.fillRect({4, 4, 38, 24}, kPlate);
        l.fillRect({38, 12, 52, 24}, kPlate);
        l.ellipse({28, 4, 52, 28}, kPlate, std::nullopt);
        break;
    }
    return l;
}

// The bolt group of an end plate: rows and columns with edge distance, pitch and gauge.
DisplayList endPlateBolts() {
    DisplayList l;
    l.fillRect({60, 20, 180, 220}, kPlate);
    for (int y : {60, 120, 180})
        for (int x : {90, 150}) l.ellipse({x - 7, y - 7, x + 7, y + 7}, kBolt, std::nullopt);
    dimension(l, {190, 20}, {190, 60}, {192, 32, 236, 48}, "e1");
    dimension(l, {190, 60}, {190, 120}, {192, 82, 236, 98}, "p");
    dimension(l, {90, 200}, {150, 200}, {100, 202, 140, 218}, "g");
    return l;
}

// A column on a base plate with four anchors into the foundation.
DisplayList basePlate() {
    DisplayList l;
    l.fillRect({0, 170, 240, 240}, RGB(200, 200, 200));  // foundation
    l.fillRect({30, 150, 210, 170}, kPlate);             // base plate
    l.fillRect({95, 10, 145, 150}, kSteel);              // column
    for (int x : {50, 190}) l.fillRect({x - 3, 140, x + 3, 230}, kBolt);
    dimension(l, {215, 150}, {215, 170}, {217, 150, 240, 166}, "tp");
    dimension(l, {30, 180}, {210, 180}, {100, 182, 140, 198}, "bp");
    label(l, {60, 205, 180, 221}, "grout");
    return l;
}

// A fin plate welded to a column, bolted to the beam web.
DisplayList finPlate() {
    DisplayList l;
    l.fillRect({10, 10, 40, 230}, kSteel);   // column flange
    l.fillRect({40, 70, 120, 170}, kPlate);  // fin plate
    l.fillRect({60, 60, 230, 70}, kSteel);   // beam top flange
    l.fillRect({60, 170, 230, 180}, kSteel); // beam bottom flange
    for (int y : {90, 120, 150}) l.ellipse({83, y - 6, 95, y + 6}, kBolt, std::nullopt);
    dimension(l, {40, 190}, {120, 190}, {60, 192, 100, 208}, "lp");
    dimension(l, {130, 70}, {130, 170}, {132, 112, 160, 128}, "hp");
    return l;
}

// Two beams spliced with flange and web cover plates.
DisplayList beamSplice() {
    DisplayList l;
    l.fillRect({10, 80, 115, 92}, kSteel);
    l.fillRect({125, 80, 230, 92}, kSteel);
    l.fillRect({10, 148, 115, 160}, kSteel);
    l.fillRect({125, 148, 230, 160}, kSteel);
    l.fillRect({60, 68, 180, 80}, kPlate);    // top flange plate
    l.fillRect({60, 160, 180, 172}, kPlate);  // bottom flange plate
    l.fillRect({80, 96, 160, 144}, kPlate);   // web plate
    for (int x : {75, 95, 145, 165}) l.ellipse({x - 5, 69, x + 5, 79}, kBolt, std::nullopt);
    dimension(l, {60, 55}, {180, 55}, {100, 38, 140, 54}, "lf");
    dimension(l, {190, 68}, {190, 80}, {192, 64, 236, 80}, "tf");
    return l;
}

// The thumbnail of one end-plate variant.
DisplayList variant(int extension, bool haunch) {
    DisplayList l;
    l.fillRect({10, 10, 22, 110}, kSteel);
    l.fillRect({22, 35 - extension, 30, 85 + extension}, kPlate);
    l.fillRect({30, 40, 110, 46}, kSteel);
    l.fillRect({30, 74, 110, 80}, kSteel);
    if (haunch) l.polygon({{30, 80}, {30, 100}, {70, 80}}, kSteel);
    return l;
}

// A bolt through two plates, seen from the side: head, washer under the head, the plates with the hole's
// clearance, washer and nut; the length the bolt stands out beyond the nut. The bolt-advanced dialog shows
// it (icons\DrawBolt2.bmp) on the transparent light grey of its button.
DisplayList boltAssembly() {
    DisplayList l;
    constexpr COLORREF kWasher = RGB(120, 120, 120);
    l.fillRect({20, 70, 180, 92}, kPlate);                 // first plate
    l.fillRect({20, 94, 180, 116}, kPlate);                // second plate
    l.fillRect({86, 70, 114, 116}, RGB(255, 255, 255));    // the hole, 2 mm larger
    l.fillRect({90, 30, 110, 160}, kBolt);                 // shank
    l.fillRect({70, 40, 130, 60}, kBolt);                  // head
    l.fillRect({74, 62, 126, 68}, kWasher);                // washer 1
    l.fillRect({74, 118, 126, 124}, kWasher);              // washer 2
    l.fillRect({70, 126, 130, 146}, kBolt);                // nut
    // Dark labels: the light grey around them is the button's face.
    auto dark = [&l](RECT r, const char* text) {
        vtl::gfx::TextStyle s;
        s.colour = RGB(30, 30, 30);
        s.format = DT_CENTER | DT_SINGLELINE | DT_VCENTER;
        l.text(r, text, s);
    };
    dark({136, 40, 196, 60}, "head");
    dark({136, 126, 196, 146}, "nut");
    l.line({60, 70}, {60, 116}, kBolt);
    dark({2, 84, 58, 102}, "grip");
    l.line({140, 146}, {140, 166}, kBolt);
    dark({110, 166, 196, 184}, "added length");
    return l;
}

// The pictures of the macro tabs leave their right half free for the designed controls.
constexpr int kDesignWidth = 480;
constexpr int kDesignHeight = 250;

bool write(const fs::path& file, const DisplayList& l, int width = kDesignWidth, int height = kDesignHeight,
           COLORREF background = RGB(255, 255, 255)) {
    fs::create_directories(file.parent_path());
    const vtl::gfx::Image image = vtl::gfx::render(l, width, height, background);
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
    const fs::path images = library / "Images" / "End plates";
    bool ok = write(designs / "EndPlate.bmp", endPlate()) && write(designs / "Bracings" / "Gusset.bmp", gusset());
    ok = ok && write(designs / "EndPlateBolts.bmp", endPlateBolts()) && write(designs / "BasePlate.bmp", basePlate());
    ok = ok && write(designs / "FinPlate.bmp", finPlate()) && write(designs / "BeamSplice.bmp", beamSplice());
    ok = ok && write(images / "Flush.bmp", variant(0, false), 120, 120) &&
         write(images / "Extended.bmp", variant(20, false), 120, 120) && write(images / "Haunched.bmp", variant(0, true), 120, 120);
    ok = ok && write(library / "icons" / "DrawBolt2.bmp", boltAssembly(), 200, 190, RGB(192, 192, 192));
    // The connection macros of the library, a thumbnail beside each macro drawing.
    const fs::path beams = library / "Macros" / "Beam connections";
    const fs::path columns = library / "Macros" / "Column and bracing connections";
    ok = ok && write(beams / "FinPlate.bmp", finPlate(), 240, 240) && write(beams / "Cleat.bmp", cleat(), 240, 240) &&
         write(beams / "EndPlate.bmp", endPlate(), 240, 240) && write(beams / "BeamSplice.bmp", beamSplice(), 240, 240) &&
         write(beams / "Haunch.bmp", haunch(), 240, 240) && write(beams / "Apex.bmp", apex(), 240, 240);
    ok = ok && write(columns / "BasePlate.bmp", basePlate(), 240, 240) &&
         write(columns / "ColumnStiffener.bmp", stiffener(), 240, 240) && write(columns / "BracingGusset.bmp", gusset(), 240, 240);
    // The pictures of the six cut types.
    const char* cutNames[] = {"CutProfvsPlate", "CutProfvsProf", "CutProfinProf", "CutProfvsProf3Segments", "CutChamfer", "CutFillet"};
    for (int type = 1; type <= 6; ++type)
        ok = ok && write(library / "icons" / (std::string(cutNames[type - 1]) + ".bmp"), cutPicture(type), 56, 28);
    return ok ? 0 : 1;
}
