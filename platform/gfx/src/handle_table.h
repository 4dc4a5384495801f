#pragma once
// A table of objects by handle: handles are small positive integers, never reused. Each instantiation
// lives in exactly one .cpp file, which owns the process-wide table.
#include <map>
#include <memory>

namespace vtl::gfx::detail {

template <class Handle, class Object>
class HandleTable {
public:
    Handle add(std::shared_ptr<const Object> object) {
        const int h = next_++;
        objects_.emplace(h, std::move(object));
        return Handle(h);
    }
    std::shared_ptr<const Object> find(Handle h) const {
        const auto it = objects_.find(h.value());
        return it == objects_.end() ? nullptr : it->second;
    }
    bool replace(Handle h, std::shared_ptr<const Object> object) {
        const auto it = objects_.find(h.value());
        if (it == objects_.end()) return false;
        it->second = std::move(object);
        return true;
    }
    bool erase(Handle h) { return objects_.erase(h.value()) == 1; }
    void clear() { objects_.clear(); }  // the counter keeps counting: handles are never reused
    int size() const { return static_cast<int>(objects_.size()); }

private:
    std::map<int, std::shared_ptr<const Object>> objects_;
    int next_ = 1;
};

// Per-table resets, run together by testing::reset().
void resetFonts();
void resetBitmaps();
void resetIcons();
void resetFontFiles();

}  // namespace vtl::gfx::detail
