#pragma once
// The one error every image reader and writer throws: a truncated, malformed, unsupported or oversized
// picture, with a message a person can act on.
#include <stdexcept>
#include <string>

#include "gfx/export.h"

namespace vtl::gfx {

class VTLGFX_API ImageError : public std::runtime_error {
public:
    explicit ImageError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace vtl::gfx
