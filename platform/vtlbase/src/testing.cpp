#include "vtlbase/testing.h"

#include "dialog_store.h"
#include "languages.h"
#include "settings_state.h"
#include "string_tables.h"

namespace vtl::base::testing {

void reset() {
    languages::reset();
    settings::reset();
    dialogs::reset();
}

std::vector<std::string> stringTableProblems() { return strings::problems(); }

}  // namespace vtl::base::testing
