#include "vtlbase/testing.h"

#include "dialog_store.h"
#include "languages.h"
#include "settings_state.h"
#include "string_tables.h"
#include "vtlbase/drawing/drawing_model.h"
#include "vtlbase/drawing/journal.h"

namespace vtl::base::testing {

void reset() {
    languages::reset();
    settings::reset();
    dialogs::reset();
    DrawingModel::get().reset();
    Journal::get().clear();
    Journal::get().setListener(nullptr);
}

std::vector<std::string> stringTableProblems() { return strings::problems(); }

}  // namespace vtl::base::testing
