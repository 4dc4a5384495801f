#pragma once
// Handles of system objects (windows, fonts, bitmaps, ...): small positive integers that fit in an int,
// never reused, 0 meaning none.
#include <compare>
#include <cstddef>
#include <functional>

namespace vtl::gfx {
template <class Tag>
class Handle {
public:
    constexpr Handle() noexcept = default;
    constexpr Handle(std::nullptr_t) noexcept {}
    constexpr explicit Handle(int value) noexcept : value_(value) {}
    constexpr int value() const noexcept { return value_; }
    constexpr explicit operator bool() const noexcept { return value_ != 0; }
    friend constexpr bool operator==(Handle, Handle) = default;
    friend constexpr auto operator<=>(Handle, Handle) = default;

private:
    int value_ = 0;
};
}  // namespace vtl::gfx

using HFONT = vtl::gfx::Handle<struct FontTag>;
using HBITMAP = vtl::gfx::Handle<struct BitmapTag>;
using HICON = vtl::gfx::Handle<struct IconTag>;
using HBRUSH = vtl::gfx::Handle<struct BrushTag>;

template <class Tag>
struct std::hash<vtl::gfx::Handle<Tag>> {
    std::size_t operator()(vtl::gfx::Handle<Tag> h) const noexcept { return std::hash<int>()(h.value()); }
};
