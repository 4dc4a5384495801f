#pragma once
// A map from cell keys to 32-bit numbers: open addressing with linear probing in one array, so that a
// hundred thousand formula cells cost no allocation each. Erasing shifts the following entries back, so
// no tombstones build up.
#include <cstdint>
#include <utility>
#include <vector>

#include "model/cell_ref.h"

namespace vtl::grid {

inline std::uint64_t cellKey(CellRef c) {
    return static_cast<std::uint64_t>(static_cast<std::uint32_t>(c.row)) << 32 | static_cast<std::uint32_t>(c.col);
}
inline CellRef keyCell(std::uint64_t key) {
    return {static_cast<int>(static_cast<std::uint32_t>(key)), static_cast<int>(key >> 32)};
}

class CellMap {
public:
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

    std::uint32_t find(std::uint64_t key) const {
        if (size_ == 0) return kNone;
        for (std::size_t i = home(key);; i = (i + 1) & mask_) {
            const Entry& e = entries_[i];
            if (e.key == key) return e.value;
            if (e.key == kEmpty) return kNone;
        }
    }
    // Inserts or replaces; returns the value it replaced (kNone when there was none).
    std::uint32_t exchange(std::uint64_t key, std::uint32_t value) {
        if ((size_ + 1) * 4 > entries_.size() * 3) grow();
        for (std::size_t i = home(key);; i = (i + 1) & mask_) {
            Entry& e = entries_[i];
            if (e.key == key) return std::exchange(e.value, value);
            if (e.key == kEmpty) {
                e = {key, value};
                ++size_;
                return kNone;
            }
        }
    }
    // Inserts or replaces.
    void set(std::uint64_t key, std::uint32_t value) {
        if ((size_ + 1) * 4 > entries_.size() * 3) grow();
        for (std::size_t i = home(key);; i = (i + 1) & mask_) {
            Entry& e = entries_[i];
            if (e.key == key) {
                e.value = value;
                return;
            }
            if (e.key == kEmpty) {
                e = {key, value};
                ++size_;
                return;
            }
        }
    }
    void erase(std::uint64_t key) {
        if (size_ == 0) return;
        std::size_t i = home(key);
        for (;; i = (i + 1) & mask_) {
            if (entries_[i].key == key) break;
            if (entries_[i].key == kEmpty) return;
        }
        // Backward shift: move later entries of the probe run into the hole when their home allows it.
        std::size_t hole = i;
        for (std::size_t j = (i + 1) & mask_;; j = (j + 1) & mask_) {
            if (entries_[j].key == kEmpty) break;
            const std::size_t h = home(entries_[j].key);
            const bool movable = hole <= j ? (h <= hole || h > j) : (h <= hole && h > j);
            if (movable) {
                entries_[hole] = entries_[j];
                hole = j;
            }
        }
        entries_[hole].key = kEmpty;
        --size_;
    }
    void clear() {
        entries_.clear();
        mask_ = 0;
        size_ = 0;
    }
    void reserve(std::size_t n) {
        while (entries_.size() * 3 < n * 4) grow();
    }
    std::size_t size() const { return size_; }

private:
    static constexpr std::uint64_t kEmpty = ~0ull;
    struct Entry {
        std::uint64_t key = kEmpty;
        std::uint32_t value = 0;
    };
    // Sixteen rows of one column lie side by side (a column is filled and read row by row, so its
    // entries share cache lines); the groups of sixteen are spread over the table.
    std::size_t home(std::uint64_t key) const {
        const std::uint64_t row = key >> 32, col = key & 0xFFFFFFFFull;
        std::uint64_t h = (row >> 4) * 0x9E3779B97F4A7C15ull ^ (col + 1) * 0xC2B2AE3D27D4EB4Full;
        h ^= h >> 29;
        return static_cast<std::size_t>((h << 4) | (row & 15)) & mask_;
    }
    void grow() {
        std::vector<Entry> old = std::move(entries_);
        const std::size_t capacity = old.empty() ? 64 : old.size() * 2;
        entries_.assign(capacity, Entry{});
        mask_ = capacity - 1;
        size_ = 0;
        for (const Entry& e : old) {
            if (e.key != kEmpty) set(e.key, e.value);
        }
    }

    std::vector<Entry> entries_;
    std::size_t mask_ = 0;
    std::size_t size_ = 0;
};

}  // namespace vtl::grid
