#pragma once
// CBitmapPickerCombo: a drop-down list whose items each show a picture (from a .bmp file) before their label.
#include <memory>
#include <vector>

#include "vtlbase/export.h"
#include "vtlbase/vtl_string.h"
#include "win/combo_box.h"
#include "win/dc.h"

class VTLBASE_API CBitmapPickerCombo : public CComboBox {
public:
    CBitmapPickerCombo();
    ~CBitmapPickerCombo() override;

    // Attaches to the dialog's combo box and makes it owner-drawn.
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    // Adds an item with the picture file (a module path) and the label; answers its index (or CB_ERR). A
    // picture that cannot be read leaves an empty frame in its place.
    int AddBitmap(const Vtl_String& pictureFile, const Vtl_String& label);
    // The picture shown for an item, or no bitmap.
    HBITMAP ItemPicture(int index) const;

    void DrawItem(DRAWITEMSTRUCT* item) override;

    // The box each picture is fitted into.
    static constexpr int kPictureWidth = 28;
    static constexpr int kPictureHeight = 14;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    std::vector<std::unique_ptr<CBitmap>> pictures_;
};
