#pragma once
// AcArray<T>: the host's growable array. Indices and lengths are int. The logical length is the number of
// elements; the physical length is the room reserved, grown in whole steps of the growth length (8 unless
// given). Small arrays grow one step at a time (8, 16, 24, ...); once an array is larger than a few steps it
// grows by half its size, rounded up to a step, so appending n elements stays linear.
//
// Out-of-range use is never undefined: an index outside [0, length) for element access and removal, or
// outside [0, length] for insertion, throws std::out_of_range and leaves the array unchanged; a negative
// length throws std::length_error. Elements beyond the logical length exist (T must be default
// constructible) and are value-initialised when they come into use.
#include <algorithm>
#include <climits>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

template <class T>
class AcArray {
public:
    static constexpr int kDefaultGrowLength = 8;

    explicit AcArray(int physicalLength = 0, int growLength = kDefaultGrowLength)
        : grow_(std::max(1, growLength)) {
        if (physicalLength < 0) throw std::length_error("AcArray: negative physical length");
        reallocate(physicalLength);
    }
    AcArray(const AcArray& other) : grow_(other.grow_) {
        reallocate(other.physical_);
        std::copy(other.begin(), other.end(), data_.get());
        logical_ = other.logical_;
    }
    AcArray(AcArray&& other) noexcept
        : data_(std::move(other.data_)),
          logical_(std::exchange(other.logical_, 0)),
          physical_(std::exchange(other.physical_, 0)),
          grow_(other.grow_) {}
    AcArray& operator=(const AcArray& other) {
        if (this != &other) {
            AcArray copy(other);
            swap(copy);
        }
        return *this;
    }
    AcArray& operator=(AcArray&& other) noexcept {
        AcArray moved(std::move(other));
        swap(moved);
        return *this;
    }
    ~AcArray() = default;

    void swap(AcArray& other) noexcept {
        std::swap(data_, other.data_);
        std::swap(logical_, other.logical_);
        std::swap(physical_, other.physical_);
        std::swap(grow_, other.grow_);
    }

    // Lengths.
    int length() const { return logical_; }
    int logicalLength() const { return logical_; }
    int physicalLength() const { return physical_; }
    int growLength() const { return grow_; }
    bool isEmpty() const { return logical_ == 0; }
    // A growth length below 1 counts as 1.
    AcArray& setGrowLength(int n) {
        grow_ = std::max(1, n);
        return *this;
    }
    // Elements that come into use are value-initialised; shrinking keeps the room.
    AcArray& setLogicalLength(int n) {
        if (n < 0) throw std::length_error("AcArray: negative logical length");
        if (n > physical_) reallocate(roundUp(n));
        for (int i = logical_; i < n; ++i) data_[static_cast<std::size_t>(i)] = T();
        logical_ = n;
        return *this;
    }
    // Room for exactly n elements; a shorter room cuts the logical length.
    AcArray& setPhysicalLength(int n) {
        if (n < 0) throw std::length_error("AcArray: negative physical length");
        reallocate(n);
        return *this;
    }

    // Element access.
    T& operator[](int i) { return data_[checked(i)]; }
    const T& operator[](int i) const { return data_[checked(i)]; }
    T& at(int i) { return data_[checked(i)]; }
    const T& at(int i) const { return data_[checked(i)]; }
    AcArray& setAt(int i, const T& value) {
        data_[checked(i)] = value;
        return *this;
    }
    T& first() { return at(0); }
    const T& first() const { return at(0); }
    T& last() { return at(logical_ - 1); }
    const T& last() const { return at(logical_ - 1); }

    T* begin() { return data_.get(); }
    T* end() { return data_.get() + logical_; }
    const T* begin() const { return data_.get(); }
    const T* end() const { return data_.get() + logical_; }

    // Adding. append returns the new element's index.
    int append(const T& value) {
        T copy(value);  // value may live in this array's own storage
        ensureRoom(logical_ + 1);
        data_[static_cast<std::size_t>(logical_)] = std::move(copy);
        return logical_++;
    }
    AcArray& append(const AcArray& other) {
        if (&other == this) {
            AcArray copy(other);
            return append(copy);
        }
        ensureRoom(logical_ + other.logical_);
        std::copy(other.begin(), other.end(), end());
        logical_ += other.logical_;
        return *this;
    }
    // Inserts before index i; i == length() appends.
    AcArray& insertAt(int i, const T& value) {
        if (i < 0 || i > logical_) throw outOfRange(i, "insert");
        T copy(value);
        ensureRoom(logical_ + 1);
        std::move_backward(begin() + i, end(), end() + 1);
        data_[static_cast<std::size_t>(i)] = std::move(copy);
        ++logical_;
        return *this;
    }

    // Removing. The room stays.
    AcArray& removeAt(int i) {
        checked(i);
        std::move(begin() + i + 1, end(), begin() + i);
        data_[static_cast<std::size_t>(--logical_)] = T();
        return *this;
    }
    AcArray& removeFirst() { return removeAt(0); }
    AcArray& removeLast() { return removeAt(logical_ - 1); }
    // Removes the first element equal to value at or after start; false when there is none.
    bool remove(const T& value, int start = 0) {
        int i = 0;
        if (!find(value, i, start)) return false;
        removeAt(i);
        return true;
    }
    // Removes every element equal to value, keeping the order of the rest; returns how many went.
    int removeEvery(const T& value) {
        const T needle(value);
        T* kept = std::remove(begin(), end(), needle);
        const int removed = static_cast<int>(end() - kept);
        std::fill(kept, end(), T());
        logical_ -= removed;
        return removed;
    }
    AcArray& removeAll() {
        std::fill(begin(), end(), T());
        logical_ = 0;
        return *this;
    }

    // Searching, from `start` (a start outside the array finds nothing).
    bool find(const T& value, int& index, int start = 0) const {
        if (start < 0 || start >= logical_) return false;
        const T* it = std::find(begin() + start, end(), value);
        if (it == end()) return false;
        index = static_cast<int>(it - begin());
        return true;
    }
    // The index of the first element equal to value, or -1.
    int find(const T& value) const {
        int i = -1;
        return find(value, i) ? i : -1;
    }
    bool contains(const T& value, int start = 0) const {
        int i = 0;
        return find(value, i, start);
    }

    friend bool operator==(const AcArray& a, const AcArray& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }

private:
    std::size_t checked(int i) const {
        if (i < 0 || i >= logical_) throw outOfRange(i, "access");
        return static_cast<std::size_t>(i);
    }
    std::out_of_range outOfRange(int i, const char* what) const {
        return std::out_of_range("AcArray: index " + std::to_string(i) + " out of range for " + what +
                                 " (length " + std::to_string(logical_) + ")");
    }
    long long roundUpWide(long long n) const { return (n + grow_ - 1) / grow_ * grow_; }
    int roundUp(long long n) const {
        const long long rounded = roundUpWide(n);
        if (rounded > INT_MAX) throw std::length_error("AcArray: too long");
        return static_cast<int>(rounded);
    }
    void ensureRoom(long long needed) {
        if (needed <= physical_) return;
        const long long step = physical_ > 4LL * grow_ ? physical_ / 2 : grow_;
        const long long wanted = roundUpWide(std::max<long long>(needed, physical_ + step));
        // Near the int limit the generous step gives way to what is needed.
        reallocate(wanted <= INT_MAX ? static_cast<int>(wanted) : roundUp(needed));
    }
    void reallocate(int n) {
        std::unique_ptr<T[]> fresh = n > 0 ? std::make_unique<T[]>(static_cast<std::size_t>(n)) : nullptr;
        const int keep = std::min(logical_, n);
        if (keep > 0) std::move(begin(), begin() + keep, fresh.get());
        data_ = std::move(fresh);
        physical_ = n;
        logical_ = keep;
    }

    std::unique_ptr<T[]> data_;
    int logical_ = 0;
    int physical_ = 0;
    int grow_ = kDefaultGrowLength;
};
