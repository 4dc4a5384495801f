// The value-solver buttons of a designed page (types 25 and 26): the person types the total a read-only
// base value and the values of one or two cells add up to, and the cells receive what makes that total.
#include <cmath>
#include <optional>

#include "common/ks_input_text_dlg.h"
#include "frame/module.h"
#include "macro/macro_dialog.h"
#include "macro/macro_tab_page.h"
#include "vtlbase/text_functions.h"

namespace vtl::ui {
namespace {
// A cell named with an optional leading "-": its value counts negated.
struct SignedName {
    Vtl_String name;
    double sign = 1;
};
SignedName signedName(const Vtl_String& text) {
    if (text.startsWith("-")) return {text.getSubStringAt(1), -1};
    return {text, 1};
}

Vtl_String fiveDecimals(double v) { return Vtl_String(v, 5); }
}  // namespace

void MacroTabPage::onValueSolver(int resourceId) {
    MacroTabData* t = tab();
    const Vtl_DesignerControl* c = design_->getControlFromRes(resourceId);
    if (!t || !c) return;
    const Vtl_String mixed = dialString(695);
    int baseIndex = 0, targetIndex = 0, secondIndex = -1;
    if (!t->findCellWithName(c->cellBtnPart1, baseIndex)) return;
    const SignedName target = signedName(c->cellBtnPart2);
    const SignedName second = signedName(c->cellBtnPart3);
    if (!t->findCellWithName(target.name, targetIndex) || t->cells[targetIndex].readOnly) return;
    const int targetControl = t->cells[targetIndex].reference;
    if (targetControl <= 0) return;  // the target shows in no control of the design
    int secondControl = 0;
    if (!second.name.isEmpty() && t->findCellWithName(second.name, secondIndex) && t->cells[secondIndex].reference > 0)
        secondControl = t->cells[secondIndex].reference;

    // A mixed or missing number anywhere makes no total: nothing happens (as for a mixed base value).
    const Vtl_String& baseText = t->cells[baseIndex].value;
    Vtl_String targetText, secondText;
    design_->getCtrlValue(targetControl, targetText);
    if (secondControl) design_->getCtrlValue(secondControl, secondText);
    const auto b = parseNumber(baseText);
    const auto e = parseNumber(targetText);
    if (baseText == mixed || targetText == mixed || !b || !e) return;
    const double E = target.sign * *e;
    double total = 0, factor = 1, D = 0;
    const bool type25 = c->type == 25;
    if (type25) {
        factor = parseNumber(c->cellBtnPart4).value_or(0);
        if (factor == 0) return;  // no factor, no total and no share
        if (secondControl) {
            const auto d = parseNumber(secondText);
            if (secondText == mixed || !d) return;
            D = second.sign * *d;
            total = *b + E + D;
        } else {
            total = *b + E / factor;
        }
    } else {
        const auto d = parseNumber(secondText);
        if (!secondControl || secondText == mixed || !d) return;
        D = second.sign * *d;
        total = *b + E + D;
    }

    KsInputTextDlg ask(this);
    ask.caption = dialString(971);
    ask.prompt = dialString(1321) + Vtl_String("\n") + dialString(1322);
    ask.text = fiveDecimals(total);
    ask.okText = dialString(1);
    ask.cancelText = dialString(2);
    {
        KsTempResourceOverride::Scope resources(resourceOverride());
        // A close asked for meanwhile waits until this handler has ended.
        MacroDialog::NestedLoop waiting(owner());
        ask.DoModal();
    }
    const auto v = parseNumber(ask.text);
    if (!ask.accepted || !v) return;
    const double H = type25 ? (*v - *b) * factor : *v - *b - D;
    design_->setCtrlValue(targetControl, fiveDecimals(target.sign * H));
    if (type25 && secondControl) design_->setCtrlValue(secondControl, fiveDecimals(second.sign * H));
    apply();
}

}  // namespace vtl::ui
