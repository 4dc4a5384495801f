#pragma once
// What each control type of a designed dialog is: its window-class kind and the texts the designer shows
// for it (type-list caption, "contents" label, "comboList" label).
#include "frame/vtlbase.h"
#include "vtlui/vtl_designer_control.h"

namespace vtl::designer {

inline constexpr int kControlTypeCount = 31;  // types 0 .. 30

enum class ControlKind { ScrollBar = 0, Static = 1, Button = 2, Edit = 3, ListBox = 4, ComboBox = 5 };

// BUTTON for 1, 6, 12, 14, 17, 24, 25, 26, 29, 30; EDIT for 2, 4, 5, 8-11, 18-23; COMBOBOX for 3, 7, 13,
// 15, 16, 27, 28; STATIC for 0 and every other number.
ControlKind controlKind(Vtl_ControlType type);
// "SCROLLBAR", "STATIC", "BUTTON", "EDIT", "LISTBOX" or "COMBOBOX".
const char* controlKindClassName(ControlKind kind);

// The type's caption in the designer's type list (types 4 and 5 composed with their digit); empty for
// numbers outside 0 .. 30.
Vtl_String controlTypeCaption(Vtl_ControlType type);
// The label of the "contents" property (blank where the type has none: the field stays usable).
Vtl_String controlTypeContentsLabel(Vtl_ControlType type);
// Whether the type has a "comboList" property (types 0, 1, 3, 23, 25, 26, 27, 29, 30) and its label.
bool controlTypeHasList(Vtl_ControlType type);
Vtl_String controlTypeListLabel(Vtl_ControlType type);

// Types whose "comboList" text carries several parts.
inline bool isCellButtonType(Vtl_ControlType type) { return type == 25 || type == 26; }
inline bool isFlexButtonType(Vtl_ControlType type) { return type == 30; }

}  // namespace vtl::designer
