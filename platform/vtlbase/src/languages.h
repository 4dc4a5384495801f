#pragma once
// The current language (private): its name and the code of its tables. Reached through gMacroLangs.
#include <string>

#include "vtlbase/vtl_string.h"
#include "vtlbase/vtl_string_array.h"

namespace vtl::base::languages {

const char* currentName();
// "en", "nl", "fr" or "de".
const std::string& currentCode();
// Makes the language of that name current (without regard to case); false for an unknown name.
bool select(const Vtl_String& name);
void allLanguages(Vtl_StringArray& names);
// English again.
void reset();

}  // namespace vtl::base::languages
