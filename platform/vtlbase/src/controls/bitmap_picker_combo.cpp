// CBitmapPickerCombo: a drop-down list of pictures with labels.
#include "vtlbase/controls/bitmap_picker_combo.h"

#include "combo_item_data.h"
#include "pictures.h"
#include "win/api.h"

CBitmapPickerCombo::CBitmapPickerCombo() = default;

CBitmapPickerCombo::~CBitmapPickerCombo() = default;

BOOL CBitmapPickerCombo::SubclassDlgItem(UINT id, CWnd* parent) {
    if (!CWnd::SubclassDlgItem(id, parent)) return FALSE;
    pictures_.clear();
    for (int i = 0; i < GetCount(); ++i) pictures_.push_back(std::make_unique<CBitmap>());
    ModifyStyle(0, CBS_OWNERDRAWFIXED | CBS_HASSTRINGS);
    Invalidate();
    return TRUE;
}

int CBitmapPickerCombo::AddBitmap(const Vtl_String& pictureFile, const Vtl_String& label) {
    const int index = AddString(label.c_str());
    if (index < 0 || index >= static_cast<int>(pictures_.size())) return index;
    pictures_[static_cast<std::size_t>(index)]->Attach(
        vtl::base::controls::fittedPicture(pictureFile, kPictureWidth, kPictureHeight, RGB(255, 255, 255)));
    Invalidate();
    return index;
}

HBITMAP CBitmapPickerCombo::ItemPicture(int index) const {
    return index >= 0 && index < static_cast<int>(pictures_.size())
               ? pictures_[static_cast<std::size_t>(index)]->GetSafeHandle()
               : HBITMAP();
}

LRESULT CBitmapPickerCombo::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CComboBox::WindowProc(msg, wParam, lParam);
    vtl::base::keepItemDataInStep(pictures_, msg, wParam, result, [] { return std::make_unique<CBitmap>(); });
    return result;
}

void CBitmapPickerCombo::DrawItem(DRAWITEMSTRUCT* item) {
    if (!item) return;
    CDC paint;  // the device context of the paint pass, for this call
    if (!paint.Attach(item->hDC)) return;
    CDC* dc = &paint;
    const CRect r(item->rcItem);
    const bool disabled = (item->itemState & ODS_DISABLED) != 0;
    const bool selected = (item->itemState & ODS_SELECTED) != 0 && !disabled;
    dc->FillSolidRect(&r, GetSysColor(disabled ? COLOR_BTNFACE : selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const int index = static_cast<int>(item->itemID);
    if (index < 0 || index >= GetCount()) return;
    if (const HBITMAP picture = ItemPicture(index))
        dc->DrawBitmap(r.left + 2, r.top + (r.Height() - kPictureHeight) / 2, picture);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(GetSysColor(disabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    CRect text(r.left + kPictureWidth + 6, r.top, r.right, r.bottom);
    dc->DrawText(GetLBText(index), &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}
