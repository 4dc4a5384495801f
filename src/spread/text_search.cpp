#include "spread/text_search.h"

#include <algorithm>

namespace vtl::ui {
namespace {
bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

TextSearch::TextSearch(const Vtl_String& needle) : folded_(needle.toLower().str()), asciiNeedle_(isAscii(folded_)) {}

bool TextSearch::in(std::string_view text) const {
    if (folded_.empty() || text.size() < folded_.size()) return false;
    if (isAscii(text)) {
        // Only an ASCII needle can occur in ASCII text; ASCII folds to lower case.
        if (!asciiNeedle_) return false;
        const auto hit = std::search(text.begin(), text.end(), folded_.begin(), folded_.end(),
                                     [](char a, char b) { return lowerAscii(a) == b; });
        return hit != text.end();
    }
    return Vtl_String(text).toLower().str().find(folded_) != std::string::npos;
}

}  // namespace vtl::ui
