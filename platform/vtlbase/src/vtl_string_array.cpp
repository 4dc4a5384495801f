#include "vtlbase/vtl_string_array.h"

Vtl_StringArray::Vtl_StringArray(std::initializer_list<Vtl_String> texts) : items_(static_cast<int>(texts.size())) {
    for (const auto& t : texts) items_.append(t);
}

Vtl_StringArray& Vtl_StringArray::append(const Vtl_StringArray& other) {
    const Vtl_StringArray copy(other);  // other may be this array
    for (const auto& t : copy) items_.append(t);
    return *this;
}

int Vtl_StringArray::find(const Vtl_String& text, bool caseSensitive) const {
    for (int i = 0; i < items_.length(); ++i) {
        if (items_[i].equal(text, caseSensitive)) return i;
    }
    return -1;
}
