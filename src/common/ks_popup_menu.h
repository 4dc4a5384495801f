#pragma once
// A pop-up menu built from a flat, outline-like item list: a level per item (1 the top level, 2 inside a
// sub-menu opened at level 1, ...) and a kind per item. Commands take their ids in order from a fixed
// list of ten; separators and sub-menus take none, and a hidden command uses one up.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "frame/vtlbase.h"
#include "win/menu.h"

namespace vtl::ui {

struct KsPopupMenuItem {
    Vtl_String text;
    int kind = 1;
};

class KsPopupMenu {
public:
    enum Kind { command = 1, checked = 2, radio = 3, greyed = 4, separator = 5, subMenu = 6, hidden = 7 };
    static constexpr std::array<UINT, 10> kCommandIds{32811, 32812, 32816, 32817, 32818, 32800, 32801, 32802, 32803, 32804};

    KsPopupMenu() = default;
    ~KsPopupMenu();
    KsPopupMenu(const KsPopupMenu&) = delete;
    KsPopupMenu& operator=(const KsPopupMenu&) = delete;

    // Builds the menu afresh from parallel lists (the shorter one decides).
    void build(const std::vector<int>& levels, const std::vector<KsPopupMenuItem>& items);
    // Builds, then tracks the menu at (x, y) for the owner; answers TrackPopupMenu's result.
    BOOL show(UINT flags, int x, int y, HWND owner, const std::vector<int>& levels,
              const std::vector<KsPopupMenuItem>& items);
    // The text of the item with that command id; empty when there is none.
    Vtl_String itemText(UINT commandId) const;
    HMENU root() const { return root_; }

    // The position of a command id in the list (32811 → 0 ... 32804 → 9), -1 for any other id.
    static int positionOf(UINT commandId);

private:
    void destroy();

    HMENU root_;
    struct SubMenu {
        HMENU menu;
        int level = 0;
    };
    std::vector<SubMenu> subMenus_;
};

}  // namespace vtl::ui
