#include "vtlbase/testing.h"

#include <map>

#include "dialog_store.h"
#include "languages.h"
#include "settings_state.h"
#include "string_tables.h"
#include "vtlbase/drawing/drawing_model.h"
#include "vtlbase/files/file_io.h"
#include "vtlbase/drawing/journal.h"
#include "vtlbase/macro/edit_constr_data.h"
#include "vtlbase/macro/macro_settings_data.h"

namespace vtl::base::detail {
std::map<AcDbObjectId::OldId, MacroSettingsData>& storedMacroSettings();
}

namespace vtl::base::testing {

void reset() {
    languages::reset();
    settings::reset();
    dialogs::reset();
    DrawingModel::get().reset();
    Journal::get().clear();
    EditConstrData::forgetAll();
    detail::storedMacroSettings().clear();
    Journal::get().setListener(nullptr);
    files::failFileWriteAt(-1);
}

std::vector<std::string> stringTableProblems() { return strings::problems(); }

}  // namespace vtl::base::testing
