#pragma once
// Small services on dialog controls: filling combo and list boxes, enabling, showing and sizing a control
// by id, check-box state changes, the dialog that owns a page and a window's class name.
#include "vtlbase/export.h"
#include "vtlbase/vtl_string.h"
#include "vtlbase/vtl_string_array.h"
#include "win/button.h"
#include "win/combo_box.h"
#include "win/dialog.h"
#include "win/list_box.h"

class CButtonST;

// Empties the combo box (its edit text too) and adds the items in array order. Nothing without a combo.
VTLBASE_API void FillCombo(CComboBox* combo, const Vtl_StringArray& items);
// The same for a list box.
VTLBASE_API void FillList(CListBox* list, const Vtl_StringArray& items);

// Enables or disables / shows or hides the control `id` of the dialog; false when there is no such control.
VTLBASE_API bool EnDisCtrl(CWnd* dlg, int id, bool enable);
VTLBASE_API bool ShowOrHideCtrl(CWnd* dlg, int id, bool show);
// Moves the edges of the control `id` by the given pixels, in its parent's client area (dTop = 30 moves the
// top down, dBottom = -60 makes it 60 shorter at the bottom). An edge never passes its opposite one. False
// when there is no such control.
VTLBASE_API bool resizeCtrl(CWnd* dlg, int id, int dLeft, int dTop, int dRight, int dBottom);

// Makes the control `id` an image check: a push button that stays down while checked, showing the bitmap
// resource `bitmapId` (light grey transparent) with the tooltip. Clicks toggle the check before the dialog
// hears BN_CLICKED. False without a dialog, the control or the bitmap.
VTLBASE_API bool CreateImageCheck(CWnd* dlg, CButtonST& button, int id, int bitmapId, const Vtl_String& tooltip);

// Makes a three-state check box two-state (for good), keeping its kind (automatic or not). Called from the
// box's click handler: a click that just moved it from checked to indeterminate leaves it unchecked, the
// state a two-state box reaches from checked.
VTLBASE_API void disableTriState(CWnd* button);
// Toggles a check box (indeterminate counts as clear) and tells its dialog with BN_CLICKED, as a click on
// the box would; used by a label that acts for its box.
VTLBASE_API void changeCheckStatus(CWnd* button);

// The dialog that owns a window: the nearest top-level dialog above it (through pages and tab controls),
// as its object; nullptr when there is none or it has no object.
VTLBASE_API CDialog* getDlgOwner(CWnd* window);
// The window's class name ("BUTTON", "#32770", ...); empty for no window.
VTLBASE_API Vtl_String GetWndClassName(HWND h);
