#pragma once
// The language tables compiled into vtlbase from resources/strings/ (private): "main.<code>.txt" and
// "second.<code>.txt" map numbers to texts, "macro.<code>.txt" maps (category, key) to texts; <code> is
// "en", "nl", "fr" or "de". Each file is parsed once, on first use, and kept for the life of the process.
#include <string>
#include <vector>

namespace vtl::base::strings {

enum class Table { Main, Second };

// The text of `number` in the table of the language with this code, or null.
const std::string* find(Table table, const std::string& languageCode, int number);
// The macro text of (category, key) in a language, key matched without regard to case, or null.
const std::string* findMacro(const std::string& languageCode, const std::string& category, const std::string& key);
// Every problem found while parsing the compiled tables ("main.en.txt:12: ..."), for tests.
std::vector<std::string> problems();

}  // namespace vtl::base::strings
