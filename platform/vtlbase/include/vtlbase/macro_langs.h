#pragma once
// gMacroLangs: the add-on's languages. There are four, in this order: "Dutch", "English", "French",
// "German". These names head the language columns of section tables, so they never change with the
// language shown; GetLanguageName gives a name as the current language writes it ("Engels" in Dutch).
// The current language (English at start) chooses the UI text tables (dialString, string) and the macro
// texts below; French and German have no tables of their own yet and show English.
//
// Macro texts translate a key (a macro name, a label of a designed dialog, a column of a section table)
// within an optional category ("Prof" for section-table columns): the current language's entry, else the
// English one, else, with a category, the same look-ups without it, else the key itself. Keys are matched
// without regard to case.
#include "vtlbase/export.h"
#include "vtlbase/vtl_string.h"
#include "vtlbase/vtl_string_array.h"

class VTLBASE_API Vtl_MacroLangs {
public:
    Vtl_String GetString(const Vtl_String& key, const Vtl_String& category = Vtl_String()) const;
    // Translates a label that may carry symbols around its words: leading and trailing blanks, the
    // characters of `symbols` and the punctuation ":;,.()[]&*" are cut off, the rest is translated, and
    // with `keepSymbols` the cut-off characters are put back around the translation. A text that is all
    // symbols is returned as it is.
    Vtl_String GetStringChopSymbols(const Vtl_String& category, const Vtl_String& text, bool keepSymbols,
                                    const Vtl_String& symbols) const;
    Vtl_String GetCurLanguage() const;
    // Replaces the array with the four language names.
    void GetAllLanguages(Vtl_StringArray& names) const;
    // Makes a language current (its name matched without regard to case); false and no change for a name
    // that is not one of the four.
    bool SetCurLanguage(const Vtl_String& name);
    Vtl_String GetLanguageName(const Vtl_String& name) const;
};

extern VTLBASE_API Vtl_MacroLangs gMacroLangs;
