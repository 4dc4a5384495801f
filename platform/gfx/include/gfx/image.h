#pragma once
// A picture in memory: width x height pixels of straight (not premultiplied) 8-bit RGBA, rows top to bottom.
#include <cstdint>
#include <span>
#include <vector>

#include "gfx/color.h"
#include "gfx/export.h"

namespace vtl::gfx {

struct Rgba {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 255;

    static constexpr Rgba of(COLORREF c, std::uint8_t alpha = 255) {
        return {GetRValue(c), GetGValue(c), GetBValue(c), alpha};
    }
    constexpr COLORREF colour() const { return RGB(r, g, b); }
    friend constexpr bool operator==(const Rgba&, const Rgba&) = default;
};

inline constexpr Rgba kTransparent{0, 0, 0, 0};

// Limits every decoder and the image constructor enforce, so a file's header never decides alone how much
// memory is taken.
inline constexpr int kMaxImageSide = 32768;
inline constexpr std::int64_t kMaxImagePixels = std::int64_t{1} << 26;

class VTLGFX_API Image {
public:
    Image() = default;
    // Throws ImageError when a side is negative or the size exceeds the limits above.
    Image(int width, int height, Rgba fill = kTransparent);

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return width_ == 0 || height_ == 0; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    // Unchecked access; the caller keeps (x, y) inside the image.
    Rgba& at(int x, int y) { return pixels_[index(x, y)]; }
    const Rgba& at(int x, int y) const { return pixels_[index(x, y)]; }
    // Checked access: outside the image reads as transparent and writes are ignored.
    Rgba pixel(int x, int y) const { return contains(x, y) ? at(x, y) : kTransparent; }
    void setPixel(int x, int y, Rgba p) {
        if (contains(x, y)) at(x, y) = p;
    }
    void fill(Rgba p);

    std::span<Rgba> pixels() { return pixels_; }
    std::span<const Rgba> pixels() const { return pixels_; }
    std::span<Rgba> row(int y) { return std::span<Rgba>(pixels_).subspan(index(0, y), width_); }
    std::span<const Rgba> row(int y) const { return std::span<const Rgba>(pixels_).subspan(index(0, y), width_); }

    friend bool operator==(const Image&, const Image&) = default;

private:
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
    }

    int width_ = 0;
    int height_ = 0;
    std::vector<Rgba> pixels_;
};

}  // namespace vtl::gfx
