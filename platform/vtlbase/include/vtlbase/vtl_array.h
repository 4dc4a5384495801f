#pragma once
// Vtl_Array<T>: the add-on's array of records (a table is a Vtl_Array of Vtl_StringArray rows). Indices and
// lengths are int, counted from 0. The physical length is the room reserved: small arrays grow one step of
// the growth length at a time (8 unless given), larger ones by half their size rounded up to a step, so that
// appending stays linear.
//
// A bad position for insertAt (outside 0..length) or removeAt (outside 0..length-1) prints
// "*Error* Invalid index passed to insert.\n" or "... remove.\n" on the host's command line and changes
// nothing. Element access outside the array throws std::out_of_range (it is never undefined).
#include <algorithm>
#include <climits>
#include <concepts>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "vtlbase/export.h"

namespace vtl::base {
enum class ArrayChange { Insert, Remove };
// Prints the diagnostic of a bad insert or remove position.
VTLBASE_API void reportInvalidIndex(ArrayChange change);
}  // namespace vtl::base

template <class T>
class Vtl_Array {
    static_assert(!std::is_same_v<T, bool>, "Vtl_Array<bool>: use AcArray<bool>");

public:
    static constexpr int kDefaultGrowLength = 8;
    using iterator = typename std::vector<T>::iterator;
    using const_iterator = typename std::vector<T>::const_iterator;

    explicit Vtl_Array(int physicalLength = 0, int growLength = kDefaultGrowLength)
        : physical_(std::max(0, physicalLength)), grow_(std::max(1, growLength)) {
        items_.reserve(static_cast<std::size_t>(physical_));
    }

    int length() const { return static_cast<int>(items_.size()); }
    int logicalLength() const { return length(); }
    int physicalLength() const { return physical_; }
    int growLength() const { return grow_; }
    bool isEmpty() const { return items_.empty(); }
    Vtl_Array& setGrowLength(int n) {
        grow_ = std::max(1, n);
        return *this;
    }

    T& operator[](int i) { return items_[checked(i)]; }
    const T& operator[](int i) const { return items_[checked(i)]; }
    T& at(int i) { return items_[checked(i)]; }
    const T& at(int i) const { return items_[checked(i)]; }
    T& first() { return at(0); }
    const T& first() const { return at(0); }
    T& last() { return at(length() - 1); }
    const T& last() const { return at(length() - 1); }

    iterator begin() { return items_.begin(); }
    iterator end() { return items_.end(); }
    const_iterator begin() const { return items_.begin(); }
    const_iterator end() const { return items_.end(); }

    // Adds at the end; returns the new element's index.
    int append(const T& item) {
        T copy(item);  // the item may live in this array
        ensureRoom(items_.size() + 1);
        items_.push_back(std::move(copy));
        return length() - 1;
    }
    int append(T&& item) {
        T moved(std::move(item));
        ensureRoom(items_.size() + 1);
        items_.push_back(std::move(moved));
        return length() - 1;
    }
    // Inserts before index i; i == length() appends.
    bool insertAt(int i, const T& item) {
        if (i < 0 || i > length()) {
            vtl::base::reportInvalidIndex(vtl::base::ArrayChange::Insert);
            return false;
        }
        T copy(item);
        ensureRoom(items_.size() + 1);
        items_.insert(items_.begin() + i, std::move(copy));
        return true;
    }
    bool removeAt(int i) {
        if (i < 0 || i >= length()) {
            vtl::base::reportInvalidIndex(vtl::base::ArrayChange::Remove);
            return false;
        }
        items_.erase(items_.begin() + i);
        return true;
    }
    void removeAll() { items_.clear(); }

    // Growing adds value-initialised elements; a negative length counts as 0.
    Vtl_Array& setLogicalLength(int n) {
        const auto wanted = static_cast<std::size_t>(std::max(0, n));
        ensureRoom(wanted);
        items_.resize(wanted);
        return *this;
    }
    // Room for exactly n elements; a shorter room cuts the logical length.
    Vtl_Array& setPhysicalLength(int n) {
        physical_ = std::max(0, n);
        if (items_.size() > static_cast<std::size_t>(physical_)) items_.resize(static_cast<std::size_t>(physical_));
        items_.reserve(static_cast<std::size_t>(physical_));
        return *this;
    }

    // The index of the first element equal to item, or -1.
    int find(const T& item) const
        requires std::equality_comparable<T>
    {
        const auto it = std::find(items_.begin(), items_.end(), item);
        return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
    }
    bool contains(const T& item) const
        requires std::equality_comparable<T>
    {
        return find(item) >= 0;
    }

    friend bool operator==(const Vtl_Array& a, const Vtl_Array& b)
        requires std::equality_comparable<T>
    {
        return a.items_ == b.items_;
    }

private:
    std::size_t checked(int i) const {
        if (i < 0 || i >= length()) {
            throw std::out_of_range("Vtl_Array: index " + std::to_string(i) + " outside 0.." +
                                    std::to_string(length() - 1));
        }
        return static_cast<std::size_t>(i);
    }
    void ensureRoom(std::size_t needed) {
        const auto physical = static_cast<std::size_t>(physical_);
        if (needed <= physical) return;
        const auto grow = static_cast<std::size_t>(grow_);
        const std::size_t step = physical > 4 * grow ? physical / 2 : grow;
        std::size_t wanted = std::max(needed, physical + step);
        wanted = (wanted + grow - 1) / grow * grow;
        if (wanted > static_cast<std::size_t>(INT_MAX)) wanted = needed;
        if (wanted > static_cast<std::size_t>(INT_MAX)) throw std::length_error("Vtl_Array: too long");
        items_.reserve(wanted);
        physical_ = static_cast<int>(wanted);
    }

    std::vector<T> items_;
    int physical_ = 0;
    int grow_ = kDefaultGrowLength;
};
