#pragma once
// What the test fixture resets of vtlbase, and checks of its compiled tables.
#include <string>
#include <vector>

#include "vtlbase/export.h"

namespace vtl::base::testing {
// English as the current language, no library folder set by the host, the dialog settings file following
// the environment again, the in-memory dialog records forgotten, and an empty drawing and journal.
VTLBASE_API void reset();
// Problems found while reading the compiled language tables (a malformed line, a number given twice).
VTLBASE_API std::vector<std::string> stringTableProblems();
}  // namespace vtl::base::testing
