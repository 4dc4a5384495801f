// The grid of a macro page: one row per value that has no designed control, in four columns. A cell row
// has its label over columns 1-2 and its value over 3-4, typed by the value type; a pattern row its name
// in column 3 and its count in 4 (the name over both when the count is a formula), with a "..." button in
// column 2 when it has properties; an array row its name over 3-4 and the button.
#include <cmath>
#include <vector>

#include "frame/check_box_pictures.h"
#include "macro/macro_tab_page.h"
#include "vtlbase/text_functions.h"
#include "win/gdi.h"

namespace vtl::ui {
namespace {
constexpr int kMaxText = 1000;
constexpr DWORD kListStyle = 0x400000;
constexpr DWORD kEditableListStyle = 0x400002;
constexpr DWORD kHiddenPatternStyle = 0x10000;  // the second edit style: a pattern the drawing does not show

// Formatted with '.' whatever the locale, and whole however large.
Vtl_String twoDecimals(const Vtl_String& text) {
    const auto v = parseNumber(text);
    return v ? Vtl_String(*v, 2) : text;
}
}  // namespace

void MacroTabPage::prepareGrid() {
    const HWND g = grid_.grid();
    SSSetSwitch(g, SS_SWITCH_REDRAW, FALSE);
    grid_.setStyle(1);
    // The labels are in column 1: no header bars. Four columns share the width.
    SSSetSwitch(g, SS_SWITCH_ROW_HEADERS, FALSE);
    SSSetSwitch(g, SS_SWITCH_COLUMN_HEADERS, FALSE);
    grid_.setColCount(4, false);
    grid_.setRowCount(0);
    SSSetBackColorStyle(g, 1);
    SSSetLockColor(g, 0xE6E6E6, 0x80000000u | COLOR_WINDOWTEXT);
    grid_.setFitMode(1);
    SSSetSwitch(g, SS_SWITCH_REDRAW, TRUE);
}

void MacroTabPage::fillGrid() {
    MacroTabData& t = *tab();
    const HWND g = grid_.grid();
    // The rows are counted first and made at once, so that no row inherits another's cells.
    int rows = 0;
    for (MacroCell& c : t.cells)
        if (c.reference <= 0) c.reference = -++rows;
    std::vector<std::pair<MacroPatternProps*, int>> patternRows;
    if (t.kind == 1) {
        for (MacroPatternProps& p : t.patterns) {
            const bool numeric = hasCountField(p);
            if (p.nameReference > 0 && (!p.hasButton || p.buttonReference > 0) && (!numeric || p.countReference > 0)) continue;
            const int r = ++rows;
            if (p.nameReference <= 0) p.nameReference = -r;
            if (numeric && p.countReference <= 0) p.countReference = -r;
            if (p.buttonReference <= 0) p.buttonReference = -r;
            patternRows.emplace_back(&p, r);
        }
    }
    std::vector<DynArrayData*> arrayRows;
    for (DynArrayData& a : t.arrays) {
        if (a.buttonReference > 0) continue;
        a.buttonReference = a.nameReference = -++rows;
        arrayRows.push_back(&a);
    }
    grid_.setRowCount(0);
    grid_.setRowCount(rows);

    SS_CELLTYPE type;
    for (const MacroCell& c : t.cells) {
        if (c.reference >= 0) continue;
        const int r = -c.reference;
        SSSetCellText(g, 1, r, c.label.c_str());
        SSAddCellSpan(g, 1, r, 2, 1);
        SSSetCellLock(g, 1, r, TRUE);
        SSAddCellSpan(g, 3, r, 2, 1);
        switch (c.valueType) {
        case MacroCell::list:
        case MacroCell::editableList: {
            std::string items;
            for (const Vtl_String& item : c.items) items += (items.empty() ? "" : "\t") + item.str();
            // A value that is none of the items (the mixed text) is offered too, so it is kept as it is.
            if (!c.value.isEmpty() && !c.items.contains(c.value)) items += (items.empty() ? "" : "\t") + c.value.str();
            SSSetTypeComboBox(g, &type, c.valueType == MacroCell::list ? kListStyle : kEditableListStyle, items.c_str());
            SSSetCellType(g, 3, r, &type);
            break;
        }
        case MacroCell::yesNo: {
            const CheckBoxPictures& pictures = checkBoxPictures();
            SSSetTypeCheckBox(g, &type, Vtl_Spread::kCheckBoxStyle, "", pictures.empty, pictures.ticked, pictures.empty, pictures.ticked);
            SSSetCellType(g, 3, r, &type);
            SSSetBlockAlign(g, 3, r, 3, r, SS_ALIGN_CENTER);
            SSSetBlockAlign(g, 3, r, 3, r, SS_ALIGN_VCENTER);
            break;
        }
        default:
            SSSetTypeEdit(g, &type, 0, kMaxText, 0, 1);
            SSSetCellType(g, 3, r, &type);
            break;
        }
        SSSetCellText(g, 3, r, c.value.c_str());
        SSSetCellLock(g, 3, r, c.readOnly ? TRUE : FALSE);
    }
    for (const auto& [p, r] : patternRows) {
        const bool numeric = hasCountField(*p);
        SSSetCellText(g, 1, r, p->label.c_str());
        SSSetCellLock(g, 1, r, TRUE);
        SSSetTypeEdit(g, &type, p->shown ? 0 : kHiddenPatternStyle, kMaxText, 0, 1);
        SSSetBlockType(g, 3, r, 4, r, &type);
        SSSetCellText(g, 3, r, p->name.c_str());
        SSSetCellLock(g, 3, r, p->nameReference == -r ? FALSE : TRUE);
        if (!numeric) SSAddCellSpan(g, 3, r, 2, 1);
        else if (p->countReference == -r) SSSetCellText(g, 4, r, p->countText.c_str());
        else SSSetCellLock(g, 4, r, TRUE);  // the count has its designed control
        // The properties button is in the grid unless the design shows it (a grid button would do nothing).
        if (p->hasButton && p->buttonReference == -r) grid_.setButtonCell(2, r, dialString(1324));
        else SSAddCellSpan(g, 1, r, 2, 1);
    }
    for (const DynArrayData* a : arrayRows) {
        const int r = -a->buttonReference;
        SSSetCellText(g, 1, r, a->label.c_str());
        SSSetCellLock(g, 1, r, TRUE);
        SSSetTypeEdit(g, &type, 0, kMaxText, 0, 1);
        SSSetBlockType(g, 3, r, 4, r, &type);
        SSAddCellSpan(g, 3, r, 2, 1);
        SSSetCellText(g, 3, r, a->name.c_str());
        grid_.setButtonCell(2, r, dialString(1324));
    }
    // The program's own writes are no user changes.
    SSSetSwitch(g, SS_SWITCH_CHANGED, FALSE);
    gridShown_ = rows > 0;
    if (gridShown_) grid_.show();
    else grid_.hide();
}

void MacroTabPage::collectGrid(MacroTabData& t) {
    const HWND g = grid_.grid();
    if (SSGetEditMode(g)) SSSetEditMode(g, FALSE);
    for (MacroCell& c : t.cells) {
        if (c.reference >= 0) continue;
        const std::string text = SSGetCellString(g, 3, -c.reference, SS_CONTENT_TEXT);
        // Numbers are kept with two decimals; a text that is no number (the mixed text) stays as it is.
        c.value = c.valueType == MacroCell::number ? twoDecimals(Vtl_String(text)) : Vtl_String(text);
        if (c.valueType == MacroCell::yesNo) c.value = Vtl_String(SSGetCellString(g, 3, -c.reference, SS_CONTENT_VALUE));
    }
    for (MacroPatternProps& p : t.patterns) {
        if (p.nameReference < 0) p.name = Vtl_String(SSGetCellString(g, 3, -p.nameReference, SS_CONTENT_TEXT));
        if (p.countReference < 0 && hasCountField(p))
            p.countText = Vtl_String(SSGetCellString(g, 4, -p.countReference, SS_CONTENT_TEXT));
    }
    for (DynArrayData& a : t.arrays)
        if (a.nameReference < 0) a.name = Vtl_String(SSGetCellString(g, 3, -a.nameReference, SS_CONTENT_TEXT));
}

}  // namespace vtl::ui
