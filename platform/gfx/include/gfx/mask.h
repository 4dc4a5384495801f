#pragma once
// Transparency by colour: the pixels of one colour (white 0xFFFFFF, light grey 0xC0C0C0 or magenta
// 0xFF00FF in this system's pictures) are not drawn.
#include <cstdint>
#include <vector>

#include "gfx/color.h"
#include "gfx/export.h"
#include "gfx/image.h"

namespace vtl::gfx {

inline constexpr COLORREF kTransparentWhite = RGB(255, 255, 255);
inline constexpr COLORREF kTransparentLightGrey = RGB(192, 192, 192);
inline constexpr COLORREF kTransparentMagenta = RGB(255, 0, 255);

// One bit per pixel, set where the pixel is transparent (the platform's monochrome AND mask).
class VTLGFX_API Mask {
public:
    Mask() = default;
    Mask(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    bool transparent(int x, int y) const { return bits_[index(x, y)] != 0; }
    void setTransparent(int x, int y, bool on) { bits_[index(x, y)] = on ? 1 : 0; }
    int transparentCount() const;

private:
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
    }
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> bits_;
};

// Marks every pixel whose colour is exactly `colour` (alpha ignored), and every fully transparent pixel.
VTLGFX_API Mask colourMask(const Image& image, COLORREF colour);
// Makes the masked pixels transparent black (so drawing the image adds nothing there). Sizes must match.
VTLGFX_API void applyMask(Image& image, const Mask& mask);
// The image with every pixel of `colour` made transparent.
VTLGFX_API Image withTransparentColour(Image image, COLORREF colour);

}  // namespace vtl::gfx
