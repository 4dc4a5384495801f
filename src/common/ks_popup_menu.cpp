#include "common/ks_popup_menu.h"

namespace vtl::ui {

KsPopupMenu::~KsPopupMenu() { destroy(); }

void KsPopupMenu::destroy() {
    // Destroying the root destroys the sub-menus it holds; one left over is destroyed alone.
    if (IsMenu(root_)) DestroyMenu(root_);
    root_ = HMENU();
    for (const SubMenu& s : subMenus_)
        if (IsMenu(s.menu)) DestroyMenu(s.menu);
    subMenus_.clear();
}

int KsPopupMenu::positionOf(UINT commandId) {
    for (std::size_t i = 0; i < kCommandIds.size(); ++i)
        if (kCommandIds[i] == commandId) return static_cast<int>(i);
    return -1;
}

void KsPopupMenu::build(const std::vector<int>& levels, const std::vector<KsPopupMenuItem>& items) {
    destroy();
    root_ = CreatePopupMenu();
    int depth = 1;
    std::size_t nextId = 0;
    const std::size_t n = std::min(levels.size(), items.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int level = levels[i];
        if (level < 1 || level > depth) continue;
        HMENU target;
        if (level == 1) {
            target = root_;
            depth = 1;
        } else if (level == depth) {
            target = subMenus_.empty() ? root_ : subMenus_.back().menu;
        } else {
            for (auto it = subMenus_.rbegin(); it != subMenus_.rend(); ++it) {
                if (it->level == level) {
                    target = it->menu;
                    break;
                }
            }
            if (!target) continue;
            depth = level;
        }
        if (nextId >= kCommandIds.size()) continue;  // every id used: nothing more is added
        const KsPopupMenuItem& item = items[i];
        switch (item.kind) {
        case hidden:
            ++nextId;
            break;
        case subMenu: {
            ++depth;
            const HMENU sub = CreatePopupMenu();
            subMenus_.push_back({sub, depth});
            AppendMenu(target, MF_POPUP | MF_STRING, static_cast<UINT_PTR>(sub.value()), item.text.c_str());
            break;
        }
        case separator:
            AppendMenu(target, MF_SEPARATOR, 0, nullptr);
            break;
        default: {
            const UINT id = kCommandIds[nextId++];
            UINT flags = MF_STRING;
            if (item.kind == greyed) flags |= MF_GRAYED;
            if (item.kind == checked) flags |= MF_CHECKED;
            AppendMenu(target, flags, id, item.text.c_str());
            if (item.kind == radio) CheckMenuRadioItem(target, id, id, id, MF_BYCOMMAND);
            break;
        }
        }
    }
}

BOOL KsPopupMenu::show(UINT flags, int x, int y, HWND owner, const std::vector<int>& levels,
                       const std::vector<KsPopupMenuItem>& items) {
    build(levels, items);
    return TrackPopupMenu(root_, flags, x, y, 0, owner, nullptr);
}

Vtl_String KsPopupMenu::itemText(UINT commandId) const {
    if (!IsMenu(root_)) return {};
    return Vtl_String(GetMenuString(root_, commandId, MF_BYCOMMAND));
}

}  // namespace vtl::ui
