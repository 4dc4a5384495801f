// DlgSelectProf: groups, types and sizes of the library's sections, with the chosen type's picture.
#include <array>
#include <string>
#include <vector>

#include "vtlbase/controls/button_st.h"
#include "vtlbase/dialog_services.h"
#include "vtlbase/file_functions.h"
#include "vtlbase/files/file_io.h"
#include "vtlbase/sections/section_tables.h"
#include "vtlbase/sections/select_prof.h"
#include "vtlbase/settings.h"
#include "vtlbase/text_functions.h"
#include "vtlbase/ui_text.h"
#include "win/combo_box.h"
#include "win/dialog.h"
#include "win/list_box.h"
#include "win/messages.h"

namespace {
using namespace vtl::base;

// Groups in the order shown, by the UI text of their names.
enum Group { Beams, Angles, Channels, Hollow, Bars, Other, User, GroupCount };
constexpr std::array<int, GroupCount> kGroupText = {20104, 20105, 20106, 20107, 20108, 20109, 20110};

// The group of a type by its shape code; drawings and unknown codes are other sections.
Group groupOfShape(const Vtl_String& shape) {
    if (!isNumber(shape)) return Other;
    switch (shape.toInt()) {
        case 1: case 5: case 6: case 17: return Beams;       // I, T, I with openings, cut I
        case 2: case 3: case 14: return Angles;              // equal, unequal, V
        case 4: case 7: case 12: case 13: return Channels;   // U, U with openings, C, Z
        case 10: case 11: case 15: case 16: return Hollow;   // tubes, O, Q
        case 8: case 9: return Bars;                         // flat and round bars
        default: return Other;
    }
}

// The big picture of a shape, as a path below the library folder; "Unknown-big.bmp" when it has none.
Vtl_String pictureOfShape(const Vtl_String& shape) {
    static constexpr std::array<const char*, 17> kNames = {
        "I", "CL", "HL", "CU", "T", "OI", "OU", "Rect", "Round", "RectTube", "RoundTube", "C", "Z", "V", "O", "Q",
        "CuttedI"};
    Vtl_String name;
    if (shape.endsWith(".dwg", false)) {
        name = removeExtension(shape);
    } else if (isNumber(shape)) {
        const int code = shape.toInt();
        if (code >= 1 && code <= 17) name = Vtl_String("ProfSection") + kNames[static_cast<std::size_t>(code - 1)];
    }
    const Vtl_String icons = gSettings.libDir() + "icons\\";
    if (!name.isEmpty() && files::fileExists((icons + name + "-big.bmp").view())) return icons + name + "-big.bmp";
    return icons + "Unknown-big.bmp";
}

class SelectProfDialog : public CDialog {
public:
    SelectProfDialog(DlgSelectProfData& data, bool withUser)
        : CDialog(kSelectProfTemplate), data_(data), withUser_(withUser) {}

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        SetWindowText(dialString(20100).c_str());
        SetDlgItemText(1000, dialString(20101).c_str());
        SetDlgItemText(1002, dialString(20102).c_str());
        SetDlgItemText(1004, dialString(20103).c_str());
        groupBox_.SubclassDlgItem(kSelectProfGroupId, this);
        typeList_.SubclassDlgItem(kSelectProfTypeId, this);
        sizeList_.SubclassDlgItem(kSelectProfSizeId, this);
        picture_.SubclassDlgItem(kSelectProfPictureId, this);
        picture_.DrawColoredWhenDisabled(true);
        picture_.DrawBorder(false);
        picture_.SetFlat(true);
        collectTypes();
        for (int g = 0; g < GroupCount; ++g)
            if (!typesOf_[static_cast<std::size_t>(g)].isEmpty()) {
                groups_.push_back(static_cast<Group>(g));
                groupBox_.AddString(dialString(kGroupText[static_cast<std::size_t>(g)]).c_str());
            }
        showInitial();
        return TRUE;
    }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        const int id = LOWORD(wParam);
        const WORD code = HIWORD(wParam);
        if (id == kSelectProfGroupId && code == CBN_SELCHANGE) {
            showGroup(groupBox_.GetCurSel());
            return TRUE;
        }
        if (id == kSelectProfTypeId && code == LBN_SELCHANGE) {
            showType(typeList_.GetCurSel());
            return TRUE;
        }
        if (id == kSelectProfSizeId && code == LBN_SELCHANGE) {
            showSize();
            return TRUE;
        }
        if (id == kSelectProfSizeId && code == LBN_DBLCLK) {
            OnOK();
            return TRUE;
        }
        return CDialog::OnCommand(wParam, lParam);
    }

    // OK needs a chosen size; without one the dialog stays open.
    void OnOK() override {
        const int size = sizeList_.GetCurSel();
        if (size < 0 || size >= sizeValues_.length()) return;
        data_.profName = sizeValues_[size];
        CDialog::OnOK();
    }

private:
    void collectTypes() {
        Vtl_StringArray types;
        gSectionTables.getTypeNames(types);
        for (const Vtl_String& type : types) {
            Vtl_String shape;
            if (!gSectionTables.getShape(type, shape)) continue;
            typesOf_[groupOfShape(shape)].append(type);
        }
        if (!withUser_) return;
        for (const auto& file : files::findFiles((gSettings.libDir() + kUserSectionsFolder).view(), "*.dwg"))
            typesOf_[User].append(removeExtension(Vtl_String(file)));
    }

    // The group, type and size of the initial name, when the library has them.
    void showInitial() {
        const Vtl_String& name = data_.initialName;
        Vtl_String userPath = name;
        const Vtl_String lib = gSettings.libDir();
        if (userPath.startsWith(lib, false)) userPath = userPath.getSubStringAt(lib.length());
        if (withUser_ && userPath.startsWith(kUserSectionsFolder, false)) {
            const Vtl_String user = removeExtension(userPath.getSubStringAt(Vtl_String(kUserSectionsFolder).length()));
            if (select(User, user)) return;
        } else if (!name.isEmpty()) {
            Vtl_String type, shape;
            if (gSectionTables.findTable(name, type, shape) && select(groupOfShape(shape), type)) {
                const int size = sizeValues_.find(name);
                if (size >= 0) {
                    sizeList_.SetCurSel(size);
                    showSize();
                }
                return;
            }
        }
        showGroup(groups_.empty() ? -1 : 0);
    }

    // Shows the group and selects one of its types (a user section selects its one entry too).
    bool select(Group group, const Vtl_String& type) {
        for (std::size_t g = 0; g < groups_.size(); ++g) {
            if (groups_[g] != group) continue;
            const int index = typesOf_[group].find(type, false);
            if (index < 0) return false;
            groupBox_.SetCurSel(static_cast<int>(g));
            showGroup(static_cast<int>(g), index);
            return true;
        }
        return false;
    }

    void showGroup(int index, int type = 0) {
        typeList_.ResetContent();
        group_ = index >= 0 && index < static_cast<int>(groups_.size()) ? groups_[static_cast<std::size_t>(index)] : Other;
        if (index < 0 || index >= static_cast<int>(groups_.size())) {
            showType(-1);
            return;
        }
        if (groupBox_.GetCurSel() != index) groupBox_.SetCurSel(index);
        for (const Vtl_String& t : typesOf_[group_]) typeList_.AddString(t.c_str());
        typeList_.SetCurSel(type);
        showType(type);
    }

    void showType(int index) {
        sizeList_.ResetContent();
        sizeValues_.removeAll();
        Vtl_String picture = gSettings.libDir() + "icons\\Unknown-big.bmp";
        const Vtl_StringArray& types = typesOf_[group_];
        if (index >= 0 && index < types.length()) {
            const Vtl_String& type = types[index];
            if (group_ == User) {
                // A user section is one size: its drawing, shown by its name, pictured by its source picture.
                sizeValues_.append(gSettings.libDir() + kUserSectionsFolder + type + ".dwg");
                sizeList_.AddString(type.c_str());
                const Vtl_String source = gSettings.libDir() + kUserSectionsFolder + type + ".bmp";
                if (files::fileExists(source.view())) picture = source;
            } else {
                Vtl_StringArray names;
                gSectionTables.getSizes(type, true, sizeValues_, names);
                for (const Vtl_String& n : names) sizeList_.AddString(n.c_str());
                Vtl_String shape;
                gSectionTables.getShape(type, shape);
                picture = pictureOfShape(shape);
            }
        }
        picture_.SetBitmapFile(picture, RGB(255, 255, 255));
        picture_.Invalidate();
        showSize();
    }

    void showSize() {
        const int size = sizeList_.GetCurSel();
        const bool chosen = size >= 0 && size < sizeValues_.length();
        SetDlgItemText(kSelectProfNameId, chosen ? sizeList_.GetText(size).c_str() : "");
        if (CWnd* ok = GetDlgItem(IDOK)) ok->EnableWindow(chosen ? TRUE : FALSE);
    }

    DlgSelectProfData& data_;
    bool withUser_;
    std::array<Vtl_StringArray, GroupCount> typesOf_;
    std::vector<Group> groups_;
    Group group_ = Other;
    Vtl_StringArray sizeValues_;
    CComboBox groupBox_;
    CListBox typeList_;
    CListBox sizeList_;
    CButtonST picture_;
};
}  // namespace

bool DlgSelectProf(DlgSelectProfData& data, bool withUserSections) {
    ensureVtlbaseResources();
    SelectProfDialog dialog(data, withUserSections);
    return dialog.DoModal() == IDOK;
}
