#include <cmath>
#include <string>

#include "designer/control_types.h"
#include "frame/vtlbase.h"
#include "host/command_line.h"
#include "vtlui/vtl_designer_control.h"
#include "win/button.h"
#include "win/combo_box.h"
#include "win/dialog.h"
#include "win/edit.h"

using namespace vtl::designer;

namespace {

// "type" + i: one text made at once (a design of thousands of controls builds seven keys per control).
Vtl_String key(const char* name, int i) { return Vtl_String(std::string(name) + std::to_string(i)); }

// A coordinate from the file: kept when the key is absent, 0 when it is not a finite number.
void readFraction(const Vtl_PropertiesList& list, const Vtl_String& k, double& value) {
    double read = 0.0;
    if (!list.getProperty(k, read)) return;
    value = std::isfinite(read) ? read : 0.0;
}

// Part n (1-based) of the split fields, or empty when absent.
Vtl_String field(const Vtl_StringArray& fields, int n) { return n <= fields.length() ? fields[n - 1] : Vtl_String(); }

}  // namespace

Vtl_DesignerControl::~Vtl_DesignerControl() = default;

void Vtl_DesignerControl::getFromPropList(const Vtl_PropertiesList& list, const int& i) {
    type = 0;
    list.getProperty(key("type", i), type);
    readFraction(list, key("topLeftX", i), topLeftX);
    readFraction(list, key("topLeftY", i), topLeftY);
    readFraction(list, key("bottomRightX", i), bottomRightX);
    readFraction(list, key("bottomRightY", i), bottomRightY);
    contents = Vtl_String();
    list.getProperty(key("contents", i), contents);
    Vtl_String merged;
    list.getProperty(key("comboList", i), merged);
    setSplitExtComboList(merged);
}

void Vtl_DesignerControl::setToPropList(Vtl_PropertiesList& list, const int& i) const {
    list.setProperty(key("type", i), type);
    list.setProperty(key("topLeftX", i), topLeftX);
    list.setProperty(key("topLeftY", i), topLeftY);
    list.setProperty(key("bottomRightX", i), bottomRightX);
    list.setProperty(key("bottomRightY", i), bottomRightY);
    list.setProperty(key("contents", i), contents);
    list.setProperty(key("comboList", i), getMergedExtComboList());
}

Vtl_String Vtl_DesignerControl::getMergedExtComboList() const {
    if (isCellButtonType(type)) {
        return cellBtnPart1 + ";" + cellBtnPart2 + ";" + cellBtnPart3 + ";" + cellBtnPart4 + ";" + listText;
    }
    if (isFlexButtonType(type)) return flexBtnPart1 + ";" + flexBtnPart2 + ";" + flexBtnPart3 + ";" + flexBtnPart4;
    return listText;
}

bool Vtl_DesignerControl::setSplitExtComboList(const Vtl_String& text) {
    if (isCellButtonType(type) || isFlexButtonType(type)) {
        Vtl_StringArray fields;
        strToArr(text, ';', fields);
        if (isCellButtonType(type)) {
            cellBtnPart1 = field(fields, 1);
            cellBtnPart2 = field(fields, 2);
            cellBtnPart3 = field(fields, 3);
            cellBtnPart4 = field(fields, 4);
            listText = field(fields, 5);
        } else {
            flexBtnPart1 = field(fields, 1);
            flexBtnPart2 = field(fields, 2);
            flexBtnPart3 = field(fields, 3);
            flexBtnPart4 = field(fields, 4);
        }
        return true;
    }
    listText = text;
    cellBtnPart2 = Vtl_String();
    return true;
}

void Vtl_DesignerControl::getComboItemsFromFile(Vtl_StringArray& items) const {
    if (listText.isEmpty() || !vtl::base::files::fileExists(listText.view())) return;
    Vtl_StringArray lines;
    if (!ObjectExportReadFile(listText, lines)) {
        acutPrintf("*Error* %s: the item list cannot be read\n", listText.c_str());
        return;
    }
    // A list no person could choose from (a damaged or wrongly named file) is not loaded into the combo box.
    if (lines.length() > kMaxComboFileItems) {
        acutPrintf("*Error* %s: the item list has more than %d lines and is not used\n", listText.c_str(),
                   kMaxComboFileItems);
        return;
    }
    items = lines;
}

bool Vtl_DesignerControl::getCtrlPtr(CDialog* dialog, CWnd*& control) const {
    if (dialog == nullptr || resourceId == 0) return false;
    CWnd* found = dialog->GetDlgItem(resourceId);
    if (found == nullptr) return false;
    control = found;
    return true;
}

CComboBox* Vtl_DesignerControl::getComboPtr(CDialog* dialog) const {
    if (type != 3 && type != 13 && type != 15 && type != 16) return nullptr;
    CWnd* control = nullptr;
    return getCtrlPtr(dialog, control) ? dynamic_cast<CComboBox*>(control) : nullptr;
}

CButton* Vtl_DesignerControl::getButtonPtr(CDialog* dialog) const {
    if (controlKind(type) != ControlKind::Button || resourceId == 0) return nullptr;
    CWnd* control = nullptr;
    return getCtrlPtr(dialog, control) ? dynamic_cast<CButton*>(control) : nullptr;
}

CEdit* Vtl_DesignerControl::getEditPtr(CDialog* dialog) const {
    if (controlKind(type) != ControlKind::Edit || resourceId == 0) return nullptr;
    CWnd* control = nullptr;
    return getCtrlPtr(dialog, control) ? dynamic_cast<CEdit*>(control) : nullptr;
}
