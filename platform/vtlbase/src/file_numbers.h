#pragma once
// Numbers in the add-on's record files: written in the shortest fixed-point form that reads back as the
// same double ("50", "12.5", "-1200"), with '.' whatever the locale and never with an exponent, so the
// readers' decimal parsing takes them back exactly.
#include <optional>
#include <string>

#include "vtlbase/vtl_string.h"

namespace vtl::base {
// Infinities and NaN are written as 0.
std::string fileNumber(double value);
// A whole cell that is a decimal number; nothing for any other text.
std::optional<double> fileNumberValue(const Vtl_String& cell);
// A whole cell that is a whole number from `low` to `high`; nothing otherwise.
std::optional<int> fileInteger(const Vtl_String& cell, int low, int high);
// "0" or "1".
std::optional<bool> fileFlag(const Vtl_String& cell);
}  // namespace vtl::base
