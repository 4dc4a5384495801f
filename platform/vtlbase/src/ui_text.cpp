#include "vtlbase/ui_text.h"

#include <string>

#include "languages.h"
#include "string_tables.h"

namespace {
Vtl_String lookUp(vtl::base::strings::Table table, int number, const char* placeholder) {
    using vtl::base::strings::find;
    const std::string* text = find(table, vtl::base::languages::currentCode(), number);
    if (!text || text->empty()) text = find(table, "en", number);
    if (text && !text->empty()) return Vtl_String(*text);
    return Vtl_String(placeholder) + Vtl_String(number) + ">";
}
}  // namespace

Vtl_String dialString(int number) { return lookUp(vtl::base::strings::Table::Main, number, "<UI "); }

Vtl_String string(int number) { return lookUp(vtl::base::strings::Table::Second, number, "<UI2 "); }
