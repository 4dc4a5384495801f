#include "item_list.h"

#include <algorithm>

#include "utf8.h"

namespace vtl::win::detail {
namespace {
char32_t fold(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    // Latin-1 capitals À..Þ (but ×) fold to à..þ.
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    return c;
}

std::u32string folded(const std::string& s) {
    std::u32string u = toU32(s);
    for (char32_t& c : u) c = fold(c);
    return u;
}
}  // namespace

bool equalsIgnoringCase(const std::string& a, const std::string& b) { return folded(a) == folded(b); }

bool startsWithIgnoringCase(const std::string& text, const std::string& prefix) {
    const auto t = folded(text), p = folded(prefix);
    return t.size() >= p.size() && t.compare(0, p.size(), p) == 0;
}

int compareIgnoringCase(const std::string& a, const std::string& b) {
    const auto fa = folded(a), fb = folded(b);
    return fa < fb ? -1 : (fb < fa ? 1 : 0);
}

int ItemList::insert(int index, std::string text, bool sorted) {
    if (sorted) {
        auto pos = std::upper_bound(items_.begin(), items_.end(), text, [](const std::string& t, const ListItem& i) {
            return compareIgnoringCase(t, i.text) < 0;
        });
        index = static_cast<int>(pos - items_.begin());
    } else if (index < 0 || index > count()) {
        index = count();
    }
    items_.insert(items_.begin() + index, ListItem{std::move(text), 0});
    return index;
}

bool ItemList::erase(int index) {
    if (!valid(index)) return false;
    items_.erase(items_.begin() + index);
    return true;
}

int ItemList::find(int start, const std::string& text, bool exact) const {
    const int n = count();
    if (n == 0) return -1;
    const int first = (start < 0 || start >= n) ? 0 : start + 1;
    for (int k = 0; k < n; ++k) {
        const int i = (first + k) % n;
        const bool hit = exact ? equalsIgnoringCase(at(i).text, text) : startsWithIgnoringCase(at(i).text, text);
        if (hit) return i;
    }
    return -1;
}

int ItemList::findPrefix(int start, const std::string& text) const { return find(start, text, false); }
int ItemList::findExact(int start, const std::string& text) const { return find(start, text, true); }

}  // namespace vtl::win::detail
