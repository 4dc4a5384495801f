#include "gfx/font.h"

#include <unordered_map>

#include "handle_table.h"

namespace {
struct FontTable {
    std::unordered_map<int, LOGFONT> fonts;
    int nextHandle = 1;
    HFONT guiFont;
};

FontTable& table() {
    static FontTable t;
    return t;
}
}  // namespace

HFONT CreateFontIndirect(const LOGFONT& lf) {
    auto& t = table();
    const int h = t.nextHandle++;
    t.fonts.emplace(h, lf);
    return HFONT(h);
}

HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, bool italic, bool underline,
                 bool strikeOut, unsigned char charSet, unsigned char outPrecision, unsigned char clipPrecision,
                 unsigned char quality, unsigned char pitchAndFamily, const char* faceName) {
    LOGFONT lf;
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfOrientation = orientation;
    lf.lfWeight = weight;
    lf.lfItalic = italic;
    lf.lfUnderline = underline;
    lf.lfStrikeOut = strikeOut;
    lf.lfCharSet = charSet;
    lf.lfOutPrecision = outPrecision;
    lf.lfClipPrecision = clipPrecision;
    lf.lfQuality = quality;
    lf.lfPitchAndFamily = pitchAndFamily;
    lf.lfFaceName = faceName ? faceName : "";
    return CreateFontIndirect(lf);
}

bool DeleteObject(HFONT font) {
    auto& t = table();
    if (font == t.guiFont) return false;  // a stock object is never deleted
    return t.fonts.erase(font.value()) == 1;
}

namespace vtl::gfx {
std::optional<LOGFONT> fontDescription(HFONT font) {
    auto& t = table();
    if (font == HFONT()) font = defaultGuiFont();
    auto it = t.fonts.find(font.value());
    if (it == t.fonts.end()) return std::nullopt;
    return it->second;
}

HFONT defaultGuiFont() {
    auto& t = table();
    if (!t.guiFont) {
        LOGFONT lf;
        lf.lfHeight = -11;
        lf.lfFaceName = "MS Shell Dlg";
        t.guiFont = CreateFontIndirect(lf);
    }
    return t.guiFont;
}

int liveFontCount() { return static_cast<int>(table().fonts.size()); }

namespace detail {
void resetFonts() {
    auto& t = table();
    const HFONT gui = defaultGuiFont();
    const LOGFONT keep = t.fonts.at(gui.value());
    t.fonts.clear();
    t.fonts.emplace(gui.value(), keep);
}
}  // namespace detail
}  // namespace vtl::gfx
