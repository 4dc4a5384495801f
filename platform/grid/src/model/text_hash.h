#pragma once
// A hash for maps keyed by std::string that are looked up by std::string_view without making a string.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace vtl::grid {

struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const noexcept { return std::hash<std::string_view>{}(text); }
};

}  // namespace vtl::grid
