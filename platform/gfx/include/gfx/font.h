#pragma once
// Logical fonts by handle. A font is a description (face, height, weight, ...); text is measured against it
// by the text metrics of this library.
#include <optional>
#include <string>

#include "gfx/export.h"
#include "gfx/handles.h"
#include "gfx/testing.h"  // testing::reset(), which the shared test fixture reaches through this header

constexpr int FW_DONTCARE = 0;
constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;
constexpr unsigned char DEFAULT_CHARSET = 1;
constexpr unsigned char OUT_CHARACTER_PRECIS = 2;
constexpr unsigned char CLIP_CHARACTER_PRECIS = 1;
constexpr unsigned char DEFAULT_QUALITY = 0;
constexpr unsigned char DEFAULT_PITCH = 0;

struct LOGFONT {
    int lfHeight = 0;  // pixels: negative is the character (em) height, positive the cell height
    int lfWidth = 0;
    int lfEscapement = 0;
    int lfOrientation = 0;
    int lfWeight = FW_NORMAL;
    bool lfItalic = false;
    bool lfUnderline = false;
    bool lfStrikeOut = false;
    unsigned char lfCharSet = DEFAULT_CHARSET;
    unsigned char lfOutPrecision = 0;
    unsigned char lfClipPrecision = 0;
    unsigned char lfQuality = DEFAULT_QUALITY;
    unsigned char lfPitchAndFamily = DEFAULT_PITCH;
    std::string lfFaceName;
    friend bool operator==(const LOGFONT&, const LOGFONT&) = default;
};

VTLGFX_API HFONT CreateFontIndirect(const LOGFONT& lf);
VTLGFX_API HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, bool italic,
                            bool underline, bool strikeOut, unsigned char charSet, unsigned char outPrecision,
                            unsigned char clipPrecision, unsigned char quality, unsigned char pitchAndFamily,
                            const char* faceName);
// Releases a font; false for a handle that is not a live font.
VTLGFX_API bool DeleteObject(HFONT font);

namespace vtl::gfx {
// The description of a live font, or nothing for a deleted or unknown handle.
VTLGFX_API std::optional<LOGFONT> fontDescription(HFONT font);
// The font dialogs use when their template names none ("MS Shell Dlg", 8 points = 11 pixels).
VTLGFX_API HFONT defaultGuiFont();
VTLGFX_API int liveFontCount();
}  // namespace vtl::gfx
