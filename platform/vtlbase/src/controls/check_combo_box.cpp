// CCheckComboBox: a drop-down list with a check mark per item.
#include "vtlbase/controls/check_combo_box.h"

#include <algorithm>

#include "combo_item_data.h"
#include "win/api.h"
#include "win/dc.h"

BOOL CCheckComboBox::SubclassDlgItem(UINT id, CWnd* parent) {
    if (!CWnd::SubclassDlgItem(id, parent)) return FALSE;
    marks_.assign(static_cast<std::size_t>(std::max(0, GetCount())), 0);
    ModifyStyle(0, CBS_OWNERDRAWFIXED | CBS_HASSTRINGS);
    Invalidate();
    return TRUE;
}

int CCheckComboBox::AddItem(const Vtl_String& text, bool checked) {
    const int index = AddString(text.c_str());
    if (index >= 0) SetItemCheck(index, checked);
    return index;
}

bool CCheckComboBox::SetItemCheck(int index, bool checked) {
    if (index < 0 || index >= static_cast<int>(marks_.size())) return false;
    marks_[static_cast<std::size_t>(index)] = checked ? 1 : 0;
    if (m_hWnd) Invalidate();
    return true;
}

bool CCheckComboBox::GetItemCheck(int index) const {
    return index >= 0 && index < static_cast<int>(marks_.size()) && marks_[static_cast<std::size_t>(index)] != 0;
}

int CCheckComboBox::GetCheckedCount() const { return static_cast<int>(std::count(marks_.begin(), marks_.end(), 1)); }

LRESULT CCheckComboBox::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CComboBox::WindowProc(msg, wParam, lParam);
    vtl::base::keepItemDataInStep(marks_, msg, wParam, result, [] { return char{0}; });
    return result;
}

void CCheckComboBox::DrawItem(DRAWITEMSTRUCT* item) {
    if (!item) return;
    CDC paint;  // the device context of the paint pass, for this call
    if (!paint.Attach(item->hDC)) return;
    CDC* dc = &paint;
    const CRect r(item->rcItem);
    const bool disabled = (item->itemState & ODS_DISABLED) != 0;
    const bool selected = (item->itemState & ODS_SELECTED) != 0 && !disabled;
    dc->FillSolidRect(&r, GetSysColor(disabled ? COLOR_BTNFACE : COLOR_WINDOW));
    const int index = static_cast<int>(item->itemID);
    if (index < 0 || index >= GetCount()) return;

    // The check box.
    const int box = 13;
    const CRect mark(r.left + 2, r.top + (r.Height() - box) / 2, r.left + 2 + box, r.top + (r.Height() - box) / 2 + box);
    dc->FillSolidRect(&mark, GetSysColor(disabled ? COLOR_BTNFACE : COLOR_WINDOW));
    dc->Draw3dRect(&mark, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    if (GetItemCheck(index)) {
        CPen pen(PS_SOLID, 1, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
        CPen* old = dc->SelectObject(&pen);
        const int x = mark.left + 3, y = mark.top + 5;
        for (int i = 0; i < 3; ++i) {
            dc->MoveTo(x, y + i);
            dc->LineTo(x + 2, y + 2 + i);
            dc->LineTo(x + 7, y - 3 + i);
        }
        dc->SelectObject(old);
    }

    // The text, highlighted when it is the selected (or pointed-at) item.
    CRect text(mark.right + 3, r.top, r.right, r.bottom);
    if (selected) dc->FillSolidRect(&text, GetSysColor(COLOR_HIGHLIGHT));
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(GetSysColor(disabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    CRect inner(text.left + 1, text.top, text.right, text.bottom);
    dc->DrawText(GetLBText(index), &inner, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}
