// Vtl_Spread: attaching over a placeholder, styles, the context menu, the keys it takes before the grid,
// the check-column rule, Tab handling and the find dialog.
#include "spread/vtl_spread.h"

#include "common/ks_find_replace_dlg.h"
#include "frame/module.h"
#include "win/api.h"
#include "win/gdi.h"
#include "win/keys.h"
#include "win/menu.h"

namespace vtl::ui {
namespace {
constexpr UINT kFitMessage = 0x517;  // a message of the grid answered 0 and not passed on
constexpr int kBoxOn = 8134;
constexpr int kBoxOff = 8136;
}  // namespace

Vtl_Spread::Vtl_Spread() = default;

Vtl_Spread::~Vtl_Spread() {
    closeFindDialog();
    menuBuilder_.reset();
    if (m_hWnd) DestroyWindow();
}

// ---- lifecycle and setup ----

bool Vtl_Spread::attachToDlgItem(CWnd* parent, int controlId, bool parentIsChild) {
    if (!parent || !parent->m_hWnd) return false;
    const HWND placeholder = ::GetDlgItem(parent->m_hWnd, controlId);
    if (!placeholder) return false;
    grid::registerSpreadClass();
    RECT item, outer;
    ::GetWindowRect(placeholder, &item);
    ::GetWindowRect(parent->m_hWnd, &outer);
    RECT r{item.left - outer.left, item.top - outer.top, item.right - outer.left, item.bottom - outer.top};
    if (!parentIsChild) {
        // From window to client coordinates of a captioned dialog.
        r.left -= 5;
        r.right -= 5;
        r.top -= 20;
        r.bottom -= 20;
    }
    const DWORD style = static_cast<DWORD>(::GetWindowLongPtr(placeholder, GWL_STYLE)) & (WS_TABSTOP | WS_BORDER);
    ::DestroyWindow(placeholder);
    if (!CreateEx(0, grid::kSpreadClassName, "", WS_CHILD | WS_VISIBLE | style, r, parent, static_cast<UINT>(controlId)))
        return false;
    parent_ = parent;
    controlId_ = controlId;
    SSSetRowCount(m_hWnd, 0);
    SSSetColCount(m_hWnd, 0);
    attached_ = true;
    SSSetAppearance(m_hWnd, 1);
    for (int key = 0; key < 3; ++key) SSSetActionKey(m_hWnd, key, FALSE, FALSE, 0);
    return true;
}

bool Vtl_Spread::attachInPlaceOfDlgItem(CWnd* parent, int controlId, bool parentIsChild) {
    const HWND placeholder = parent && parent->m_hWnd ? ::GetDlgItem(parent->m_hWnd, controlId) : HWND();
    const HWND before = placeholder ? ::GetWindow(placeholder, GW_HWNDPREV) : HWND();
    if (!attachToDlgItem(parent, controlId, parentIsChild)) return false;
    ::SetWindowPos(m_hWnd, before ? before : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return true;
}

bool Vtl_Spread::setStyle(int kind) {
    if (!attached_) return false;
    const HWND h = m_hWnd;
    SSSetSwitch(h, 8, FALSE);
    SSSetSwitch(h, 12, FALSE);
    SSSetSwitch(h, 7, FALSE);
    SSSetSwitch(h, 21, TRUE);
    SSSetSwitch(h, 26, FALSE);
    SSSetSwitch(h, 34, TRUE);
    SSSetSwitch(h, 32, TRUE);
    SSSetSwitch(h, 18, FALSE);
    SSSetSwitch(h, 21, TRUE);
    SSSetSwitch(h, 22, TRUE);
    SSSetSwitch(h, 21, TRUE);
    SSSetGrayAreaColor(h, GetSysColor(COLOR_BTNFACE), 0x8000000B);
    SSSetGridLines(h, 1, 0xFFFFFFFFu);
    SSSetSelColor(h, 0x6A240A, 0xFFFFFF);
    SSSetSwitch(h, 11, TRUE);
    SSSetSwitch(h, 3, TRUE);
    SSSetSwitch(h, 4, TRUE);
    SSSetSwitch(h, 18, TRUE);
    SSSetLockColor(h, 0xE6E6E6, 0x8000000B);
    if (kind == 0) {
        SSSetSwitch(h, 13, FALSE);
        SSSetSwitch(h, 10, TRUE);
        SSSetOperationMode(h, SS_MODE_LIST);
    } else if (kind == 1) {
        SSSetSwitch(h, 13, TRUE);
        SSSetSwitch(h, 10, FALSE);
        SSSetOperationMode(h, SS_MODE_NORMAL);
    }
    SSSetSwitch(h, 8, TRUE);
    return true;
}

void Vtl_Spread::setContextMenu(const std::vector<int>& entries) {
    menuBuilder_ = std::make_unique<KsPopupMenu>();
    menuEntries_ = entries;
}

void Vtl_Spread::show() {
    if (m_hWnd) ShowWindow(SW_SHOW);
}

void Vtl_Spread::hide() {
    if (m_hWnd) ShowWindow(SW_HIDE);
}

bool Vtl_Spread::setOption(int number, bool on) { return attached_ && SSSetSwitch(m_hWnd, number, on ? TRUE : FALSE); }

bool Vtl_Spread::getOption(int number) const { return attached_ && SSGetSwitch(m_hWnd, number); }

bool Vtl_Spread::showHeaders(bool columnHeaders, bool rowHeaders) {
    return setOption(SS_SWITCH_COLUMN_HEADERS, columnHeaders) && setOption(SS_SWITCH_ROW_HEADERS, rowHeaders);
}

bool Vtl_Spread::setLockColors(COLORREF back, COLORREF fore) { return attached_ && SSSetLockColor(m_hWnd, back, fore); }

bool Vtl_Spread::setBackColorStyle(int style) { return attached_ && SSSetBackColorStyle(m_hWnd, style); }

bool Vtl_Spread::loadCheckPictures() {
    if (boxOn_.GetSafeHandle() && boxOff_.GetSafeHandle()) return true;
    KsTempResourceOverride::Scope resources(resourceOverride());
    if (!boxOn_.GetSafeHandle()) boxOn_.LoadBitmap(kBoxOn);
    if (!boxOff_.GetSafeHandle()) boxOff_.LoadBitmap(kBoxOff);
    return boxOn_.GetSafeHandle() && boxOff_.GetSafeHandle();
}

// ---- the context menu ----

void Vtl_Spread::showContextMenu() {
    if (!menuBuilder_ || menuEntries_.empty()) return;
    std::vector<int> levels;
    std::vector<KsPopupMenuItem> items;
    for (int kind : menuEntries_) {
        static constexpr int kCaptions[] = {0, 0, 1154, 1155, 774, 775, 1156, 1157, 1400, 1401};
        levels.push_back(1);
        if (kind == separator) {
            items.push_back({"", KsPopupMenu::separator});
        } else {
            const int caption = kind >= 2 && kind <= 9 ? kCaptions[kind] : 0;
            items.push_back({caption ? dialString(caption) : Vtl_String(), KsPopupMenu::command});
        }
    }
    POINT at;
    GetCursorPos(&at);
    menuBuilder_->show(TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, m_hWnd, levels, items);
}

void Vtl_Spread::runMenuAction(int kind) {
    switch (kind) {
    case copy:
        SSCopySelection(m_hWnd);
        break;
    case paste:
        SSPasteSelection(m_hWnd);
        break;
    case insertRowEntry:
        insertRow(getCurrentRow(), false, true);
        break;
    case deleteRowEntry:
        deleteRow(getCurrentRow());
        break;
    case insertColEntry:
        insertCol(getCurrentCol(), true, true);
        break;
    case deleteColEntry:
        deleteCol(getCurrentCol());
        break;
    case checkAll:
        setChecksInSelection(true);
        break;
    case uncheckAll:
        setChecksInSelection(false);
        break;
    default:
        break;
    }
}

BOOL Vtl_Spread::OnCommand(WPARAM wParam, LPARAM lParam) {
    // A command of the context menu: its id gives its place among the entries that are no separators.
    const int position = KsPopupMenu::positionOf(LOWORD(wParam));
    if (HIWORD(wParam) == 0 && position >= 0 && !lParam) {
        std::vector<int> commands;
        for (int kind : menuEntries_)
            if (kind != separator) commands.push_back(kind);
        if (position < static_cast<int>(commands.size())) runMenuAction(commands[static_cast<std::size_t>(position)]);
        return TRUE;
    }
    return TSpread::OnCommand(wParam, lParam);
}

// The grid's notifications pass here on their way to the dialog: the check-column rule acts first, then
// the dialog hears them as usual.
BOOL Vtl_Spread::OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (msg == WM_COMMAND && ParamToHandle(lParam) == m_hWnd) {
        const WORD code = HIWORD(wParam);
        if (checkColumn_ > 0 && dependentColumn_ > 0 && (code == SSN_CHECK_SET || code == SSN_CHECK_CLEARED)) {
            int col = 0, row = 0;
            getActiveCell(col, row);
            if (col == checkColumn_) {
                applyCheckDependency(row);
                SSSetActiveCell(m_hWnd, dependentColumn_, row);
            }
        }
        return FALSE;
    }
    return TSpread::OnChildNotify(msg, wParam, lParam, result);
}

LRESULT Vtl_Spread::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case kFitMessage:
        return 0;
    case WM_RBUTTONDOWN: {
        // The grid takes the click first (it makes the clicked cell active), so that the menu's actions
        // act on the cell or row the user clicked.
        const HWND self = m_hWnd;
        const LRESULT r = TSpread::WindowProc(msg, wParam, lParam);
        if (::IsWindow(self)) showContextMenu();
        return r;
    }
    case WM_DESTROY:
        // The find dialog serves this grid only: it goes with it; and a grid that is gone answers no more.
        closeFindDialog();
        attached_ = false;
        break;
    case WM_SIZE: {
        const LRESULT r = TSpread::WindowProc(msg, wParam, lParam);
        applyFitMode();
        return r;
    }
    default:
        break;
    }
    return TSpread::WindowProc(msg, wParam, lParam);
}

// ---- keys ----

BOOL Vtl_Spread::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN) {
        switch (msg->wParam) {
        case VK_F3:
            runFind(false);
            return TRUE;
        case VK_F5:
            runFind(true);
            return TRUE;
        case VK_F8:
            if (f8Enabled_ && attached_) {
                SSSetSwitch(m_hWnd, SS_SWITCH_PERMANENT_EDIT, !SSGetSwitch(m_hWnd, SS_SWITCH_PERMANENT_EDIT));
                return TRUE;
            }
            break;
        default:
            break;
        }
    }
    return TSpread::PreTranslateMessage(msg);
}

bool Vtl_Spread::isSpreadFocused() {
    const HWND focus = ::GetFocus();
    if (!focus) return false;
    const std::string name = ::GetClassName(focus);
    return name.rfind("SPR32", 0) == 0 || name.rfind("fpSpr", 0) == 0;
}

bool Vtl_Spread::handleTabKey(UINT key, int& result) {
    result = 1;
    if (key != VK_TAB || !attached_ || !IsWindowVisible() || !isSpreadFocused()) return false;
    int col = 0, row = 0;
    getActiveCell(col, row);
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    int c = 0, r = 0;
    const bool found = shift ? findFirstEditableCell(c, r) : findLastEditableCell(c, r);
    // A grid without an editable cell lets Tab leave it at once.
    if (!found || (c == col && r == row)) result = shift ? 3 : 2;
    else result = 0;
    return true;
}

bool Vtl_Spread::focusFirstOrLast(bool first) {
    if (!attached_ || !IsWindowVisible()) return false;
    int col = 0, row = 0;
    if (!(first ? findFirstEditableCell(col, row) : findLastEditableCell(col, row))) return false;
    SetFocus();
    SSSetActiveCell(m_hWnd, col, row);
    return true;
}

void Vtl_Spread::runFind(bool replace) {
    if (!attached_) return;
    if (!findDialog_) {
        // The first F3 or F5 only opens the dialog; the search starts from there.
        auto dialog = std::make_unique<KsFindReplaceDlg>(m_hWnd);
        KsFindReplaceDlg* opening = dialog.get();
        findDialog_ = std::move(dialog);
        KsTempResourceOverride::Scope resources(resourceOverride());
        if (!opening->open()) findDialog_.reset();
        return;
    }
    if (replace) findDialog_->replace(true);
    else findDialog_->findNext(true);
}

void Vtl_Spread::closeFindDialog() {
    if (!findDialog_) return;
    std::unique_ptr<KsFindReplaceDlg> dialog = std::move(findDialog_);
    if (dialog->m_hWnd) dialog->DestroyWindow();
    // The dialog may be closing from its own handler: the object goes once no message is handled.
    vtl::win::deleteLater(std::unique_ptr<CWnd>(dialog.release()));
}

}  // namespace vtl::ui
