#pragma once
// The items of a list box or combo box: text and data, an optional sort order, and the look-ups both
// controls answer (prefix and exact, without regard to case, wrapping round from a start index).
#include <string>
#include <vector>

#include "win/types.h"

namespace vtl::win::detail {

struct ListItem {
    std::string text;
    LONG_PTR data = 0;
};

class ItemList {
public:
    // Inserts at `index` (-1 or past the end: at the end); with `sorted`, where the text belongs.
    int insert(int index, std::string text, bool sorted);
    bool erase(int index);
    void clear() { items_.clear(); }
    int count() const { return static_cast<int>(items_.size()); }
    bool valid(int index) const { return index >= 0 && index < count(); }
    const ListItem& at(int index) const { return items_[static_cast<std::size_t>(index)]; }
    ListItem& at(int index) { return items_[static_cast<std::size_t>(index)]; }
    // The first item after `start` (-1: from the top) whose text begins with / equals `text`, or -1.
    int findPrefix(int start, const std::string& text) const;
    int findExact(int start, const std::string& text) const;

private:
    int find(int start, const std::string& text, bool exact) const;
    std::vector<ListItem> items_;
};

// Compares without regard to case (ASCII and the Latin-1 letters of UTF-8 text).
bool equalsIgnoringCase(const std::string& a, const std::string& b);
bool startsWithIgnoringCase(const std::string& text, const std::string& prefix);
int compareIgnoringCase(const std::string& a, const std::string& b);

}  // namespace vtl::win::detail
