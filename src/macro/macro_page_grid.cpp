// The grid of a macro page: one row per value that has no designed control, in four columns. A cell row
// has its label over columns 1-2 and its value over 3-4, typed by the value type; a pattern row its name
// in column 3 and its count in 4 (the name over both when the count is a formula), with a "..." button in
// column 2 when it has properties; an array row its name over 3-4 and the button.
#include <cmath>
#include <vector>

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
    grid_.setRedraw(false);
    grid_.setStyle(1);
    // The labels are in column 1: no header bars. Four columns share the width.
    grid_.showHeaders(false, false);
    grid_.setColCount(4, false);
    grid_.setRowCount(0);
    grid_.setBackColorStyle(1);
    grid_.setLockColors(0xE6E6E6, 0x80000000u | COLOR_WINDOWTEXT);
    grid_.setFitMode(1);
    grid_.setRedraw(true);
}

void MacroTabPage::fillGrid() {
    MacroTabData& t = *tab();
    Vtl_Spread& g = grid_;
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
    g.setRowCount(0);
    g.setRowCount(rows);

    for (const MacroCell& c : t.cells) {
        if (c.reference >= 0) continue;
        const int r = -c.reference;
        g.setCellText(1, r, c.label);
        g.addSpan(1, r, 2, 1);
        g.setCellLock(1, r, true);
        g.addSpan(3, r, 2, 1);
        switch (c.valueType) {
        case MacroCell::list:
        case MacroCell::editableList: {
            Vtl_StringArray items = c.items;
            // A value that is none of the items (the mixed text) is offered too, so it is kept as it is.
            if (!c.value.isEmpty() && !c.items.contains(c.value)) items.append(c.value);
            g.setComboCell(3, r, items, c.valueType == MacroCell::list ? kListStyle : kEditableListStyle);
            break;
        }
        case MacroCell::yesNo:
            g.setCheckCell(3, r, true);
            break;
        default:
            g.setEditBlock(3, r, 3, r, 0, kMaxText);
            break;
        }
        g.setCellText(3, r, c.value);
        g.setCellLock(3, r, c.readOnly);
    }
    for (const auto& [p, r] : patternRows) {
        const bool numeric = hasCountField(*p);
        g.setCellText(1, r, p->label);
        g.setCellLock(1, r, true);
        g.setEditBlock(3, r, 4, r, p->shown ? 0 : kHiddenPatternStyle, kMaxText);
        g.setCellText(3, r, p->name);
        g.setCellLock(3, r, p->nameReference != -r);
        if (!numeric) g.addSpan(3, r, 2, 1);
        else if (p->countReference == -r) g.setCellText(4, r, p->countText);
        else g.setCellLock(4, r, true);  // the count has its designed control
        // The properties button is in the grid unless the design shows it (a grid button would do nothing).
        if (p->hasButton && p->buttonReference == -r) g.setButtonCell(2, r, dialString(1324));
        else g.addSpan(1, r, 2, 1);
    }
    for (const DynArrayData* a : arrayRows) {
        const int r = -a->buttonReference;
        g.setCellText(1, r, a->label);
        g.setCellLock(1, r, true);
        g.setEditBlock(3, r, 4, r, 0, kMaxText);
        g.addSpan(3, r, 2, 1);
        g.setCellText(3, r, a->name);
        g.setButtonCell(2, r, dialString(1324));
    }
    // The program's own writes are no user changes.
    g.setChanged(false);
    gridShown_ = rows > 0;
    if (gridShown_) g.show();
    else g.hide();
}

void MacroTabPage::collectGrid(MacroTabData& t) {
    if (grid_.isEditing()) grid_.setEditing(false);
    auto text = [&](int col, int row, int kind = SS_CONTENT_TEXT) {
        Vtl_String out;
        grid_.getCellText(col, row, out, kind);
        return out;
    };
    for (MacroCell& c : t.cells) {
        if (c.reference >= 0) continue;
        // Numbers are kept with two decimals; a text that is no number (the mixed text) stays as it is.
        if (c.valueType == MacroCell::yesNo) c.value = text(3, -c.reference, SS_CONTENT_VALUE);
        else if (c.valueType == MacroCell::number) c.value = twoDecimals(text(3, -c.reference));
        else c.value = text(3, -c.reference);
    }
    for (MacroPatternProps& p : t.patterns) {
        if (p.nameReference < 0) p.name = text(3, -p.nameReference);
        if (p.countReference < 0 && hasCountField(p)) p.countText = text(4, -p.countReference);
    }
    for (DynArrayData& a : t.arrays)
        if (a.nameReference < 0) a.name = text(3, -a.nameReference);
}

}  // namespace vtl::ui
