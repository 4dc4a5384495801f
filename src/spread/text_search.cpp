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
    const std::size_t n = folded_.size();
    if (n == 0 || text.size() < n) return false;
    if (asciiNeedle_) {
        // Folding keeps every character's byte length, so no other character folds to an ASCII letter:
        // an ASCII needle is found by comparing bytes with ASCII case folded, whatever else the text holds.
        const char first = folded_[0];
        const std::size_t last = text.size() - n;
        for (std::size_t i = 0; i <= last; ++i) {
            if (lowerAscii(text[i]) != first) continue;
            std::size_t k = 1;
            while (k < n && lowerAscii(text[i + k]) == folded_[k]) ++k;
            if (k == n) return true;
        }
        return false;
    }
    return Vtl_String(text).toLower().str().find(folded_) != std::string::npos;
}

}  // namespace vtl::ui
