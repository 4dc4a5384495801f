#pragma once
// Keeps the controls of a resizable dialog in place as it changes size: each registered child has one
// set of flags per direction. Without flags a child's edges scale with the dialog; flag 1 keeps its size,
// 2 keeps its leading edge (left or top), 4 makes it follow the trailing edge (right or bottom).
// Every resize is computed from the rectangles taken at registration, so repeated resizing never adds up
// rounding.
#include <string>
#include <vector>

#include "win/api.h"

namespace vtl::ui {

class KsChildLayout {
public:
    static constexpr int kKeepSize = 1;
    static constexpr int kKeepLeading = 2;
    static constexpr int kFollowTrailing = 4;

    // Registers every direct child of the parent (toolbars excepted) with flags 0, and the parent's
    // current window rectangle as the initial one.
    void init(HWND parent);
    // The first entry with that dialog id (or window); 1 when found, 0 otherwise.
    int setFlags(int childId, int horizontal, int vertical);
    int setFlags(HWND child, int horizontal, int vertical);
    // Registers one more window with flags 0; answers the new count.
    int add(HWND window);
    void setAllFlags(int horizontal, int vertical);
    // Every entry whose window has the class name (compared without regard to case); answers how many.
    int setFlagsByClass(const std::string& className, int horizontal, int vertical);
    // Moves and sizes every registered window for the parent's current size, in one deferred batch.
    void resize();

    int count() const { return static_cast<int>(entries_.size()); }

private:
    struct Entry {
        HWND window;
        RECT rect{};  // at registration, in the parent's client coordinates
        int horizontal = 0;
        int vertical = 0;
    };
    HWND parent_;
    RECT initial_{};
    std::vector<Entry> entries_;
};

}  // namespace vtl::ui
