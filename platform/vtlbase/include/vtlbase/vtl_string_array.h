#pragma once
// Vtl_StringArray: an ordered list of texts from index 0, with the same growth, diagnostics and checked
// access as Vtl_Array.
#include <initializer_list>

#include "vtlbase/export.h"
#include "vtlbase/vtl_array.h"
#include "vtlbase/vtl_string.h"

class VTLBASE_API Vtl_StringArray {
public:
    using iterator = Vtl_Array<Vtl_String>::iterator;
    using const_iterator = Vtl_Array<Vtl_String>::const_iterator;

    Vtl_StringArray() = default;
    explicit Vtl_StringArray(int physicalLength, int growLength = Vtl_Array<Vtl_String>::kDefaultGrowLength)
        : items_(physicalLength, growLength) {}
    Vtl_StringArray(std::initializer_list<Vtl_String> texts);

    int length() const { return items_.length(); }
    int logicalLength() const { return items_.length(); }
    int physicalLength() const { return items_.physicalLength(); }
    bool isEmpty() const { return items_.isEmpty(); }

    Vtl_String& operator[](int i) { return items_[i]; }
    const Vtl_String& operator[](int i) const { return items_[i]; }
    Vtl_String& at(int i) { return items_[i]; }
    const Vtl_String& at(int i) const { return items_[i]; }

    iterator begin() { return items_.begin(); }
    iterator end() { return items_.end(); }
    const_iterator begin() const { return items_.begin(); }
    const_iterator end() const { return items_.end(); }

    // Adds at the end; returns the new index.
    int append(const Vtl_String& text) { return items_.append(text); }
    Vtl_StringArray& append(const Vtl_StringArray& other);
    bool insertAt(int i, const Vtl_String& text) { return items_.insertAt(i, text); }
    bool removeAt(int i) { return items_.removeAt(i); }
    void removeAll() { items_.removeAll(); }
    // Growing adds empty texts; 0 empties the array.
    Vtl_StringArray& setLogicalLength(int n) {
        items_.setLogicalLength(n);
        return *this;
    }
    Vtl_StringArray& setPhysicalLength(int n) {
        items_.setPhysicalLength(n);
        return *this;
    }

    // Index of the first entry equal to text, or -1.
    int find(const Vtl_String& text, bool caseSensitive = true) const;
    bool contains(const Vtl_String& text, bool caseSensitive = true) const { return find(text, caseSensitive) >= 0; }

    friend bool operator==(const Vtl_StringArray& a, const Vtl_StringArray& b) { return a.items_ == b.items_; }

private:
    Vtl_Array<Vtl_String> items_;
};
