#pragma once
// Per-item data an owner-drawn combo keeps beside its items (a picture, a check mark).
#include <cstddef>
#include <vector>

#include "win/messages.h"

namespace vtl::base {

// Keeps `data` in step with the combo's items after the combo handled `msg` and answered `result`: an
// item added or inserted gets `make()` at its place, a deleted one loses its entry, a reset clears all.
template <class T, class Make>
void keepItemDataInStep(std::vector<T>& data, UINT msg, WPARAM wParam, LRESULT result, Make make) {
    switch (msg) {
    case CB_ADDSTRING:
    case CB_INSERTSTRING:
        if (result >= 0 && result <= static_cast<LRESULT>(data.size())) data.insert(data.begin() + result, make());
        break;
    case CB_DELETESTRING:
        if (result >= 0 && wParam < data.size()) data.erase(data.begin() + static_cast<std::ptrdiff_t>(wParam));
        break;
    case CB_RESETCONTENT:
        data.clear();
        break;
    default:
        break;
    }
}

}  // namespace vtl::base
