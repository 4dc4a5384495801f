#pragma once
// Vtl_DesignerControl: one control of a designed dialog. Its rectangle is kept as fractions of the
// background picture's width (x) and height (y), so the layout follows the picture on any screen.
#include "vtlbase/vtl_string.h"
#include "vtlbase/vtl_string_array.h"
#include "vtlui/export.h"

class CButton;
class CComboBox;
class CDialog;
class CEdit;
class CWnd;
class Vtl_PropertiesList;

// The control's type as stored in a design file: 0 to 30 (see controlTypeKind in the module). Numbers
// outside that range are kept as read and behave as static text.
using Vtl_ControlType = int;

class VTLUI_API Vtl_DesignerControl {
public:
    Vtl_DesignerControl() = default;
    Vtl_DesignerControl(const Vtl_DesignerControl&) = default;
    Vtl_DesignerControl& operator=(const Vtl_DesignerControl&) = default;
    virtual ~Vtl_DesignerControl();

    // Reads the keys of control i ("type"+i, "topLeftX"+i, ..., "contents"+i, "comboList"+i). A missing
    // type, contents or list is 0 or empty; a missing or non-finite coordinate leaves (or makes) it 0.
    void getFromPropList(const Vtl_PropertiesList& list, const int& i);
    // Writes the seven keys of control i; "comboList" is getMergedExtComboList().
    void setToPropList(Vtl_PropertiesList& list, const int& i) const;

    // The "comboList" text: types 25/26 five ";"-joined fields (cell-button parts 1-4, list text), type 30
    // four (flexible-button parts 1-4), other types the list text.
    Vtl_String getMergedExtComboList() const;
    // The reverse; always true.
    bool setSplitExtComboList(const Vtl_String& text);
    // The lines of the file named by the list text, when it names one; otherwise `items` is untouched. A
    // file that cannot be read, or holds more than kMaxComboFileItems lines, leaves `items` untouched and
    // says so on the command line.
    static constexpr int kMaxComboFileItems = 10000;
    void getComboItemsFromFile(Vtl_StringArray& items) const;

    // The dialog's child window with this control's resource id (false when there is none).
    bool getCtrlPtr(CDialog* dialog, CWnd*& control) const;
    CComboBox* getComboPtr(CDialog* dialog) const;  // types 3, 13, 15, 16
    CButton* getButtonPtr(CDialog* dialog) const;   // types of the BUTTON kind
    CEdit* getEditPtr(CDialog* dialog) const;       // types of the EDIT kind

    Vtl_ControlType type = 0;
    int disabled = 0;    // read-only through its binding: shown disabled, skipped by the tab order
    int resourceId = 0;  // child-window id, 0 = none
    int tabOrder = 0;    // 1-based position in the tab order, 0 = none
    double topLeftX = 0.0;
    double topLeftY = 0.0;
    double bottomRightX = 0.0;
    double bottomRightY = 0.0;
    Vtl_String contents;  // caption, cell name or value, by type
    Vtl_String listText;  // the "comboList" text; for types 25/26 its fifth field
    Vtl_String flexBtnPart1, flexBtnPart2, flexBtnPart3, flexBtnPart4;  // type 30
    Vtl_String cellBtnPart1, cellBtnPart2, cellBtnPart3, cellBtnPart4;  // types 25, 26
    Vtl_StringArray items;  // combo items from the binding; empty: from the file named by listText
};
