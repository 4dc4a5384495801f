// The find and replace dialog of a grid. Searches ignore case, as the grid's search primitives do, and
// positions count characters, as the cell editor's selection does.
#include "common/ks_find_replace_dlg.h"

#include <algorithm>

#include "spread/vtl_spread.h"
#include "vtlbase/dialog_size.h"
#include "win/api.h"
#include "win/keys.h"
#include "win/message_box.h"

namespace vtl::ui {
namespace {
// While the dialog is open the grid edits permanently (the found text shows selected in the cell editor)
// and its option 20 is off; the first is restored on closing, the second is not.
constexpr int kOptionPermanentEdit = 13;
constexpr int kOption20 = 20;
}  // namespace

bool KsFindReplaceDlg::open() {
    const HWND owner = ::GetAncestor(grid_, GA_ROOT);
    if (!Create(IDD, CWnd::FromHandle(owner))) return false;
    ShowWindow(SW_SHOW);
    return true;
}

Vtl_Spread* KsFindReplaceDlg::spread() const {
    if (!::IsWindow(grid_)) return nullptr;
    auto* grid = dynamic_cast<Vtl_Spread*>(CWnd::FromHandlePermanent(grid_));
    return grid && grid->isAttached() ? grid : nullptr;
}

Vtl_String KsFindReplaceDlg::findText() const { return Vtl_String(GetDlgItemText(kFindId)); }

BOOL KsFindReplaceDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(dialString(1136).c_str());
    SetDlgItemText(kFindLabelId, dialString(1137).c_str());
    SetDlgItemText(kReplaceLabelId, dialString(1138).c_str());
    SetDlgItemText(IDOK, dialString(1139).c_str());
    SetDlgItemText(kReplaceId, dialString(1140).c_str());
    SetDlgItemText(kReplaceAllId, dialString(1141).c_str());
    SetDlgItemText(IDCANCEL, dialString(285).c_str());
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (Vtl_Spread* grid = spread()) {
        option13WasOn_ = grid->getOption(kOptionPermanentEdit);
        grid->setOption(kOptionPermanentEdit, true);
        grid->setOption(kOption20, false);
    }
    if (!ChangeDlgSize(this, kSizeKey, 1)) placeBesideGrid();
    GotoDlgCtrl(GetDlgItem(kFindId));
    return FALSE;  // the focus is in the find text
}

void KsFindReplaceDlg::placeBesideGrid() {
    // The first time, the dialog opens where it hides none of the grid's rows: just below the last row
    // shown (in the grid's empty area, or below the grid when its rows fill it), at the grid's right edge,
    // kept on the screen.
    Vtl_Spread* grid = spread();
    if (!grid) return;
    RECT self, area;
    GetWindowRect(&self);
    ::GetWindowRect(grid_, &area);
    int below = area.bottom;
    RECT last{};
    if (grid->getRowCount() > 0 && grid->getCellRect(1, grid->getRowCount(), last)) {
        POINT corner{0, last.bottom};
        ::ClientToScreen(grid_, &corner);
        below = std::min<int>(area.bottom, corner.y + 6);
    }
    const int width = self.right - self.left, height = self.bottom - self.top;
    const int x = std::clamp<int>(area.right - width - 6, 0, std::max(0, ::GetSystemMetrics(SM_CXSCREEN) - width));
    const int y = std::clamp<int>(below, 0, std::max(0, ::GetSystemMetrics(SM_CYSCREEN) - height));
    ::SetWindowPos(m_hWnd, HWND(), x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL KsFindReplaceDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
        case kReplaceId:
            replace(true);
            return TRUE;
        case kReplaceAllId:
            replaceAll();
            return TRUE;
        default:
            break;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

BOOL KsFindReplaceDlg::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_F3 || msg->wParam == VK_F5)) {
        if (msg->wParam == VK_F3) findNext(true);
        else replace(true);
        return TRUE;
    }
    return CDialog::PreTranslateMessage(msg);
}

void KsFindReplaceDlg::OnOK() { findNext(true); }

void KsFindReplaceDlg::OnCancel() {
    WriteDlgSize(this, kSizeKey);
    Vtl_Spread* grid = spread();
    if (grid && !option13WasOn_) grid->setOption(kOptionPermanentEdit, false);
    if (grid) {
        grid->closeFindDialog();  // destroys this window; the object goes once this handler is done
    } else {
        DestroyWindow();
    }
}

bool KsFindReplaceDlg::selectIn(Vtl_Spread& grid, const Vtl_String& find, int col, int row, int from) {
    const int at = grid.findInCell(find, col, row, from);
    if (at < 0 || !grid.selectFoundText(find, col, row, at)) return false;
    found_ = {col, row, at};
    return true;
}

bool KsFindReplaceDlg::selectFrom(Vtl_Spread& grid, const Vtl_String& find, int col, int row) {
    int foundCol = 0, foundRow = 0;
    if (!grid.findFrom(find, col, row, foundCol, foundRow)) return false;
    return selectIn(grid, find, foundCol, foundRow, 0);
}

bool KsFindReplaceDlg::findNext(bool ask) {
    Vtl_Spread* grid = spread();
    if (!grid || !m_hWnd) return false;
    const Vtl_String find = findText();
    // An empty text would "occur" everywhere: nothing is searched.
    if (find.isEmpty()) return false;
    const HWND self = m_hWnd;
    grid->SetFocus();
    int col = 1, row = 1;
    grid->getActiveCell(col, row);
    int start = 0, end = 0;
    if (grid->getEditSelection(start, end)) {
        // Editing: after an occurrence found before, the next one in the same cell; otherwise (the text
        // selected whole as the editor opened, or a caret) the first from the selection's start. Then the
        // cells after it.
        if (start > end) std::swap(start, end);
        Vtl_String text;
        grid->getCellText(col, row, text, 0);
        const bool onOccurrence = end > start && text.getSubStringAt(start, end - start).equal(find, false);
        if (selectIn(*grid, find, col, row, onOccurrence ? end : start)) return true;
        ++col;
    } else if (found_.col == col && found_.row == row) {
        // A cell without a text editor found before: the search goes on after it.
        ++col;
    }
    if (selectFrom(*grid, find, col, row)) return true;
    found_ = {};
    if (!ask) return false;
    const Vtl_String question = dialString(1142) + "\n" + dialString(1143) + "\n";
    const int answer = ::MessageBox(self, question.c_str(), dialString(1144).c_str(), MB_YESNO | MB_ICONQUESTION);
    grid = ::IsWindow(self) ? spread() : nullptr;
    if (answer != IDYES || !grid) return false;
    if (selectFrom(*grid, find, 1, 1)) return true;
    ::MessageBox(self, dialString(1145).c_str(), dialString(1146).c_str(), MB_OK);
    return false;
}

bool KsFindReplaceDlg::replace(bool ask) {
    if (!spread() || !m_hWnd) return false;
    const Vtl_String find = findText();
    const Vtl_String replacement(GetDlgItemText(kReplaceWithId));
    if (find.isEmpty()) return false;
    // Only an occurrence this search found and selected is replaced: whatever else may be selected in the
    // editor is never touched.
    if (!findNext(ask)) return false;
    Vtl_Spread* grid = spread();
    if (!grid) return false;
    int col = 1, row = 1;
    grid->getActiveCell(col, row);
    grid->SetFocus();
    Vtl_String text;
    grid->getCellText(col, row, text, 0);
    int start = 0, end = 0;
    if (grid->getEditSelection(start, end)) {
        if (start > end) std::swap(start, end);
    } else if (found_.col == col && found_.row == row) {
        // A cell without a text editor: the occurrence found in it.
        start = found_.position;
        end = start + find.length();
    } else {
        return false;
    }
    if (!text.getSubStringAt(start, end - start).equal(find, false)) return false;
    text.removeAt(start, end - start);
    text.insertAt(start, replacement);
    if (!grid->setCellText(col, row, text)) return false;
    // The grid's dialog hears of it as of a typed change, and may rebuild the grid meanwhile.
    grid->notifyUserChange(col, row);
    if (!(grid = spread())) return true;
    grid->SetFocus();
    grid->setActiveCell(col, row);
    // The caret after the replacement: the next search goes on from there.
    const int after = start + replacement.length();
    found_ = {col, row, after - find.length()};
    grid->setEditSelection(after, after);
    return true;
}

int KsFindReplaceDlg::replaceAll() {
    Vtl_Spread* grid = spread();
    if (!grid || !m_hWnd) return 0;
    const Vtl_String find = findText();
    const Vtl_String replacement(GetDlgItemText(kReplaceWithId));
    // Nothing is replaced for an empty find text; the summary then says 0.
    const int count = grid->replaceInAllCells(find, replacement);
    if (!m_hWnd) return count;  // the grid went while its dialog heard of the changes, and this dialog with it
    const Vtl_String summary = dialString(1147) + " " + Vtl_String(count) + " " + dialString(1148);
    ::MessageBox(m_hWnd, summary.c_str(), dialString(1149).c_str(), MB_OK);
    return count;
}

}  // namespace vtl::ui
