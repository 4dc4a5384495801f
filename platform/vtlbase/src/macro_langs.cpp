#include "vtlbase/macro_langs.h"

#include <array>
#include <string>
#include <string_view>

#include "languages.h"
#include "string_tables.h"

Vtl_MacroLangs gMacroLangs;

namespace vtl::base::languages {
namespace {
struct Language {
    const char* name;
    const char* code;
};
constexpr std::array<Language, 4> kLanguages = {{{"Dutch", "nl"}, {"English", "en"}, {"French", "fr"}, {"German", "de"}}};
constexpr std::size_t kEnglish = 1;

std::size_t& current() {
    static std::size_t index = kEnglish;
    return index;
}
}  // namespace

const std::string& currentCode() {
    static const std::array<std::string, 4> codes = {kLanguages[0].code, kLanguages[1].code, kLanguages[2].code,
                                                     kLanguages[3].code};
    return codes[current()];
}

void reset() { current() = kEnglish; }

bool select(const Vtl_String& name) {
    for (std::size_t i = 0; i < kLanguages.size(); ++i) {
        if (name.equal(kLanguages[i].name, false)) {
            current() = i;
            return true;
        }
    }
    return false;
}

const char* currentName() { return kLanguages[current()].name; }
void allLanguages(Vtl_StringArray& names) {
    names.setLogicalLength(0);
    for (const auto& l : kLanguages) names.append(l.name);
}

}  // namespace vtl::base::languages

namespace {
using vtl::base::strings::findMacro;

const std::string* translate(const std::string& category, const std::string& key) {
    const std::string& code = vtl::base::languages::currentCode();
    const auto inLanguages = [&](const std::string& c) -> const std::string* {
        if (const std::string* t = findMacro(code, c, key)) return t;
        return findMacro("en", c, key);
    };
    if (const std::string* t = inLanguages(category)) return t;
    return category.empty() ? nullptr : inLanguages(std::string());
}

bool isSymbol(char32_t c, const Vtl_String& symbols) {
    if (c == ' ' || c == '\t') return true;
    if (std::u32string_view(U":;,.()[]&*").find(c) != std::u32string_view::npos) return true;
    for (int i = 0; i < symbols.length(); ++i) {
        if (symbols.charAt(i) == c) return true;
    }
    return false;
}
}  // namespace

Vtl_String Vtl_MacroLangs::GetString(const Vtl_String& key, const Vtl_String& category) const {
    const std::string* t = translate(category.str(), key.str());
    return t ? Vtl_String(*t) : key;
}

Vtl_String Vtl_MacroLangs::GetStringChopSymbols(const Vtl_String& category, const Vtl_String& text, bool keepSymbols,
                                                const Vtl_String& symbols) const {
    const int n = text.length();
    int first = 0;
    while (first < n && isSymbol(text.charAt(first), symbols)) ++first;
    if (first == n) return text;
    int last = n;
    while (last > first && isSymbol(text.charAt(last - 1), symbols)) --last;
    const Vtl_String core = text.getSubStringAt(first, last - first);
    const Vtl_String translated = GetString(core, category);
    if (!keepSymbols) return translated;
    return text.getSubStringAt(0, first) + translated + text.getSubStringAt(last);
}

Vtl_String Vtl_MacroLangs::GetCurLanguage() const { return vtl::base::languages::currentName(); }

void Vtl_MacroLangs::GetAllLanguages(Vtl_StringArray& names) const { vtl::base::languages::allLanguages(names); }

bool Vtl_MacroLangs::SetCurLanguage(const Vtl_String& name) { return vtl::base::languages::select(name); }

Vtl_String Vtl_MacroLangs::GetLanguageName(const Vtl_String& name) const { return GetString(name, "Language"); }
