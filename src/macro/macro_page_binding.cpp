// Binding the designed controls of a page to its tab: each control, by its type, shows a cell, a
// pattern, a bolt value, a profile group, an array, the image, a cut or a flexible/fixed button. A control
// that binds to nothing is removed and what it meant goes to the grid.
#include <cmath>

#include "macro/macro_dialog.h"
#include "macro/macro_tab_page.h"
#include "vtlbase/drawing/catalogue.h"
#include "vtlbase/file_functions.h"
#include "vtlbase/files/file_io.h"
#include "vtlbase/macro_langs.h"
#include "vtlbase/settings.h"
#include "vtlui/vtlui.h"

namespace vtl::ui {
namespace {
Vtl_String translatedLabel(const Vtl_String& text) { return gMacroLangs.GetStringChopSymbols("", text, true, "x"); }

// Type 17 and 24 buttons show their caption, or "..." when too narrow for it.
Vtl_String buttonCaption(const Vtl_DlgDesignerData& design, const Vtl_DesignerControl& c, const Vtl_String& caption) {
    return design.getWidth(c) < 3.0 * caption.length() ? Vtl_String("...") : caption;
}

// The pattern a bolt-value control (types 7 to 11) refers to must exist.
Vtl_String* boltValue(MacroBoltData& b, int type, int*& reference) {
    switch (type) {
    case 7: reference = &b.assemblyReference; return &b.assembly;
    case 8: reference = &b.diameterReference; return &b.diameter;
    case 9: reference = &b.holeToleranceReference; return &b.holeTolerance;
    case 10: reference = &b.penetrationReference; return &b.penetrationLength;
    case 11: reference = &b.addedLengthReference; return &b.addedLength;
    default: return nullptr;
    }
}
}  // namespace

void MacroTabPage::bindDesign() {
    MacroTabData* t = tab();
    if (!t || t->designFile.isEmpty()) return;
    design_->initialize(this, Vtl_DlgDesignerData::kFirstControlId, Vtl_DlgDesignerData::kLastControlId, 0, 0, 0, 0, 0, false);
    if (!design_->readFromFile(t->designFile, true)) return;
    // A design without its picture would draw its controls at no size: its values go to the grid instead.
    if (!design_->hasImage()) {
        while (design_->getNrControls() > 0) design_->removeControl(0);
        return;
    }
    for (int i = 0; i < design_->getNrControls();) {
        if (bindControl(*design_->getControlWrite(i))) ++i;
        else design_->removeControl(i);
    }
    design_->redrawAllControls();
}

void MacroTabPage::editDesign() {
    MacroTabData* t = tab();
    if (!t) return;
    // A value still being typed goes into the record first: the page is built anew from it afterwards.
    applyPendingEdit();
    const Vtl_String file = t->designFile;
    {
        MacroDialog::NestedLoop waiting(owner());
        StartDlgDesigner(file);
    }
    rebuildDesign();
}

void MacroTabPage::rebuildDesign() {
    if (!tab()) return;
    design_->removeAllDrawnCtrls();
    design_ = std::make_unique<Vtl_DlgDesignerData>();
    fill();
    if (MacroDialog* o = owner()) o->pageDesignChanged();
    Invalidate();
}

bool MacroTabPage::bindControl(Vtl_DesignerControl& c) {
    MacroTabData& t = *tab();
    const int id = c.resourceId;
    int i = 0;
    switch (c.type) {
    case 0:
    case 1: {
        // A label naming a cell that does not exist is emptied; otherwise it shows in the macro language.
        const Vtl_String& referenceName = c.listText;
        if (!referenceName.isEmpty() && !t.findCellWithName(referenceName, i)) c.contents = "";
        else c.contents = translatedLabel(c.contents);
        return true;
    }
    case 2:
    case 3:
        if (!t.findCellWithName(c.contents, i)) return false;
        c.contents = t.cells[i].value;
        c.disabled = t.cells[i].readOnly ? 1 : 0;
        if (c.type == 3) c.items = t.cells[i].items;
        t.cells[i].reference = id;
        return true;
    case 4:
        if (!t.findPatternWithName(c.contents, i)) return false;
        c.contents = t.patterns[i].name;
        t.patterns[i].nameReference = id;
        return true;
    case 5: {
        if (!t.findPatternWithName(c.contents, i) || !hasCountField(t.patterns[i])) return false;
        c.contents = t.patterns[i].countText;
        t.patterns[i].countReference = id;
        return true;
    }
    case 6:
        if (!t.findPatternWithName(c.contents, i)) return false;
        c.contents = "...";
        t.patterns[i].buttonReference = id;
        return true;
    case 7:
    case 8:
    case 9:
    case 10:
    case 11: {
        if (!t.findPatternWithName(c.contents, i)) return false;
        int* reference = nullptr;
        Vtl_String* value = boltValue(t.bolt, c.type, reference);
        c.contents = *value;
        *reference = id;
        if (c.type == 7) GetAssemblies(c.items);
        if (c.type == 8) GetDiameters(t.bolt.assembly, c.items);
        return true;
    }
    case 13:
    case 14:
    case 15:
    case 16:
    case 17: {
        MacroProfData merged;
        if (!t.findProfDataWithGroup(c.contents, i) || !t.getMergedPropsOfGroup(c.contents, merged)) return false;
        const Vtl_String group = c.contents;
        if (c.type == 13) {
            c.items.removeAll();
            for (const MacroProfData& p : t.profiles)
                if (p.groupName == group && !c.items.contains(p.sectionName)) c.items.append(p.sectionName);
            c.contents = merged.sectionName;
            merged.sectionReference = id;
        } else if (c.type == 14) {
            c.contents = dialString(969);
            merged.labelReference = id;
        } else if (c.type == 15) {
            c.items = getOffsetTypeStrings(false);
            const int index = getDlgOffsetType(merged.offsetType, merged.offsetTypeMixed);
            c.contents = index >= 0 && index < c.items.length() ? c.items[index] : Vtl_String();
            merged.offsetTypeReference = id;
        } else if (c.type == 16) {
            c.items = Vtl_StringArray{"0°", "90°", "180°", "270°"};
            c.items.append(dialString(695));
            c.contents = merged.rotation;
            merged.rotationReference = id;
        } else {
            c.contents = buttonCaption(*design_, c, dialString(968));
            merged.advancedReference = id;
        }
        // The references live on the group's records; the merged record writes them to every member.
        MacroProfData keys;
        t.getMergedPropsOfGroup(group, keys);
        keys.sectionReference = merged.sectionReference;
        keys.labelReference = merged.labelReference;
        keys.offsetTypeReference = merged.offsetTypeReference;
        keys.rotationReference = merged.rotationReference;
        keys.advancedReference = merged.advancedReference;
        for (MacroProfData& p : t.profiles) {
            if (!(p.groupName == group)) continue;
            p.sectionReference = keys.sectionReference;
            p.labelReference = keys.labelReference;
            p.offsetTypeReference = keys.offsetTypeReference;
            p.rotationReference = keys.rotationReference;
            p.advancedReference = keys.advancedReference;
        }
        return true;
    }
    case 18:
    case 19:
    case 20:
    case 21:
    case 22:
    case 23:
    case 24: {
        if (!t.findArrayWithName(c.contents, i)) return false;
        DynArrayData& a = t.arrays[i];
        switch (c.type) {
        case 18:
            c.contents = a.name;
            a.nameReference = id;
            return true;
        case 19:
            c.contents = a.values[1];
            a.valueReferences[1] = id;
            return true;
        case 20:
            if (a.kind != 1) return false;
            c.contents = a.values[2];
            a.valueReferences[2] = id;
            return true;
        case 21:
            c.contents = a.values[0];
            a.valueReferences[0] = id;
            return true;
        case 22:
            c.contents = a.values[3];
            a.valueReferences[3] = id;
            return true;
        case 23: {
            if (a.kind == 1) return false;
            const int entry = c.listText.toInt();
            if (entry < 0 || entry >= a.entries.length() || c.listText.isEmpty()) return false;
            c.contents = a.entries[entry].text;
            a.entries[entry].reference = id;
            return true;
        }
        default:
            c.contents = buttonCaption(*design_, c, dialString(968));
            a.buttonReference = id;
            return true;
        }
    }
    case 25:
    case 26:
        // Value-solver buttons bind to a read-only base cell.
        if (t.findCellWithName(c.cellBtnPart1, i) && t.cells[i].readOnly) {
            t.cells[i].reference = id;
            return true;
        }
        return false;
    case 27: {
        if (!t.imageFlag) return false;
        c.items.removeAll();
        const Vtl_String folder = ensureEndBSlash(gSettings.libDir() + c.listText);
        for (const std::string& file : base::files::findFiles(folder.view(), "*.dwg")) c.items.append(removeExtension(Vtl_String(file)));
        c.items.append(dialString(695));
        c.contents = t.currentImage;
        t.imageReference = id;
        return true;
    }
    case 28:
        if (!t.findCutWithName(c.contents, i)) return false;
        c.contents = Vtl_String(t.cuts[i].number);
        t.cuts[i].reference = id;
        return true;
    case 29: {
        if (!t.findCellWithName(c.listText, i)) return false;
        c.contents = translatedLabel(c.contents);
        c.listText = t.cells[i].value;  // the check box shows the value
        c.disabled = t.cells[i].readOnly ? 1 : 0;
        t.cells[i].reference = id;
        return true;
    }
    case 30:
        return t.hasBtnFlexFix(c.contents);
    default:
        return false;
    }
}

}  // namespace vtl::ui
