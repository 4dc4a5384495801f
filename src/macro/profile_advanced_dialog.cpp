#include "macro/profile_advanced_dialog.h"

#include <cmath>
#include <cstdint>
#include <numbers>

#include "common/section_pictures.h"
#include "frame/export_guard.h"
#include "frame/host.h"
#include "frame/module.h"
#include "vtlbase/controls/control_functions.h"
#include "vtlbase/dialog_size.h"
#include "vtlbase/drawing/catalogue.h"
#include "vtlbase/drawing/macro_operations.h"
#include "vtlbase/sections/section_tables.h"
#include "vtlbase/sections/select_prof.h"
#include "win/api.h"
#include "win/combo_box.h"
#include "win/keys.h"

namespace vtl::ui {
namespace {
constexpr const char* kSizeKey = "DLG_MACRO_PROFADVANCED";
constexpr const char* kMorphedTag = "Morphed";
constexpr int kSecondTableReferences[] = {10164, 10046, 10047, 10048, 10049, 10418, 10420, 10419, 10421};
constexpr int kReferenceCustom = 1413;
// Offset-type index and the position (1 to 9) it stands for.
constexpr std::pair<int, int> kPositions[] = {{3, 5}, {5, 2}, {6, 8}, {7, 4}, {8, 6}, {9, 1}, {10, 3}, {11, 7}, {12, 9}};
constexpr const char* kAxes[] = {"xp", "yp", "zp"};

constexpr struct {
    int id;
    int text;
} kTexts[] = {{1257, 1497}, {1187, 705},  {1188, 1012}, {1251, 969},  {1255, 969},  {1189, 1409}, {1190, 1410},
              {1191, 1411}, {1227, 1013}, {1229, 1014}, {1230, 1015}, {1234, 1016}, {1216, 1005}, {1247, 695},
              {1241, 1017}, {1217, 460},  {1244, 695},  {1245, 1018}, {1350, 462},  {1351, 1019}, {1354, 1343},
              {1224, 1020}, {1225, 1021}, {IDOK, 285}};

Vtl_String offsetText(double v) { return std::isnan(v) ? Vtl_String() : Vtl_String(v, 3); }

// An empty field stands for offsets that differ between the group's profiles: they stay as they are.
double offsetValue(const std::string& text) {
    const auto v = parseNumber(Vtl_String(text));
    return v ? *v : std::nan("");
}
}  // namespace

ProfileAdvancedDialog::ProfileAdvancedDialog(const KsMACallBackData& data, ProfAdvCallback callback, CWnd* parent)
    : CAdUiBaseDialog(IDD, parent), data_(data), callback_(std::move(callback)) {}

int ProfileAdvancedDialog::positionOfOffsetIndex(int index) {
    for (auto [i, p] : kPositions)
        if (i == index) return p;
    return 0;
}

int ProfileAdvancedDialog::offsetIndexOfPosition(int position) {
    for (auto [i, p] : kPositions)
        if (p == position) return i;
    return -1;
}

bool ProfileAdvancedDialog::checked(int id) const { return IsDlgButtonChecked(id) == BST_CHECKED; }
void ProfileAdvancedDialog::check(int id, bool on) { CheckDlgButton(id, on ? BST_CHECKED : BST_UNCHECKED); }

BOOL ProfileAdvancedDialog::OnInitDialog() {
    CAdUiBaseDialog::OnInitDialog();
    filling_ = true;
    data_.windowHandle = m_hWnd.value();
    ChangeDlgSize(this, kSizeKey, 1);
    zoom_.SubclassDlgItem(kZoomId, this);
    zoom_.SetBitmap(234, RGB(192, 192, 192));
    zoom_.SetTooltipText(dialString(868));
    SetWindowText(dialString(1011).c_str());
    for (const auto& t : kTexts) SetDlgItemText(t.id, dialString(t.text).c_str());
    SetDlgItemText(kRot0Id, "0°");
    SetDlgItemText(kRot90Id, "90°");
    SetDlgItemText(kRot180Id, "180°");
    SetDlgItemText(kRot270Id, "270°");
    SetDlgItemText(kPlaneWcsId, "WCS");
    ::ShowWindow(::GetDlgItem(m_hWnd, IDCANCEL), SW_HIDE);
    if (readOnlyGroup) ::EnableWindow(::GetDlgItem(m_hWnd, kGroupId), FALSE);
    for (int id : {kGroupLabelId, kGroupId}) ::ShowWindow(::GetDlgItem(m_hWnd, id), hideGroup ? SW_HIDE : SW_SHOW);
    ::ShowWindow(::GetDlgItem(m_hWnd, kListModeId), hideGroup ? SW_SHOW : SW_HIDE);
    check(kListModeId, listMode);

    auto* reference = static_cast<CComboBox*>(GetDlgItem(kReferenceId));
    for (int n : kSecondTableReferences) reference->AddString(string(n).c_str());
    reference->AddString(dialString(kReferenceCustom).c_str());
    reference->AddString(dialString(695).c_str());
    FillCombo(static_cast<CComboBox*>(GetDlgItem(kOffsetTypeId)), getOffsetTypeStrings(false));
    Vtl_StringArray csNames;
    getAllCoordSys(csIds_, csNames);
    FillCombo(static_cast<CComboBox*>(GetDlgItem(kCsListId)), csNames);
    auto* axis = static_cast<CComboBox*>(GetDlgItem(kAxisId));
    for (int n : {1022, 1023, 1024}) axis->AddString(dialString(n).c_str());
    axis->SetCurSel(2);
    auto* segment = static_cast<CComboBox*>(GetDlgItem(kSegmentId));
    for (int n = 1; n <= 10; ++n) segment->AddString(std::to_string(n).c_str());
    const MacroData* m = data_.macro();
    ::EnableWindow(::GetDlgItem(m_hWnd, kPlaneNewCsId), m && m->temporaryObject);

    if (callback_) {
        callback_(KsMACallBackRead, data_, record_);
        setupResizer();
        if (record_.morphed) {
            RECT r;
            GetWindowRect(&r);
            MoveWindow(r.left, r.top, r.right - r.left, r.bottom - r.top + kMorphExtraHeight);
            resizer_.Move();
        } else {
            resizer_.ShowTagged(kMorphedTag, false);
        }
        drawPicture();
        fillControls();
    } else {
        resizer_.Init(this);
    }
    filling_ = false;
    return TRUE;
}

void ProfileAdvancedDialog::setupResizer() {
    resizer_.Init(this);
    using A = CResizer;
    using E = ResizeEdge;
    // Everything below the section follows the bottom edge: a morphed profile's taller dialog opens a band
    // for the second section and the morph values.
    std::vector<int> following = {1227, 1228, 1229, 1230, 1231, 1234, 1235, kPictureId, 1216, 1233, 1238, 1239, 1240, 1241,
                                  1247, 1242, 1217, 1243, 1244, 1245, 1350, 1351, 1253, 1246, 1252, 1354, 1224, 1225,
                                  1226, kZoomId, IDOK, IDCANCEL, kReferenceId};
    for (int id : kPositionIds) following.push_back(id);
    for (int id : following) resizer_.Add(id, A::parent(E::Left), A::parent(E::Bottom), A::parent(E::Left), A::parent(E::Bottom));
    for (int id : {1255, 1189, 1254, 1190, 1248, 1191, 1249})
        resizer_.Add(id, A::parent(E::Left), A::parent(E::Top), A::parent(E::Left), A::parent(E::Top), kMorphedTag);
}

void ProfileAdvancedDialog::fillControls() {
    const bool wasFilling = filling_;
    filling_ = true;
    SetDlgItemText(kGroupId, record_.groupName.c_str());
    fillSectionCombo(static_cast<CComboBox*>(GetDlgItem(kSectionId)), sectionValues_, record_.sectionName);
    fillSectionCombo(static_cast<CComboBox*>(GetDlgItem(kSecondSectionId)), secondValues_, record_.secondSection);
    SetDlgItemText(kMorph1Id, record_.morphValue1.c_str());
    SetDlgItemText(kMorph2Id, record_.morphValue2.c_str());
    shownOffsetIndex_ = getDlgOffsetType(record_.offsetType, record_.offsetTypeMixed);
    static_cast<CComboBox*>(GetDlgItem(kOffsetTypeId))->SetCurSel(shownOffsetIndex_);
    showOffsetType(shownOffsetIndex_);
    SetDlgItemText(kOffsetXId, offsetText(record_.offsetX).c_str());
    SetDlgItemText(kOffsetYId, offsetText(record_.offsetY).c_str());
    // The last item is the mixed one: a reference that differs between the profiles (-1).
    auto* reference = static_cast<CComboBox*>(GetDlgItem(kReferenceId));
    const int references = reference->GetCount();
    reference->SetCurSel(record_.referenceChoice < 0 ? references - 1
                                                     : (record_.referenceChoice < references - 1 ? record_.referenceChoice : -1));
    showRotation();
    showPlane();
    enablePlaneControls();
    ::SendMessage(::GetDlgItem(m_hWnd, kOptionId), BM_SETCHECK,
                  record_.option < 0 ? BST_INDETERMINATE : (record_.option ? BST_CHECKED : BST_UNCHECKED), 0);
    ::SendMessage(::GetDlgItem(m_hWnd, kOneSegmentId), BM_SETCHECK,
                  record_.onOneSegment < 0 ? BST_INDETERMINATE : (record_.onOneSegment ? BST_CHECKED : BST_UNCHECKED), 0);
    SetDlgItemText(kSegmentId, record_.segmentNumber < 0 ? "" : std::to_string(record_.segmentNumber).c_str());
    const bool oneSegment = checked(kOneSegmentId);
    ::EnableWindow(::GetDlgItem(m_hWnd, kSegmentLabelId), oneSegment);
    ::EnableWindow(::GetDlgItem(m_hWnd, kSegmentId), oneSegment);
    filling_ = wasFilling;
}

void ProfileAdvancedDialog::showOffsetType(int index) {
    const int position = positionOfOffsetIndex(index);
    for (int p = 1; p <= 9; ++p) check(kPositionIds[p - 1], p == position);
    ::EnableWindow(::GetDlgItem(m_hWnd, kOffsetXId), index == 0);
    ::EnableWindow(::GetDlgItem(m_hWnd, kOffsetYId), index == 0);
}

void ProfileAdvancedDialog::showRotation() {
    const Vtl_String& r = record_.rotation;
    int on = kRotOtherId;
    if (r == dialString(695)) {
        on = kRotMixedId;
    } else if (const auto v = parseNumber(r)) {
        if (*v == 0) on = kRot0Id;
        else if (*v == 90) on = kRot90Id;
        else if (*v == 180) on = kRot180Id;
        else if (*v == 270) on = kRot270Id;
    }
    for (int id : {kRot0Id, kRot90Id, kRot180Id, kRot270Id, kRotMixedId, kRotOtherId}) check(id, id == on);
    if (on == kRotOtherId) SetDlgItemText(kRotTextId, r.c_str());
    ::EnableWindow(::GetDlgItem(m_hWnd, kRotTextId), on == kRotOtherId);
}

Vtl_String ProfileAdvancedDialog::collectRotation() const {
    if (checked(kRot0Id)) return "0";
    if (checked(kRot90Id)) return "90";
    if (checked(kRot180Id)) return "180";
    if (checked(kRot270Id)) return "270";
    if (checked(kRotMixedId)) return dialString(695);
    return Vtl_String(GetDlgItemText(kRotTextId));
}

void ProfileAdvancedDialog::showPlane() {
    const bool keep = checked(kPlanePickId) || checked(kPlaneNewCsId) || checked(kPlaneCsId);
    if (record_.plane == dialString(695)) {
        for (int id : {kPlaneWcsId, kPlanePickId, kPlaneNewCsId, kPlaneCsId}) check(id, false);
        check(kPlaneMixedId, true);
    } else if (record_.plane.isEmpty()) {
        for (int id : {kPlaneMixedId, kPlanePickId, kPlaneNewCsId, kPlaneCsId}) check(id, false);
        check(kPlaneWcsId, true);
    } else if (!keep) {
        for (int id : {kPlaneWcsId, kPlaneMixedId, kPlaneNewCsId, kPlaneCsId}) check(id, false);
        check(kPlanePickId, true);
    }
    // The coordinate system the record names is the one the list shows.
    if (!record_.planeObject.isNull())
        for (int i = 0; i < csIds_.length(); ++i)
            if (csIds_[i] == record_.planeObject) static_cast<CComboBox*>(GetDlgItem(kCsListId))->SetCurSel(i);
    for (int a = 0; a < 3; ++a)
        if (record_.plane == kAxes[a]) static_cast<CComboBox*>(GetDlgItem(kAxisId))->SetCurSel(a);
}

void ProfileAdvancedDialog::enablePlaneControls() {
    const bool pickPlane = checked(kPlanePickId), cs = checked(kPlaneCsId), newCs = checked(kPlaneNewCsId);
    ::EnableWindow(::GetDlgItem(m_hWnd, kPlanePickButtonId), pickPlane || cs);
    ::EnableWindow(::GetDlgItem(m_hWnd, kCsListId), cs);
    ::EnableWindow(::GetDlgItem(m_hWnd, kAxisId), cs || newCs);
    SetDlgItemText(kPlanePickButtonId, (dialString(cs ? 1368 : 1230) + "...").c_str());
}

void ProfileAdvancedDialog::drawPicture() {
    Vtl_String type, shape;
    Vtl_String picture = "Unknown-big.bmp";
    const Vtl_String& section = record_.sectionName;
    if (section.startsWith(base::kUserSectionsFolder, false)) picture = sectionImageFile(Vtl_String(), section, true);
    else if (gSectionTables.findTable(section, type, shape)) picture = sectionImageFile(shape, Vtl_String(), true);
    // The section's type in the picture behind the nine position buttons.
    picture_.DeleteObject();
    picture_.LoadFromFile(base::files::resolve((gSettings.libDir() + "icons\\" + picture).str()));
    SendDlgItemMessage(kPictureId, STM_SETIMAGE, IMAGE_BITMAP, static_cast<LPARAM>(picture_.GetSafeHandle().value()));
    // The position buttons stay on top of the picture.
    for (int id : kPositionIds) {
        ::SetWindowPos(::GetDlgItem(m_hWnd, id), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        ::ShowWindow(::GetDlgItem(m_hWnd, id), SW_SHOW);
    }
}

void ProfileAdvancedDialog::collect() {
    if (!readOnlyGroup && !hideGroup) record_.groupName = Vtl_String(GetDlgItemText(kGroupId));
    Vtl_String value;
    auto take = [&](int comboId, const Vtl_StringArray& values, Vtl_String& field) {
        if (!refreshSection_ && !field.endsWith(".dwg") &&
            selectedSectionValue(static_cast<CComboBox*>(GetDlgItem(comboId)), values, value))
            field = value;
    };
    take(kSectionId, sectionValues_, record_.sectionName);
    if (record_.morphed) {
        take(kSecondSectionId, secondValues_, record_.secondSection);
        record_.morphValue1 = Vtl_String(GetDlgItemText(kMorph1Id));
        record_.morphValue2 = Vtl_String(GetDlgItemText(kMorph2Id));
    }
    // The mixed item keeps the references that differ as they are.
    auto* reference = static_cast<CComboBox*>(GetDlgItem(kReferenceId));
    const int chosen = reference->GetCurSel();
    if (chosen >= 0) record_.referenceChoice = chosen == reference->GetCount() - 1 ? -1 : chosen;
    const int offsetIndex = static_cast<CComboBox*>(GetDlgItem(kOffsetTypeId))->GetCurSel();
    if (offsetIndex >= 0 && offsetIndex != shownOffsetIndex_) {
        const int type = getProfOffsetType(offsetIndex);
        if (type < 0) {
            record_.offsetTypeMixed = true;
        } else {
            record_.offsetType = type;
            record_.offsetTypeMixed = false;
        }
    }
    record_.offsetX = offsetValue(GetDlgItemText(kOffsetXId));
    record_.offsetY = offsetValue(GetDlgItemText(kOffsetYId));
    record_.rotation = collectRotation();
    const int axis = static_cast<CComboBox*>(GetDlgItem(kAxisId))->GetCurSel();
    const Vtl_String axisPlane = kAxes[axis >= 0 && axis < 3 ? axis : 2];
    if (checked(kPlaneMixedId)) {
        record_.plane = dialString(695);
    } else if (checked(kPlaneWcsId)) {
        record_.plane = Vtl_String();
        record_.planeObject = AcDbObjectId();
    } else if (checked(kPlaneNewCsId)) {
        record_.plane = axisPlane;
        record_.planeObject = createdCs_;
    } else if (checked(kPlaneCsId)) {
        record_.plane = axisPlane;
        // No system picked and none chosen in the list: no plane object (not an index of -1).
        const int selected = static_cast<CComboBox*>(GetDlgItem(kCsListId))->GetCurSel();
        if (!pickedCs_.isNull()) record_.planeObject = pickedCs_;
        else record_.planeObject = selected >= 0 && selected < csIds_.length() ? csIds_[selected] : AcDbObjectId();
    }
    const auto state = [this](int id) {
        const LRESULT s = ::SendMessage(::GetDlgItem(m_hWnd, id), BM_GETCHECK, 0, 0);
        return s == BST_INDETERMINATE ? -1 : (s == BST_CHECKED ? 1 : 0);
    };
    record_.option = state(kOptionId);
    record_.onOneSegment = state(kOneSegmentId);
    const Vtl_String segment(GetDlgItemText(kSegmentId));
    if (!segment.isEmpty() || record_.segmentNumber >= 0) record_.segmentNumber = segment.isEmpty() ? -1 : segment.toInt();
}

void ProfileAdvancedDialog::apply() {
    if (!callback_ || filling_) return;
    collect();
    callback_(KsMACallBackStore, data_, record_);
    refreshSection_ = false;
    fillControls();
}

bool ProfileAdvancedDialog::pick(const std::function<bool()>& body) {
    BeginEditorCommand();
    ShowWindow(SW_HIDE);
    if (callback_) callback_(KsMACallBackPickStart, data_, record_);
    bool done = false;
    try {
        done = body();
    } catch (...) {
        if (callback_) callback_(KsMACallBackPickEnd, data_, record_);
        ShowWindow(SW_SHOW);
        CompleteEditorCommand();
        throw;
    }
    if (callback_) callback_(KsMACallBackPickEnd, data_, record_);
    ShowWindow(SW_SHOW);
    CompleteEditorCommand();
    return done;
}

void ProfileAdvancedDialog::onPosition(int position) {
    const int index = offsetIndexOfPosition(position);
    static_cast<CComboBox*>(GetDlgItem(kOffsetTypeId))->SetCurSel(index);
    showOffsetType(index);
    apply();
}

void ProfileAdvancedDialog::onChooseSection(bool second) {
    auto* combo = static_cast<CComboBox*>(GetDlgItem(second ? kSecondSectionId : kSectionId));
    Vtl_StringArray& values = second ? secondValues_ : sectionValues_;
    if (!chooseOtherSection(combo, values)) return;
    Vtl_String chosen;
    if (!selectedSectionValue(combo, values, chosen)) return;
    collect();
    (second ? record_.secondSection : record_.sectionName) = chosen;
    // The picked name counts, not what the combo showed before.
    refreshSection_ = true;
    if (callback_) callback_(KsMACallBackStore, data_, record_);
    refreshSection_ = false;
    fillControls();
    drawPicture();
}

void ProfileAdvancedDialog::onPickPlane() {
    collect();
    bool picked = false;
    if (checked(kPlanePickId)) {
        AcDbObjectId object = record_.planeObject;
        Vtl_String plane = record_.plane;
        picked = pick([&] { return UserSelectPlane(object, plane); });
        if (picked) {
            record_.planeObject = object;
            record_.plane = plane;
        }
    } else {
        AcDbObjectId cs;
        picked = pick([&] { return selectCoordSys(cs); });
        if (picked) {
            pickedCs_ = cs;
            Vtl_StringArray names;
            getAllCoordSys(csIds_, names);
            FillCombo(static_cast<CComboBox*>(GetDlgItem(kCsListId)), names);
            for (int i = 0; i < csIds_.length(); ++i)
                if (csIds_[i] == cs) static_cast<CComboBox*>(GetDlgItem(kCsListId))->SetCurSel(i);
        }
    }
    // A cancelled pick changes nothing.
    if (picked) apply();
    else fillControls();
}

void ProfileAdvancedDialog::onZoom() {
    if (zooming_) return;
    zooming_ = true;
    try {
        pick([] {
            ZoomCommand();
            return true;
        });
    } catch (...) {
        zooming_ = false;
        throw;
    }
    zooming_ = false;
}

BOOL ProfileAdvancedDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (filling_) return CAdUiBaseDialog::OnCommand(wParam, lParam);
    if (code == BN_CLICKED) {
        for (int p = 1; p <= 9; ++p)
            if (id == kPositionIds[p - 1]) {
                onPosition(p);
                return TRUE;
            }
        switch (id) {
        case kRot0Id:
        case kRot90Id:
        case kRot180Id:
        case kRot270Id:
        case kRotMixedId:
            ::EnableWindow(::GetDlgItem(m_hWnd, kRotTextId), FALSE);
            apply();
            return TRUE;
        case kRotOtherId:
            ::EnableWindow(::GetDlgItem(m_hWnd, kRotTextId), TRUE);
            return TRUE;
        case kPlaneWcsId:
        case kPlaneMixedId:
        case kPlanePickId:
        case kPlaneCsId:
            enablePlaneControls();
            if (id != kPlanePickId) apply();
            return TRUE;
        case kPlaneNewCsId:
            enablePlaneControls();
            if (createdCs_.isNull()) createCoordSys(createdCs_);
            apply();
            return TRUE;
        case kPlanePickButtonId:
            onPickPlane();
            return TRUE;
        case kPickPointId: {
            collect();
            Vector2d point;
            const double radians = (parseNumber(record_.rotation).value_or(0)) * std::numbers::pi / 180.0;
            const Vtl_String section = record_.sectionName;
            if (pick([&] { return UserChooseSectionPoint(section, radians, point); })) {
                record_.sectionPointChosen = true;
                record_.sectionPoint = point;
                apply();
            } else {
                fillControls();
            }
            return TRUE;
        }
        case kZoomId:
            onZoom();
            return TRUE;
        case kChooseSectionId:
            onChooseSection(false);
            return TRUE;
        case kChooseSecondId:
            onChooseSection(true);
            return TRUE;
        case kOneSegmentId: {
            const bool on = checked(kOneSegmentId);
            ::EnableWindow(::GetDlgItem(m_hWnd, kSegmentLabelId), on);
            ::EnableWindow(::GetDlgItem(m_hWnd, kSegmentId), on);
            apply();
            return TRUE;
        }
        case kOptionId: {
            // Clicked, the option is a plain yes or no: the mixed state is only shown.
            const LRESULT s = ::SendMessage(::GetDlgItem(m_hWnd, kOptionId), BM_GETCHECK, 0, 0);
            if (s == BST_INDETERMINATE) ::SendMessage(::GetDlgItem(m_hWnd, kOptionId), BM_SETCHECK, BST_UNCHECKED, 0);
            apply();
            return TRUE;
        }
        default:
            break;
        }
    }
    if (code == CBN_SELCHANGE) {
        switch (id) {
        case kOffsetTypeId:
            showOffsetType(static_cast<CComboBox*>(GetDlgItem(kOffsetTypeId))->GetCurSel());
            apply();
            drawPicture();
            return TRUE;
        case kSectionId:
            apply();
            drawPicture();
            return TRUE;
        case kAxisId:
        case kSecondSectionId:
        case kReferenceId:
        case kSegmentId:
            apply();
            return TRUE;
        case kCsListId:
            pickedCs_ = AcDbObjectId();
            apply();
            return TRUE;
        default:
            break;
        }
    }
    if (code == EN_KILLFOCUS && (id == kOffsetXId || id == kOffsetYId || id == kRotTextId || id == kMorph1Id || id == kMorph2Id ||
                                 id == kGroupId)) {
        apply();
        return TRUE;
    }
    return CAdUiBaseDialog::OnCommand(wParam, lParam);
}

BOOL ProfileAdvancedDialog::PreTranslateMessage(MSG* msg) {
    // Enter applies what was typed and keeps the dialog open.
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) {
        const HWND focus = ::GetFocus();
        if (focus && ::GetDlgCtrlID(focus) != IDOK && ::IsChild(m_hWnd, focus)) {
            apply();
            return TRUE;
        }
    }
    return CAdUiBaseDialog::PreTranslateMessage(msg);
}

void ProfileAdvancedDialog::OnOK() {
    if (hideGroup) listMode = checked(kListModeId);
    apply();
    CAdUiBaseDialog::OnOK();
}

void ProfileAdvancedDialog::OnDestroy() {
    WriteDlgSize(this, kSizeKey);
    CAdUiBaseDialog::OnDestroy();
}

// The exported openers.

namespace {
bool macroCallback(KsMACallBackType type, KsMACallBackData& data, MacroProfData& record) {
    MacroData* m = data.macro();
    if (!m) return false;
    if (type == KsMACallBackRead) {
        m->getMergedPropsOfGroup(data.moduleName, data.groupName, record);
    } else if (type == KsMACallBackStore) {
        m->setMergedPropsOfGroup(data.moduleName, data.groupName, record);
        AcArray<int> changes;
        changes.append(MacroChange::profileGroup);
        UpdateModule(data.moduleName, *m, changes, AcArray<int>());
        m->getMergedPropsOfGroup(data.moduleName, data.groupName, record);
    }
    return true;
}
}  // namespace

}  // namespace vtl::ui

bool StartDlgMacroProfAdv(MacroData& macro, const Vtl_String& moduleName, const Vtl_String& groupName, bool option) {
    return vtl::ui::guardExport("StartDlgMacroProfAdv", false, [&] {
        KsTempResourceOverride::Scope resources(vtl::ui::resourceOverride());
        KsMACallBackData data;
        data.groupName = groupName;
        data.moduleName = moduleName;
        data.initDataClass(macro);
        for (int i = 0; i < macro.objectIds.length(); ++i) data.objectIds.append(macro.objectIds[i]);
        vtl::ui::ProfileAdvancedDialog dlg(data, vtl::ui::macroCallback);
        dlg.option = option;
        dlg.DoModal();
        // The callback worked on its own copy: the caller's record receives what the dialog made of it.
        if (const MacroData* worked = dlg.callbackData().macro()) {
            const bool closed = macro.closed;
            macro = *worked;
            macro.closed = closed;
        }
        if (macro.temporaryObject && macro.objectIds.length() == 1) EraseObject(macro.objectIds[0]);
        if (!dlg.createdCoordSys().isNull()) EraseObject(dlg.createdCoordSys());
        return true;
    });
}

bool StartDlgMacroProfAdv(const AcArray<AcDbObjectId>* profiles, bool& listMode, KsMAProfCallBack callback) {
    return vtl::ui::guardExport("StartDlgMacroProfAdv", false, [&] {
        if (!profiles || profiles->isEmpty()) return false;
        KsTempResourceOverride::Scope resources(vtl::ui::resourceOverride());
        KsMACallBackData data;
        for (int i = 0; i < profiles->length(); ++i) data.objectIds.append((*profiles)[i]);
        vtl::ui::ProfAdvCallback wrapped;
        if (callback) wrapped = [callback](KsMACallBackType t, KsMACallBackData& d, MacroProfData& r) { return callback(t, d, r); };
        vtl::ui::ProfileAdvancedDialog dlg(data, wrapped);
        dlg.objects = *profiles;
        dlg.readOnlyGroup = true;
        dlg.hideGroup = true;
        dlg.listMode = listMode;
        dlg.DoModal();
        listMode = dlg.listMode;
        return true;
    });
}
