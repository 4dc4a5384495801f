#pragma once
// Pop-up menus by handle: command items (checked, radio-marked, greyed), separators and sub-menus.
// TrackPopupMenu shows a real menu window and runs the pump until a person chooses or cancels.
#include <memory>
#include <string>

#include "win/export.h"
#include "win/types.h"

class CWnd;

using HMENU = vtl::gfx::Handle<struct MenuTag>;

constexpr UINT MF_STRING = 0x0;
constexpr UINT MF_ENABLED = 0x0;
constexpr UINT MF_UNCHECKED = 0x0;
constexpr UINT MF_BYCOMMAND = 0x0;
constexpr UINT MF_GRAYED = 0x1;
constexpr UINT MF_DISABLED = 0x2;
constexpr UINT MF_CHECKED = 0x8;
constexpr UINT MF_POPUP = 0x10;
constexpr UINT MF_HILITE = 0x80;
constexpr UINT MFT_RADIOCHECK = 0x200;
constexpr UINT MF_BYPOSITION = 0x400;
constexpr UINT MF_SEPARATOR = 0x800;

constexpr UINT TPM_LEFTALIGN = 0x0;
constexpr UINT TPM_LEFTBUTTON = 0x0;
constexpr UINT TPM_TOPALIGN = 0x0;
constexpr UINT TPM_RIGHTBUTTON = 0x2;
constexpr UINT TPM_CENTERALIGN = 0x4;
constexpr UINT TPM_RIGHTALIGN = 0x8;
constexpr UINT TPM_VCENTERALIGN = 0x10;
constexpr UINT TPM_BOTTOMALIGN = 0x20;
constexpr UINT TPM_NONOTIFY = 0x80;
constexpr UINT TPM_RETURNCMD = 0x100;

VTLWIN_API HMENU CreatePopupMenu();
VTLWIN_API HMENU CreateMenu();
VTLWIN_API BOOL IsMenu(HMENU menu);
// Destroys the menu and every sub-menu it holds.
VTLWIN_API BOOL DestroyMenu(HMENU menu);
VTLWIN_API BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR idOrSubMenu, const char* text);
VTLWIN_API BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idOrSubMenu, const char* text);
// Removes an item; DeleteMenu also destroys its sub-menu.
VTLWIN_API BOOL RemoveMenu(HMENU menu, UINT position, UINT flags);
VTLWIN_API BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);
// The previous state (MF_CHECKED or MF_UNCHECKED), or -1 when there is no such item.
VTLWIN_API DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags);
// Marks `check` with a radio bullet and clears the other items from `first` to `last`.
VTLWIN_API BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags);
VTLWIN_API BOOL EnableMenuItem(HMENU menu, UINT item, UINT flags);
VTLWIN_API UINT GetMenuState(HMENU menu, UINT item, UINT flags);
// Copies at most max - 1 bytes of the item's text (never splitting a character); answers the bytes copied.
VTLWIN_API int GetMenuString(HMENU menu, UINT item, char* buffer, int max, UINT flags);
VTLWIN_API std::string GetMenuString(HMENU menu, UINT item, UINT flags);
VTLWIN_API int GetMenuItemCount(HMENU menu);
VTLWIN_API UINT GetMenuItemID(HMENU menu, int position);
VTLWIN_API HMENU GetSubMenu(HMENU menu, int position);
// Shows the menu at (x, y) in screen pixels. With TPM_RETURNCMD answers the chosen command (0 when none);
// otherwise posts WM_COMMAND with the command to `owner` and answers TRUE when one was chosen.
VTLWIN_API BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* rect);

class VTLWIN_API CMenu {
public:
    CMenu() = default;
    ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu;
    // The object for a menu handle; one lives with each menu, as long as the menu.
    static CMenu* FromHandle(HMENU menu);

    BOOL CreatePopupMenu();
    BOOL CreateMenu();
    BOOL DestroyMenu();
    BOOL Attach(HMENU menu);
    HMENU Detach();
    HMENU GetSafeHmenu() const { return m_hMenu; }
    operator HMENU() const { return m_hMenu; }

    BOOL AppendMenu(UINT flags, UINT_PTR idOrSubMenu = 0, const char* text = nullptr);
    BOOL InsertMenu(UINT position, UINT flags, UINT_PTR idOrSubMenu = 0, const char* text = nullptr);
    BOOL RemoveMenu(UINT position, UINT flags);
    BOOL DeleteMenu(UINT position, UINT flags);
    UINT CheckMenuItem(UINT item, UINT flags);
    BOOL CheckMenuRadioItem(UINT first, UINT last, UINT check, UINT flags);
    UINT EnableMenuItem(UINT item, UINT flags);
    UINT GetMenuState(UINT item, UINT flags) const;
    int GetMenuString(UINT item, std::string& text, UINT flags) const;
    int GetMenuItemCount() const;
    UINT GetMenuItemID(int position) const;
    CMenu* GetSubMenu(int position) const;
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, const RECT* rect = nullptr);
};

namespace vtl::win {
// The screen rectangle of an item of an open menu, found by its text ('&' ignored), innermost menu first.
VTLWIN_API bool openMenuItemRect(const std::string& text, RECT& rect);
VTLWIN_API int liveMenuCount();
}  // namespace vtl::win
