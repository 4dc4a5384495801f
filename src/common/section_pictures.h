#pragma once
// Section pictures and the section combo box. Pictures live in the library's "icons\" folder as
// <name>-big.bmp and <name>-small.bmp, "Unknown" standing for a section without its own; a user-defined
// section N has its source picture "User Sections\N.bmp" and a small picture derived from it,
// "icons\N-automated.bmp", kept current by file time.
//
// The section combo works on two parallel arrays: the values (section system names, or one user-section
// path) and what the combo shows (user names), which has one extra last entry, the mixed-value text (UI
// 695), standing for no value.
#include "frame/vtlbase.h"
#include "vtlbase/controls/button_st.h"
#include "win/combo_box.h"
#include "win/dialog.h"

namespace vtl::ui {

// The base name of a shape code's pictures ("ProfSectionHL" for 3); empty for a code outside 1 to 17.
Vtl_String sectionShapeImageName(int shapeCode);
// The picture of a section, relative to the "icons\" folder: by its shape (a code, or a drawing
// "X.dwg"), or for an empty shape by the user-section path ("User Sections\X.dwg"). A small user-section
// picture is derived from its source picture when needed. "Unknown-big.bmp" / "Unknown-small.bmp" when
// there is no picture.
Vtl_String sectionImageFile(const Vtl_String& shape, const Vtl_String& userSectionPath, bool big);
// Makes "icons\<name>-automated.bmp" a copy of "User Sections\<name>.bmp" unless it is already as new.
// `pictureName` becomes name + "-automated.bmp". True when that picture exists afterwards.
bool refreshUserSectionImage(const Vtl_String& name, Vtl_String& pictureName);

// The user name of a section, the system name itself when the library does not know it.
Vtl_String sectionUserName(const Vtl_String& sysName);
// The active sizes of the section's type as values, their user names in `display` followed by the
// mixed-value text. No values when the type has no table.
Vtl_StringArray sectionSizesOfType(const Vtl_String& sysName, Vtl_StringArray& display);
// Fills the combo with the sizes of the current section's type (or the one user section) and selects
// the current section; without a matching entry the selection stays as it was.
void fillSectionCombo(CComboBox* combo, Vtl_StringArray& values, const Vtl_String& current);
// Runs the section selector; when a section is chosen, refills the combo for it and answers true.
bool chooseOtherSection(CComboBox* combo, Vtl_StringArray& values);
// The value of the selected entry; false without a selection or on the extra last entry.
bool selectedSectionValue(CComboBox* combo, const Vtl_StringArray& values, Vtl_String& value);

// Sets up a disabled bitmap button showing a picture file (from the "icons\" folder when asked), drawn in
// colour without border, white or light grey transparent; attaches the button to the control first when
// asked. Nothing without dialog or button.
void setupPictureButton(CDialog* dialog, CButtonST* button, int controlId, const Vtl_String& picture, bool fromIcons,
                        bool whiteBackground, bool attach);
// Replaces the button's picture (light grey transparent).
void setButtonPicture(CButtonST* button, const Vtl_String& picture, bool fromIcons);

}  // namespace vtl::ui
