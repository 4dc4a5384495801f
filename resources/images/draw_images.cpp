// Draws the module's numbered bitmaps and icons and writes them beside this file:
//   <number>.bmp  24 bits, light grey (0xC0C0C0) background, the colour picture buttons leave transparent
//   <number>.ico  16 x 16 and 32 x 32 images with a transparent background
// Usage: vtl_draw_images <output folder>
//
// Pictures are pixel art on a 16-pixel grid, one character per pixel (see colour()); '.' is background.
// The 32-pixel icon images are the 16-pixel ones doubled.
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "gfx/bmp.h"
#include "gfx/display_list.h"
#include "gfx/ico.h"
#include "gfx/image.h"
#include "gfx/rasterise.h"

namespace {

using vtl::gfx::DisplayList;
using vtl::gfx::Image;
using vtl::gfx::Rgba;
using Art = std::vector<std::string_view>;

constexpr COLORREF kBitmapBackground = RGB(192, 192, 192);

Rgba colour(char c) {
    switch (c) {
        case 'K':
            return Rgba::of(RGB(0, 0, 0));
        case 'D':
            return Rgba::of(RGB(128, 128, 128));
        case 'G':
            return Rgba::of(RGB(168, 168, 168));
        case 'L':
            return Rgba::of(RGB(212, 208, 200));  // dialog face (never the transparent grey)
        case 'W':
            return Rgba::of(RGB(255, 255, 255));
        case 'r':
            return Rgba::of(RGB(128, 0, 0));
        case 'R':
            return Rgba::of(RGB(224, 32, 32));
        case 'p':
            return Rgba::of(RGB(255, 128, 128));
        case 'g':
            return Rgba::of(RGB(0, 96, 0));
        case 'N':
            return Rgba::of(RGB(32, 168, 32));
        case 'b':
            return Rgba::of(RGB(0, 0, 128));
        case 'B':
            return Rgba::of(RGB(32, 80, 176));
        case 'c':
            return Rgba::of(RGB(168, 200, 240));
        case 'S':
            return Rgba::of(RGB(136, 192, 248));  // sky
        case 'y':
            return Rgba::of(RGB(160, 112, 0));
        case 'Y':
            return Rgba::of(RGB(232, 192, 80));
        case 'w':
            return Rgba::of(RGB(255, 232, 144));
        case 'M':
            return Rgba::of(RGB(128, 64, 0));
        case 'm':
            return Rgba::of(RGB(192, 128, 64));
        case '.':
            return vtl::gfx::kTransparent;
        default:
            throw std::runtime_error(std::string("unknown colour character '") + c + "'");
    }
}

// Draws the art with its top-left at (x, y); '.' leaves the pixel below.
void overlay(Image& image, const Art& art, int x, int y) {
    for (std::size_t row = 0; row < art.size(); ++row) {
        if (art[row].size() != art[0].size()) throw std::runtime_error("art rows differ in length");
        for (std::size_t col = 0; col < art[row].size(); ++col) {
            if (art[row][col] != '.')
                image.setPixel(x + static_cast<int>(col), y + static_cast<int>(row), colour(art[row][col]));
        }
    }
}

Image picture(const Art& art) {
    Image image(static_cast<int>(art.at(0).size()), static_cast<int>(art.size()));
    overlay(image, art, 0, 0);
    return image;
}

// The art with some characters replaced (one drawing, several pictures).
Art substitute(const Art& art, std::vector<std::string>& storage, std::string_view from, std::string_view to) {
    storage.clear();
    for (std::string_view row : art) {
        std::string s(row);
        for (char& c : s) {
            if (const auto k = from.find(c); k != std::string_view::npos) c = to[k];
        }
        storage.push_back(std::move(s));
    }
    return Art(storage.begin(), storage.end());
}

Image doubled(const Image& image) {
    Image out(image.width() * 2, image.height() * 2);
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) out.at(x, y) = image.at(x / 2, y / 2);
    }
    return out;
}

Image onBackground(Image image, COLORREF background) {
    for (Rgba& p : image.pixels()) {
        if (p.a == 0) p = Rgba::of(background);
    }
    return image;
}

// ---- pictures -------------------------------------------------------------------------------------------
// clang-format off

const Art kCheckBoxTicked = {
    "DDDDDDDDDDDDW",
    "DKKKKKKKKKKLW",
    "DKWWWWWWWWWLW",
    "DKWWWWWWWKWLW",
    "DKWWWWWWKKWLW",
    "DKWKWWWKKKWLW",
    "DKWKKWKKKWWLW",
    "DKWKKKKKWWWLW",
    "DKWWKKKWWWWLW",
    "DKWWWKWWWWWLW",
    "DKWWWWWWWWWLW",
    "DLLLLLLLLLLLW",
    "WWWWWWWWWWWWW",
};

const Art kCheckBoxEmpty = {
    "DDDDDDDDDDDDW",
    "DKKKKKKKKKKLW",
    "DKWWWWWWWWWLW",
    "DKWWWWWWWWWLW",
    "DKWWWWWWWWWLW",
    "DKWWWWWWWWWLW",
    "DKWWWWWWWWWLW",
    "DKWWWWWWWWWLW",
    "DKWWWWWWWWWLW",
    "DKWWWWWWWWWLW",
    "DKWWWWWWWWWLW",
    "DLLLLLLLLLLLW",
    "WWWWWWWWWWWWW",
};

// A dialog being designed: a control selected, its tracker handles around it.
const Art kDesigner = {
    "................",
    "DDDDDDDDDDDDDDDD",
    "DBBBBBBBBBBBWWBD",
    "DBBBBBBBBBBBWWBD",
    "DLLLLLLLLLLLLLLD",
    "DLKKLLLKKLLLKKLD",
    "DLKKLLLKKLLLKKLD",
    "DLLLDDDDDDDDLLLD",
    "DLKKDWWWWWWDKKLD",
    "DLKKDWWWWWWDKKLD",
    "DLLLDDDDDDDDLLLD",
    "DLKKLLLKKLLLKKLD",
    "DLKKLLLKKLLLKKLD",
    "DLLLLLLLLLLLLLLD",
    "DDDDDDDDDDDDDDDD",
    "................",
};

const Art kRedCross = {
    "................",
    ".rrr........rrr.",
    ".rRRr......rRRr.",
    ".rRRRr....rRRRr.",
    "..rRRRr..rRRRr..",
    "...rRRRrrRRRr...",
    "....rRRRRRRr....",
    ".....rRRRRr.....",
    ".....rRRRRr.....",
    "....rRRRRRRr....",
    "...rRRRrrRRRr...",
    "..rRRRr..rRRRr..",
    ".rRRRr....rRRRr.",
    ".rRRr......rRRr.",
    ".rrr........rrr.",
    "................",
};

const Art kPlus = {
    "................",
    "................",
    "......gggg......",
    "......gNNg......",
    "......gNNg......",
    "......gNNg......",
    "..gggggNNggggg..",
    "..gNNNNNNNNNNg..",
    "..gNNNNNNNNNNg..",
    "..gggggNNggggg..",
    "......gNNg......",
    "......gNNg......",
    "......gNNg......",
    "......gggg......",
    "................",
    "................",
};

// The pointer picking a beam in the drawing.
const Art kPick = {
    "................",
    "bbbbbbbbbbbbbbbb",
    "BBBBBBBBBBBBBBBB",
    "bbbbbKbbbbbbbbbb",
    "cccccKKccccccccc",
    "cccccKWKcccccccc",
    "bbbbbKWWKbbbbbbb",
    "BBBBBKWWWKBBBBBB",
    "bbbbbKWWWWKbbbbb",
    ".....KWWWWWK....",
    ".....KWWWKKKK...",
    ".....KWKWWK.....",
    ".....KK.KWWK....",
    ".....K...KWWK...",
    "..........KK....",
    "................",
};

// A box seen along one axis: F front, T top, S side faces, coloured per view.
const Art kBox = {
    "................",
    ".....KKKKKKKKKK.",
    "....KTTTTTTTTKK.",
    "...KTTTTTTTTKSK.",
    "..KTTTTTTTTKSSK.",
    ".KKKKKKKKKKSSSK.",
    ".KFFFFFFFFKSSSK.",
    ".KFFFFFFFFKSSSK.",
    ".KFFFFFFFFKSSSK.",
    ".KFFFFFFFFKSSSK.",
    ".KFFFFFFFFKSSSK.",
    ".KFFFFFFFFKSSK..",
    ".KFFFFFFFFKSK...",
    ".KFFFFFFFFKK....",
    ".KKKKKKKKKK.....",
    "................",
};

const Art kCopy = {
    "................",
    ".KKKKKKKK.......",
    ".KWWWWWWK.......",
    ".KWDDDDWK.......",
    ".KWWWWWWK.......",
    ".KWDDDKKKKKKKKK.",
    ".KWWWWKWWWWWWWK.",
    ".KWDDDKWDDDDDWK.",
    ".KWWWWKWWWWWWWK.",
    ".KWDDDKWDDDDDWK.",
    ".KKKKKKWWWWWWWK.",
    "......KWDDDDDWK.",
    "......KWWWWWWWK.",
    "......KWDDDDWWK.",
    "......KKKKKKKKK.",
    "................",
};

const Art kPaste = {
    "................",
    "....KKKKK.......",
    ".MMMKGGGKMMM....",
    ".MmmKKKKKmmM....",
    ".MmmmmmmmmmM....",
    ".MmmmmmmmmmM....",
    ".MmmmmKKKKKKKKK.",
    ".MmmmmKWWWWWWWK.",
    ".MmmmmKWDDDDDWK.",
    ".MmmmmKWWWWWWWK.",
    ".MmmmmKWDDDDDWK.",
    ".MmmmmKWWWWWWWK.",
    ".MmmmmKWDDDDWWK.",
    ".MMMMMKWWWWWWWK.",
    "......KKKKKKKKK.",
    "................",
};

// A grid of two columns and four rows (a header row first); row 3 (H) is the one acted on.
const Art kGrid = {
    "................",
    "DDDDDDDDD.......",
    "DLLLDLLLD.......",
    "DLLLDLLLD.......",
    "DDDDDDDDD.......",
    "DWWWDWWWD.......",
    "DWWWDWWWD.......",
    "KKKKKKKKK.......",
    "KHHHHHHHK.......",
    "KHHHHHHHK.......",
    "KKKKKKKKK.......",
    "DWWWDWWWD.......",
    "DWWWDWWWD.......",
    "DDDDDDDDD.......",
    "................",
    "................",
};

const Art kPlusBadge = {
    "..ggg..",
    "..gNg..",
    "gggNggg",
    "gNNNNNg",
    "gggNggg",
    "..gNg..",
    "..ggg..",
};

const Art kCrossBadge = {
    "rr...rr",
    "rRr.rRr",
    ".rRrRr.",
    "..rRr..",
    ".rRrRr.",
    "rRr.rRr",
    "rr...rr",
};

const Art kArrowUp = {
    "...b...",
    "..bBb..",
    ".bBBBb.",
    "bBBBBBb",
    "bbbBbbb",
    "..bBb..",
    "..bBb..",
    "..bbb..",
};

const Art kArrowDown = {
    "..bbb..",
    "..bBb..",
    "..bBb..",
    "bbbBbbb",
    "bBBBBBb",
    ".bBBBb.",
    "..bBb..",
    "...b...",
};

const Art kTickBadge = {
    "......g",
    ".....gg",
    "g...ggg",
    "gg.ggg.",
    "ggggg..",
    ".ggg...",
    "..g....",
};

// A landscape picture with a paper clip: a picture attached.
const Art kBackgroundPicture = {
    "................",
    "................",
    "................",
    "KKKKKKKKKKKKKK..",
    "KSSSSSSSSSSSSK..",
    "KSSSSSSSSYYSSK..",
    "KSSSSSSSSYYSSK..",
    "KSSSSNSSSSSSSK..",
    "KSSSNNNSSSSSSK..",
    "KSSNNNNNSSSNSK..",
    "KSNNNNNNNSNNNK..",
    "KNNNNNNNNNNNNK..",
    "KggggggggggggK..",
    "KKKKKKKKKKKKKK..",
    "................",
    "................",
};

const Art kPaperClip = {
    ".DDD.",
    "D...D",
    "D.D.D",
    "D.D.D",
    "D.D.D",
    "D.D.D",
    "D.D.D",
    "D...D",
    ".DDD.",
};

const Art kOpen = {
    "................",
    "................",
    ".yyyy...........",
    "yYYYYy..........",
    "yYYYYYyyyyyyy...",
    "yYYYYYYYYYYYy...",
    "yYYYYYYYYYYYy...",
    "yYYYyyyyyyyyyyyy",
    "yYYywwwwwwwwwwwy",
    "yYywwwwwwwwwwwy.",
    "yYywwwwwwwwwwwy.",
    "yywwwwwwwwwwwy..",
    "yywwwwwwwwwwwy..",
    "yyyyyyyyyyyyy...",
    "................",
    "................",
};

const Art kSave = {
    "................",
    ".KKKKKKKKKKKKK..",
    ".KBWWWWWWWWWWBK.",
    ".KBWDDDDDDDDWBK.",
    ".KBWWWWWWWWWWBK.",
    ".KBWDDDDDDDDWBK.",
    ".KBWWWWWWWWWWBK.",
    ".KBBBBBBBBBBBBK.",
    ".KBBBBBBBBBBBBK.",
    ".KBBGGGGGGGGBBK.",
    ".KBBGGGGGbbGBBK.",
    ".KBBGGGGGbbGBBK.",
    ".KBBGGGGGbbGBBK.",
    ".KBBGGGGGGGGBBK.",
    ".KKKKKKKKKKKKKK.",
    "................",
};

const Art kZoom = {
    "................",
    "...KKKK.........",
    ".KKccccKK.......",
    ".KcWWcccK.......",
    "KcWccccccK......",
    "KcWccccccK......",
    "KccccccccK......",
    "KccccccccK......",
    ".KccccccK.......",
    ".KKccccKKK......",
    "...KKKKKMM......",
    "........MMMM....",
    ".........MMMM...",
    "..........MMMM..",
    "...........MMMM.",
    "............MMM.",
};

const Art kWidth = {
    "................",
    "................",
    "K..............K",
    "K..............K",
    "K...B......B...K",
    "K..BB......BB..K",
    "K.BBB......BBB.K",
    "KBBBBBBBBBBBBBBK",
    "KBBBBBBBBBBBBBBK",
    "K.BBB......BBB.K",
    "K..BB......BB..K",
    "K...B......B...K",
    "K..............K",
    "K..............K",
    "................",
    "................",
};

// A push pin: the button keeps its state.
const Art kPin = {
    "................",
    ".....KKKKKK.....",
    ".....KpRRRK.....",
    ".....KpRRRK.....",
    ".....KpRRRK.....",
    "....KKRRRRKK....",
    "...KpRRRRRRRK...",
    "...KKKKKKKKKK...",
    ".......KK.......",
    ".......DD.......",
    ".......DD.......",
    ".......DD.......",
    ".......DD.......",
    "........D.......",
    "........D.......",
    "................",
};

const Art kFunnel = {
    "................",
    "................",
    "KKKKKKKKKKK.....",
    "KcWWWWWWWcK.....",
    ".KcccccccK......",
    "..KcccccK.......",
    "...KcccK........",
    "....KcK.........",
    "....KcK.........",
    "....KcK.........",
    "....KcK.........",
    "....KKK.........",
    "................",
    "................",
    "................",
    "................",
};

const Art kChevronsDown = {
    "K...K",
    "KK.KK",
    ".KKK.",
    "..K..",
    "K...K",
    "KK.KK",
    ".KKK.",
    "..K..",
};

const Art kChevronsUp = {
    "..K..",
    ".KKK.",
    "KK.KK",
    "K...K",
    "..K..",
    ".KKK.",
    "KK.KK",
    "K...K",
};

const Art kClashStar = {
    "R..R..R",
    ".R.R.R.",
    "..RYR..",
    "RRYYYRR",
    "..RYR..",
    ".R.R.R.",
    "R..R..R",
};

// clang-format on

Image transposed(const Image& image) {
    Image out(image.height(), image.width());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) out.at(y, x) = image.at(x, y);
    }
    return out;
}

Image box(std::string_view facesFrontTopSide) {
    std::vector<std::string> storage;
    return picture(substitute(kBox, storage, "FTS", facesFrontTopSide));
}

Image grid(char highlight, const Art& badge, int badgeY) {
    std::vector<std::string> storage;
    Image image = picture(substitute(kGrid, storage, "H", std::string(1, highlight)));
    overlay(image, badge, 9, badgeY);
    return image;
}

// Two beams meeting, drawn as shapes, and the clash marked where they cross.
Image clash() {
    DisplayList list;
    list.fillRect({0, 6, 16, 11}, RGB(32, 80, 176));
    list.frameRect({-1, 6, 17, 11}, RGB(0, 0, 128));
    list.fillRect({6, 0, 11, 16}, RGB(32, 168, 32));
    list.frameRect({6, -1, 11, 17}, RGB(0, 96, 0));
    Image image(16, 16);
    vtl::gfx::render(list, image);
    overlay(image, kClashStar, 5, 5);
    return image;
}

Image funnel(const Art& chevrons) {
    Image image = picture(kFunnel);
    overlay(image, chevrons, 11, 4);
    return image;
}

struct Output {
    int number;
    Image image;
    bool bitmap;
    bool icon;
};

std::vector<Output> pictures() {
    Image attach = picture(kBackgroundPicture);
    overlay(attach, kPaperClip, 10, 0);
    return {
        {8134, picture(kCheckBoxTicked), true, false},
        {8136, picture(kCheckBoxEmpty), true, false},
        {148, picture(kDesigner), false, true},
        {206, picture(kRedCross), true, true},
        {212, picture(kPlus), true, true},
        {217, picture(kPick), true, true},
        // Views: 0 from the front, 1 from above, 2 from the side, 3 all three faces.
        {220, box("BWW"), true, false},
        {222, box("WBW"), true, false},
        {221, box("WWB"), true, false},
        {218, box("cWB"), true, false},
        {223, picture(kCopy), false, true},
        {224, picture(kPaste), false, true},
        {225, grid('Y', kPlusBadge, 5), false, true},
        {226, grid('Y', kCrossBadge, 5), false, true},
        {227, grid('Y', kArrowUp, 2), false, true},
        {228, grid('Y', kArrowDown, 7), false, true},
        {231, attach, false, true},
        {232, picture(kOpen), true, true},
        {233, picture(kSave), true, true},
        {234, picture(kZoom), true, true},
        {235, picture(kWidth), false, true},
        {236, transposed(picture(kWidth)), false, true},
        {237, clash(), true, false},
        {238, grid('c', kTickBadge, 5), false, true},
        {239, picture(kPin), false, true},
        {240, funnel(kChevronsDown), true, true},
        {241, funnel(kChevronsUp), true, true},
    };
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vtl_draw_images <output folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    try {
        for (const Output& o : pictures()) {
            const std::string base = folder + "/" + std::to_string(o.number);
            if (o.bitmap) vtl::gfx::writeBmpFile(base + ".bmp", onBackground(o.image, kBitmapBackground));
            if (o.icon) {
                const std::vector<std::uint8_t> ico = vtl::gfx::encodeIco({o.image, doubled(o.image)});
                std::ofstream out(base + ".ico", std::ios::binary | std::ios::trunc);
                out.write(reinterpret_cast<const char*>(ico.data()), static_cast<std::streamsize>(ico.size()));
                if (!out.flush()) throw std::runtime_error(base + ".ico: cannot write");
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vtl_draw_images: %s\n", e.what());
        return 1;
    }
    return 0;
}
