#include "macro/macro_cuts_dialog.h"

#include <algorithm>

#include "frame/export_guard.h"
#include "frame/module.h"
#include "vtlbase/dialog_size.h"
#include "vtlbase/settings.h"
#include "vtlui/vtlui.h"
#include "win/api.h"
#include "win/combo_box.h"
#include "win/keys.h"
#include "win/message_box.h"

namespace vtl::ui {
namespace {
constexpr const char* kSizeKey = "DLG_MACRO_CUTS";
constexpr const char* kTypePictures[] = {"CutProfvsPlate.bmp", "CutProfvsProf.bmp",         "CutProfinProf.bmp",
                                         "CutProfvsProf3Segments.bmp", "CutChamfer.bmp", "CutFillet.bmp"};

// What grid column 1 shows for a variable: the known names by their label, any other name as it is.
Vtl_String variableLabel(const Vtl_String& name) {
    static const std::pair<const char*, int> labels[] = {{"Offset", 1099},       {"PolyOffset", 1099},   {"LengthOffset", 1100},
                                                         {"CenterOffset", 1101}, {"InsideOffset", 1102}, {"OutsideOffset", 1103},
                                                         {"Radius", 740}};
    for (const auto& [key, text] : labels)
        if (name == Vtl_String(key)) return dialString(text);
    if (name == Vtl_String("Offset1")) return dialString(1104) + "1";
    if (name == Vtl_String("Offset2")) return dialString(1104) + "2";
    return name;
}
}  // namespace

MacroCutsDialog::MacroCutsDialog(const DlgMacroCutsData& data, CWnd* parent)
    : CAdUiBaseDialog(IDD, parent), data_(data), ownMacro_(data.macroObject) {}

BOOL MacroCutsDialog::OnInitDialog() {
    CAdUiBaseDialog::OnInitDialog();
    ChangeDlgSize(this, kSizeKey, 1);
    grid_.attachToDlgItem(this, kGridId, false);
    grid_.setStyle(1);
    grid_.setOption(SS_SWITCH_ROW_HEADERS, false);
    grid_.setLockColors(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT));
    grid_.setColCount(3, false);
    grid_.setColHeaders(Vtl_StringArray{dialString(87), dialString(881), dialString(1078)});
    grid_.setFitMode(1);
    SetWindowText(dialString(data_.editMode ? 1079 : 1080).c_str());
    for (auto [id, text] : {std::pair{kNameLabelId, 1081}, {kThisMacroId, 710}, {kOtherMacroId, 711}, {kPickId, 1082},
                            {kModuleLabelId, 1083}, {IDOK, 1}, {IDCANCEL, 2}})
        SetDlgItemText(id, dialString(text).c_str());
    typeCombo_.SubclassDlgItem(kTypeId, this);
    for (int i = 0; i < 6; ++i) typeCombo_.AddBitmap(gSettings.libDir() + "icons\\" + kTypePictures[i], dialString(1084 + i));
    auto* list = static_cast<CComboBox*>(GetDlgItem(kListId));
    for (int text = 1395; text <= 1398; ++text) list->AddString(dialString(text).c_str());
    fillFromRecord();
    if (data_.editMode) {
        ::EnableWindow(::GetDlgItem(m_hWnd, kTypeId), FALSE);
        ::EnableWindow(::GetDlgItem(m_hWnd, kNameId), FALSE);
        for (int id : {kThisMacroId, kOtherMacroId, kPickId, kModuleLabelId, kModuleId}) showItem(id, false);
    }
    return TRUE;
}

int MacroCutsDialog::type() const { return typeCombo_.GetCurSel() + 1; }

void MacroCutsDialog::showItem(int id, bool show) { ::ShowWindow(::GetDlgItem(m_hWnd, id), show ? SW_SHOW : SW_HIDE); }

void MacroCutsDialog::fillFromRecord() {
    typeCombo_.SetCurSel(std::clamp(data_.cutType, 1, 6) - 1);
    SetDlgItemText(kNameId, data_.cutName.c_str());
    fillGrid();
    SetDlgItemText(kDistanceId, data_.distance.c_str());
    int radio = kOptionClearId;
    if (data_.cutType == 1) {
        auto* list = static_cast<CComboBox*>(GetDlgItem(kListId));
        list->SetCurSel(data_.listChoice >= 0 && data_.listChoice < list->GetCount() ? data_.listChoice : -1);
        check(kOption2Id, data_.option2);
        check(kOption3Id, data_.option3);
        check(kOption5Id, data_.option5);
        radio = data_.option1 ? kOptionSetId : kOptionClearId;
    } else if (data_.cutType == 4) {
        radio = !data_.option4Present ? kOptionAbsentId : data_.option4 ? kOptionSetId : kOptionClearId;
    } else if (data_.cutType == 3) {
        check(kOption5Id, data_.option5);
    }
    CheckRadioButton(kOptionClearId, kOptionAbsentId, radio);
    check(kThisMacroId, data_.target != 2);
    check(kOtherMacroId, data_.target == 2);
    SetDlgItemText(kModuleId, data_.moduleName.c_str());
    fillModules();
    arrangeForType();
    ::EnableWindow(::GetDlgItem(m_hWnd, kPickId), !checked(kThisMacroId));
}

void MacroCutsDialog::fillGrid() {
    const int rows = data_.varNames.length();
    grid_.setRedraw(false);
    grid_.setRowCount(rows);
    Vtl_StringArray labels, values;
    AcArray<bool> used;
    for (int r = 0; r < rows; ++r) {
        labels.append(variableLabel(data_.varNames[r]));
        values.append(r < data_.values.length() ? data_.values[r] : Vtl_String("0"));
        used.append(r < data_.usedFlags.length() && data_.usedFlags[r]);
    }
    grid_.setColumn(1, labels, false);
    grid_.lockColumn(1);
    grid_.setCheckColumn(2, true, false);
    grid_.setColumnBools(2, used);
    grid_.setColumn(3, values, false);
    grid_.setChanged(false);
    grid_.applyFitMode();
    grid_.setRedraw(true);
}

void MacroCutsDialog::fillModules() {
    auto* combo = static_cast<CComboBox*>(GetDlgItem(kModuleId));
    const std::string typed = GetDlgItemText(kModuleId);
    combo->ResetContent();
    Vtl_StringArray modules;
    data_.macroPicker.GetAllMods(data_.macroObject, modules);
    for (const Vtl_String& m : modules) combo->AddString(m.c_str());
    SetDlgItemText(kModuleId, typed.c_str());
}

void MacroCutsDialog::arrangeForType() {
    const int t = type();
    const bool one = t == 1, four = t == 4;
    if (one && checked(kOptionAbsentId)) CheckRadioButton(kOptionClearId, kOptionAbsentId, kOptionSetId);
    showItem(kOptionClearId, one || four);
    showItem(kOptionSetId, one || four);
    showItem(kOptionAbsentId, four);
    showItem(kListLabelId, one);
    showItem(kListId, one);
    showItem(kOption5Id, one || t == 3);
    showItem(kOption2Id, one && !data_.editMode);
    showItem(kOption3Id, one);
    if (one) {
        SetDlgItemText(kOptionClearId, dialString(1105).c_str());
        SetDlgItemText(kOptionSetId, dialString(1106).c_str());
        SetDlgItemText(kListLabelId, dialString(1394).c_str());
        SetDlgItemText(kOption5Id, dialString(1399).c_str());
        SetDlgItemText(kOption2Id, dialString(1108).c_str());
        SetDlgItemText(kOption3Id, dialString(1109).c_str());
    } else if (four) {
        SetDlgItemText(kOptionClearId, dialString(1110).c_str());
        SetDlgItemText(kOptionSetId, dialString(1111).c_str());
        SetDlgItemText(kOptionAbsentId, dialString(1112).c_str());
    } else if (t == 3) {
        SetDlgItemText(kOption5Id, dialString(1113).c_str());
    }
    arrangeDistance();
    arrangeExclusion();
}

void MacroCutsDialog::arrangeDistance() {
    const bool shown = type() == 4 && !checked(kOptionAbsentId);
    showItem(kDistanceLabelId, shown);
    showItem(kDistanceId, shown);
    if (shown) SetDlgItemText(kDistanceLabelId, dialString(checked(kOptionClearId) ? 1115 : 1114).c_str());
}

void MacroCutsDialog::arrangeExclusion() {
    const bool one = type() == 1;
    const bool five = checked(kOption5Id), two = checked(kOption2Id);
    ::EnableWindow(::GetDlgItem(m_hWnd, kOption2Id), !(one && five));
    ::EnableWindow(::GetDlgItem(m_hWnd, kOption5Id), !(one && two));
    ::EnableWindow(::GetDlgItem(m_hWnd, kOption3Id), two && !five);
}

void MacroCutsDialog::collect() {
    if (grid_.isEditing()) grid_.setEditing(false);
    const int t = type();
    if (!data_.editMode) {
        data_.cutType = t;
        data_.cutName = Vtl_String(GetDlgItemText(kNameId));
    }
    data_.distance = Vtl_String(GetDlgItemText(kDistanceId));
    if (t == 1) {
        data_.option1 = !checked(kOptionClearId);
        data_.listChoice = static_cast<CComboBox*>(GetDlgItem(kListId))->GetCurSel();
        data_.option2 = checked(kOption2Id);
        data_.option3 = checked(kOption3Id);
        data_.option5 = checked(kOption5Id);
    } else if (t == 4) {
        data_.option4Present = !checked(kOptionAbsentId);
        data_.option4 = data_.option4Present && checked(kOptionSetId);
    } else if (t == 3) {
        data_.option5 = checked(kOption5Id);
    }
    grid_.getColumnBools(2, data_.usedFlags);
    grid_.getColumnTexts(3, data_.values);
    if (!data_.editMode) {
        data_.target = checked(kThisMacroId) ? 1 : 2;
        data_.moduleName = Vtl_String(GetDlgItemText(kModuleId));
    }
}

void MacroCutsDialog::message(const Vtl_String& text, int caption) {
    ::MessageBox(m_hWnd, text.c_str(), dialString(caption).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

void MacroCutsDialog::OnOK() {
    if (GetDlgItemText(kModuleId).empty()) {
        message(dialString(1090), 1091);
        return;
    }
    collect();
    // An edited cut keeps its name, which its own macro of course already uses.
    if (data_.target == 2 && !data_.editMode) {
        bool inUse = false;
        data_.CutNameInUse(data_.macroObject, data_.moduleName, data_.cutName, inUse);
        if (inUse) {
            message(dialString(1092) + "\n" + dialString(1093), 1094);
            return;
        }
    }
    if (!data_.AreVarNamesValid()) {
        message(dialString(1095) + "\n" + dialString(1096) + " " + dialString(1097) + " \"gen_\".\n", 1098);
        return;
    }
    CAdUiBaseDialog::OnOK();
}

void MacroCutsDialog::pickMacro() {
    BeginEditorCommand();
    ShowWindow(SW_HIDE);
    bool picked = false;
    try {
        picked = data_.macroPicker.UserSelectMacro(data_.macroObject);
    } catch (...) {
        ShowWindow(SW_SHOW);
        CompleteEditorCommand();
        throw;
    }
    if (picked) fillModules();
    ShowWindow(SW_SHOW);
    CompleteEditorCommand();
}

BOOL MacroCutsDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (id == kTypeId && code == CBN_SELCHANGE) {
        data_.GetDefaultValues(type(), data_.varNames, data_.values, data_.usedFlags);
        fillGrid();
        arrangeForType();
        return TRUE;
    }
    if (code == BN_CLICKED) {
        switch (id) {
        case kOptionClearId:
        case kOptionSetId:
        case kOptionAbsentId:
            arrangeDistance();
            return TRUE;
        case kOption5Id:
        case kOption2Id:
            arrangeExclusion();
            return TRUE;
        case kPickId:
            pickMacro();
            return TRUE;
        case kOtherMacroId:
            ::EnableWindow(::GetDlgItem(m_hWnd, kPickId), TRUE);
            pickMacro();
            return TRUE;
        case kThisMacroId:
            ::EnableWindow(::GetDlgItem(m_hWnd, kPickId), FALSE);
            // The modules offered are this macro's again, not those of a macro picked before.
            if (!(data_.macroObject == ownMacro_)) {
                data_.macroObject = ownMacro_;
                fillModules();
            }
            return TRUE;
        default:
            break;
        }
    }
    return CAdUiBaseDialog::OnCommand(wParam, lParam);
}

BOOL MacroCutsDialog::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE) {
        // A dropped list closes first; the grid's editor keeps its own Escape.
        const HWND focus = ::GetFocus();
        const HWND parent = focus ? ::GetParent(focus) : nullptr;
        const bool dropped = (focus && ::SendMessage(focus, CB_GETDROPPEDSTATE, 0, 0)) ||
                             (parent && ::SendMessage(parent, CB_GETDROPPEDSTATE, 0, 0));
        if (!dropped && !grid_.isEditing()) {
            escaped_ = true;
            EndDialog(IDCANCEL);
            return TRUE;
        }
    }
    return CAdUiBaseDialog::PreTranslateMessage(msg);
}

void MacroCutsDialog::OnDestroy() {
    WriteDlgSize(this, kSizeKey);
    CAdUiBaseDialog::OnDestroy();
}

}  // namespace vtl::ui

bool StartDlgMacroCuts(DlgMacroCutsData& data, bool& escape) {
    escape = false;
    return vtl::ui::guardExport("StartDlgMacroCuts", false, [&] {
        KsTempResourceOverride::Scope resources(vtl::ui::resourceOverride());
        vtl::ui::MacroCutsDialog dlg(data);
        const bool ok = dlg.DoModal() == IDOK;
        escape = dlg.escaped();
        if (ok) data = dlg.data();
        return ok;
    });
}
