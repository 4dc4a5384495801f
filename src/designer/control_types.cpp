#include "designer/control_types.h"

#include <array>

namespace vtl::designer {
namespace {

// UI string numbers per type: caption, "contents" label (0 = blank), "comboList" label parts (none = no
// list property).
struct TypeTexts {
    int caption;
    int contentsLabel;
    std::array<int, 4> listLabel;  // 0 ends the parts
};

const std::array<TypeTexts, kControlTypeCount>& typeTexts() {
    static const std::array<TypeTexts, kControlTypeCount> texts{{
        {799, 827, {1403}},                    // 0 label
        {800, 827, {1403}},                    // 1 group box
        {801, 828, {}},                        // 2 edit
        {802, 828, {833}},                     // 3 editable combo
        {803, 829, {}},                        // 4 pattern text 1 (caption composed)
        {803, 829, {}},                        // 5 pattern text 2 (caption composed)
        {804, 829, {}},                        // 6
        {805, 0, {}},                          // 7
        {806, 0, {}},   {807, 0, {}},   {808, 0, {}},   {809, 0, {}},  // 8-11
        {810, 0, {}},                          // 12
        {811, 830, {}}, {812, 830, {}}, {813, 830, {}}, {814, 830, {}}, {815, 830, {}},  // 13-17
        {816, 831, {}}, {817, 831, {}}, {818, 831, {}}, {819, 831, {}}, {820, 831, {}},  // 18-22
        {821, 831, {834}},                     // 23
        {822, 831, {}},                        // 24
        {823, 827, {1316, 1317, 1318, 1319}},  // 25 cell button
        {1315, 827, {1316, 1317, 1320, 1319}}, // 26 cell button
        {1341, 0, {1342}},                     // 27 drawing files
        {1404, 1406, {}},                      // 28 cuts
        {1405, 827, {828}},                    // 29 check box
        {1428, 1429, {705, 1430, 1431}},       // 30 flexible button
    }};
    return texts;
}

bool known(Vtl_ControlType type) { return type >= 0 && type < kControlTypeCount; }

}  // namespace

ControlKind controlKind(Vtl_ControlType type) {
    switch (type) {
    case 1: case 6: case 12: case 14: case 17: case 24: case 25: case 26: case 29: case 30:
        return ControlKind::Button;
    case 2: case 4: case 5: case 8: case 9: case 10: case 11:
    case 18: case 19: case 20: case 21: case 22: case 23:
        return ControlKind::Edit;
    case 3: case 7: case 13: case 15: case 16: case 27: case 28:
        return ControlKind::ComboBox;
    default:
        return ControlKind::Static;
    }
}

const char* controlKindClassName(ControlKind kind) {
    switch (kind) {
    case ControlKind::ScrollBar: return "SCROLLBAR";
    case ControlKind::Static: return "STATIC";
    case ControlKind::Button: return "BUTTON";
    case ControlKind::Edit: return "EDIT";
    case ControlKind::ListBox: return "LISTBOX";
    case ControlKind::ComboBox: return "COMBOBOX";
    }
    return "STATIC";
}

Vtl_String controlTypeCaption(Vtl_ControlType type) {
    if (!known(type)) return {};
    if (type == 4 || type == 5) {
        return dialString(803) + " " + Vtl_String(type == 4 ? 1 : 2) + ": " + string(2220);
    }
    return dialString(typeTexts()[static_cast<std::size_t>(type)].caption);
}

Vtl_String controlTypeContentsLabel(Vtl_ControlType type) {
    if (!known(type)) return {};
    const int number = typeTexts()[static_cast<std::size_t>(type)].contentsLabel;
    return number == 0 ? Vtl_String() : dialString(number);
}

bool controlTypeHasList(Vtl_ControlType type) {
    return known(type) && typeTexts()[static_cast<std::size_t>(type)].listLabel[0] != 0;
}

Vtl_String controlTypeListLabel(Vtl_ControlType type) {
    Vtl_String label;
    if (!known(type)) return label;
    bool first = true;
    for (const int number : typeTexts()[static_cast<std::size_t>(type)].listLabel) {
        if (number == 0) break;
        if (!first) label += ';';
        label += dialString(number);
        first = false;
    }
    return label;
}

}  // namespace vtl::designer
