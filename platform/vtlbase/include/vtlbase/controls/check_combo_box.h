#pragma once
// CCheckComboBox: a drop-down list whose items each carry a check mark, drawn as a small check box before
// the text in the field and in the dropped list. The marks are the program's: set and read per item; a
// person selects items as in any drop-down list (CBN_SELCHANGE). Marks follow their items when items are
// added, inserted, deleted or cleared through any path (AddString, FillCombo, ...).
#include <vector>

#include "vtlbase/export.h"
#include "vtlbase/vtl_string.h"
#include "win/combo_box.h"

class VTLBASE_API CCheckComboBox : public CComboBox {
public:
    // Attaches to the dialog's combo box and makes it owner-drawn.
    BOOL SubclassDlgItem(UINT id, CWnd* parent);

    // Adds an item at the end; answers its index (or CB_ERR).
    int AddItem(const Vtl_String& text, bool checked = false);
    // False for an index outside the items.
    bool SetItemCheck(int index, bool checked);
    bool GetItemCheck(int index) const;
    int GetCheckedCount() const;

    void DrawItem(DRAWITEMSTRUCT* item) override;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    std::vector<char> marks_;
};
