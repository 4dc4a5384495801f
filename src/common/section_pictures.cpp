// Section pictures by shape, user-section pictures kept current, the section combo and picture buttons.
#include "common/section_pictures.h"

#include <array>

#include "common/dialog_helpers.h"
#include "vtlbase/controls/control_functions.h"
#include "vtlbase/sections/section_tables.h"
#include "vtlbase/sections/select_prof.h"
#include "vtlui/vtl_prof_values_table.h"

namespace vtl::ui {
namespace {
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kLightGrey = RGB(192, 192, 192);
constexpr int kMixedValueText = 695;
const Vtl_String kUserSections(base::kUserSectionsFolder);

Vtl_String iconsFolder() { return gSettings.libDir() + "icons\\"; }

// A user-section path without its folder prefix and extension ("User Sections\Rail.dwg" gives "Rail").
Vtl_String userSectionName(const Vtl_String& path) {
    Vtl_String name = path;
    if (name.startsWith(kUserSections, false)) name = name.getSubStringAt(kUserSections.length());
    return removeExtension(name);
}
}  // namespace

Vtl_String sectionShapeImageName(int shapeCode) {
    static constexpr std::array<const char*, 17> kNames = {
        "ProfSectionI",      "ProfSectionCL",     "ProfSectionHL",       "ProfSectionCU",       "ProfSectionT",
        "ProfSectionOI",     "ProfSectionOU",     "ProfSectionRect",     "ProfSectionRound",    "ProfSectionRectTube",
        "ProfSectionRoundTube", "ProfSectionC",   "ProfSectionZ",        "ProfSectionV",        "ProfSectionO",
        "ProfSectionQ",      "ProfSectionCuttedI"};
    if (shapeCode < 1 || shapeCode > 17) return Vtl_String();
    return Vtl_String(kNames[static_cast<std::size_t>(shapeCode - 1)]);
}

Vtl_String sectionImageFile(const Vtl_String& shape, const Vtl_String& userSectionPath, bool big) {
    const bool userSection = shape.isEmpty();
    Vtl_String name;
    if (!userSection)
        name = shape.endsWith(".dwg", false) ? removeExtension(shape) : sectionShapeImageName(shape.toInt());
    else
        name = userSectionName(userSectionPath);
    const Vtl_String suffix(big ? "-big.bmp" : "-small.bmp");
    if (!name.isEmpty() && fileExists(iconsFolder() + name + suffix)) return name + suffix;
    Vtl_String derived;
    if (userSection && !big && !name.isEmpty() && refreshUserSectionImage(name, derived)) return derived;
    return Vtl_String("Unknown") + suffix;
}

bool refreshUserSectionImage(const Vtl_String& name, Vtl_String& pictureName) {
    pictureName = name + "-automated.bmp";
    // The name becomes a file name in two folders: nothing that could leave them.
    std::string reason;
    if (!base::files::validFileName(name.view(), reason)) return false;
    const Vtl_String source = gSettings.libDir() + kUserSections + name + ".bmp";
    const Vtl_String target = iconsFolder() + pictureName;
    Vtl_FileTime sourceTime{}, targetTime{};
    if (!ObjectExportGetFileTime(source, sourceTime)) return false;
    if (!ObjectExportGetFileTime(target, targetTime) || targetTime < sourceTime) {
        std::string error;
        base::files::copyFile(source.view(), target.view(), error);
    }
    // A copy that failed (a missing or read-only "icons" folder) must not name a picture that is not there.
    return fileExists(target);
}

Vtl_String sectionUserName(const Vtl_String& sysName) {
    Vtl_String userName;
    if (gSectionTables.getUserName(sysName, userName)) return userName;
    return sysName;
}

Vtl_StringArray sectionSizesOfType(const Vtl_String& sysName, Vtl_StringArray& display) {
    Vtl_StringArray values;
    display.removeAll();
    Vtl_ProfValuesTable table;
    if (table.readFromFile(base::sectionTypeOf(sysName) + ".pr")) {
        table.getFilteredSysNames(values);
        display.setPhysicalLength(values.length() + 1);
        for (const Vtl_String& value : values) display.append(sectionUserName(value));
    }
    display.append(dialString(kMixedValueText));
    return values;
}

void fillSectionCombo(CComboBox* combo, Vtl_StringArray& values, const Vtl_String& current) {
    Vtl_StringArray display;
    Vtl_String toSelect;
    if (current.startsWith(kUserSections, false)) {
        values.removeAll();
        values.append(current);
        toSelect = userSectionName(current);
        display.append(toSelect);
        display.append(dialString(kMixedValueText));
    } else {
        values = sectionSizesOfType(current, display);
        toSelect = sectionUserName(current);
    }
    if (!combo) return;
    FillCombo(combo, display);
    const int index = display.find(toSelect);
    if (index >= 0) combo->SetCurSel(index);
}

bool chooseOtherSection(CComboBox* combo, Vtl_StringArray& values) {
    DlgSelectProfData data;
    data.initialName = Vtl_String();  // the unknown state
    if (!DlgSelectProf(data, true)) return false;
    Vtl_String chosen = data.profName;
    const Vtl_String lib = gSettings.libDir();
    if (chosen.startsWith(lib, false)) chosen = chosen.getSubStringAt(lib.length());
    fillSectionCombo(combo, values, chosen);
    return true;
}

bool selectedSectionValue(CComboBox* combo, const Vtl_StringArray& values, Vtl_String& value) {
    if (!combo) return false;
    const int index = combo->GetCurSel();
    if (index < 0 || index >= values.length()) return false;
    value = values[index];
    return true;
}

void setupPictureButton(CDialog* dialog, CButtonST* button, int controlId, const Vtl_String& picture, bool fromIcons,
                        bool whiteBackground, bool attach) {
    if (!dialog || !button) return;
    const Vtl_String path = fromIcons ? iconsFolder() + picture : picture;
    if (attach) button->SubclassDlgItem(static_cast<UINT>(controlId), dialog);
    button->DrawColoredWhenDisabled(true);
    button->SetBitmapFile(path, whiteBackground ? kWhite : kLightGrey);
    button->DrawBorder(false);
    button->EnableWindow(FALSE);
}

void setButtonPicture(CButtonST* button, const Vtl_String& picture, bool fromIcons) {
    if (!button) return;
    button->SetBitmapFile(fromIcons ? iconsFolder() + picture : picture, kLightGrey);
    button->Invalidate();
}

}  // namespace vtl::ui
