#include "vtlbase/macro/edit_constr_data.h"

#include <algorithm>
#include <cctype>
#include <deque>
#include <map>

#include "vtlbase/drawing/journal.h"
#include "win/message_box.h"
#include "win/api.h"

using vtl::base::Journal;

namespace {
std::map<AcDbObjectId::OldId, std::vector<ParametricModule>>& macros() {
    static std::map<AcDbObjectId::OldId, std::vector<ParametricModule>> all;
    return all;
}
std::deque<AcDbObjectId>& selections() {
    static std::deque<AcDbObjectId> queue;
    return queue;
}

std::string idText(const AcDbObjectId& id) { return std::to_string(id.asOldId()); }
std::string yes(bool ok) { return ok ? "true" : "false"; }

// The rule types the commands add, by command number.
const char* const kRuleTypes[] = {"Parallel", "Perpendicular", "Coincident", "Symmetric", "Tangent", "Concentric",
                                  "Equal radius", "Distance", "Angle", "Radius", "Fix"};

std::string trimmed(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
    return std::string(s.substr(b, e - b));
}

std::string rowText(const ConstraintRule& r, int column) {
    return column >= 1 && column <= r.rowTexts.length() ? r.rowTexts[column - 1].str() : std::string();
}
}  // namespace

void EditConstrData::placeParametricMacro(const AcDbObjectId& id, std::vector<ParametricModule> modules) {
    macros()[id.asOldId()] = std::move(modules);
}

const std::vector<ParametricModule>* EditConstrData::parametricMacro(const AcDbObjectId& id) {
    const auto it = macros().find(id.asOldId());
    return it == macros().end() ? nullptr : &it->second;
}

void EditConstrData::forgetAll() {
    macros().clear();
    selections().clear();
}

void EditConstrData::queueSelection(const AcDbObjectId& id) { selections().push_back(id); }

ParametricModule* EditConstrData::module() {
    const auto it = macros().find(macroId.asOldId());
    if (it == macros().end()) return nullptr;
    for (auto& m : it->second)
        if (m.name == currentModule) return &m;
    return nullptr;
}

void EditConstrData::load(const ParametricModule& m) {
    rules = m.rules;
    geometry = m.geometry;
    varNames = m.varNames;
    varValues = m.varValues;
    varKinds = m.varKinds;
    dimNames = m.dimNames;
    dimValues = m.dimValues;
    equations = m.equations;
    currentRuleId = rules.empty() ? Vtl_String() : rules.front().id;
}

void EditConstrData::store(ParametricModule& m) const {
    m.rules = rules;
    m.geometry = geometry;
    m.varNames = varNames;
    m.varValues = varValues;
    m.varKinds = varKinds;
    m.equations = equations;
}

bool EditConstrData::open(const AcDbObjectId& id) {
    const auto* found = parametricMacro(id);
    const bool ok = found != nullptr;
    if (ok) {
        macroId = id;
        currentModule = found->empty() ? Vtl_String() : found->front().name;
        MacroGetModules();
        if (!found->empty()) load(found->front());
    }
    Journal::get().record("OpenParametricMacro", {idText(id)}, yes(ok));
    return ok;
}

bool EditConstrData::MacroGetModules() {
    moduleNames.removeAll();
    const auto* found = parametricMacro(macroId);
    if (!found) return false;
    for (const auto& m : *found) moduleNames.append(m.name);
    return true;
}

bool EditConstrData::SetCurrentModule(const Vtl_String& name) {
    const auto* found = parametricMacro(macroId);
    bool ok = false;
    if (found)
        for (const auto& m : *found)
            if (m.name == name) {
                currentModule = name;
                load(m);
                ok = true;
            }
    Journal::get().record("SetCurrentModule", {idText(macroId), name.str()}, yes(ok));
    return ok;
}

bool EditConstrData::RenameModule(const Vtl_String& newName) {
    auto* m = module();
    bool ok = m && !trimmed(newName.view()).empty();
    if (ok)
        for (const auto& other : macros()[macroId.asOldId()])
            if (&other != m && other.name == newName) ok = false;  // names stay unique
    if (ok) {
        store(*m);
        m->name = newName;
        currentModule = newName;
        MacroGetModules();
    }
    Journal::get().record("RenameModule", {idText(macroId), currentModule.str(), newName.str()}, yes(ok));
    return ok;
}

bool EditConstrData::RemoveModule(const Vtl_String& name) {
    auto it = macros().find(macroId.asOldId());
    bool ok = false;
    if (it != macros().end()) {
        auto& list = it->second;
        const auto m = std::find_if(list.begin(), list.end(), [&](const ParametricModule& x) { return x.name == name; });
        if (m != list.end()) {
            list.erase(m);
            ok = true;
        }
        MacroGetModules();
        if (ok && name == currentModule) {
            currentModule = Vtl_String();
            load(ParametricModule{});
        }
    }
    Journal::get().record("RemoveModule", {idText(macroId), name.str()}, yes(ok));
    return ok;
}

bool EditConstrData::StartMacroCommand(int command) {
    bool ok = false;
    if (auto it = macros().find(macroId.asOldId()); it != macros().end()) {
        if (command >= 0 && command <= 10) {
            if (auto* m = module()) {
                store(*m);
                ConstraintRule r;
                int n = static_cast<int>(m->rules.size()) + 1;
                std::string id;
                do id = "C" + std::to_string(n++);
                while (std::any_of(m->rules.begin(), m->rules.end(), [&](const ConstraintRule& x) { return x.id == id; }));
                r.id = id;
                r.rowTexts.append(Vtl_String(kRuleTypes[command]));
                r.rowTexts.append(Vtl_String(""));
                r.rowTexts.append(Vtl_String(""));
                if (command >= 7 && command <= 9) {
                    r.kinds = {0, 1};
                    r.value = command == 8 ? "90" : "0";
                }
                m->rules.push_back(r);
                load(*m);
                ok = true;
            }
        } else if (command == 11) {
            int n = static_cast<int>(it->second.size()) + 1;
            std::string name;
            do name = "Module " + std::to_string(n++);
            while (std::any_of(it->second.begin(), it->second.end(),
                               [&](const ParametricModule& x) { return x.name == name; }));
            ParametricModule m;
            m.name = name;
            it->second.push_back(m);
            MacroGetModules();
            ok = true;
        } else if (command == 12 || command == 13) {
            ok = true;
        }
    }
    Journal::get().record("StartMacroCommand", {idText(macroId), std::to_string(command)}, yes(ok));
    return ok;
}

bool EditConstrData::SelectOtherMacro() {
    bool ok = false;
    if (!selections().empty()) {
        const AcDbObjectId next = selections().front();
        selections().pop_front();
        if (parametricMacro(next)) ok = open(next);
    }
    Journal::get().record("SelectOtherMacro", {}, ok ? idText(macroId) : "cancelled");
    return ok;
}

bool EditConstrData::ZoomCommand() {
    Journal::get().record("ZoomCommand", {idText(macroId)}, "true");
    return true;
}

bool EditConstrData::UpdateConstraint(int rule) {
    auto* m = module();
    const bool ok = m && rule >= 0 && rule < static_cast<int>(rules.size());
    if (ok) {
        auto& r = rules[static_cast<std::size_t>(rule)];
        // The row shows the value and the variable as they are now.
        while (r.rowTexts.length() < 4) r.rowTexts.append(Vtl_String());
        if (std::find(r.kinds.begin(), r.kinds.end(), 0) != r.kinds.end()) r.rowTexts[2] = r.value;
        if (std::find(r.kinds.begin(), r.kinds.end(), 1) != r.kinds.end()) r.rowTexts[3] = r.variable;
        store(*m);
    }
    std::string what = ok ? rules[static_cast<std::size_t>(rule)].id.str() + " value=" +
                                rules[static_cast<std::size_t>(rule)].value.str()
                          : std::to_string(rule);
    Journal::get().record("UpdateConstraint", {idText(macroId), what}, yes(ok));
    return ok;
}

bool EditConstrData::DeleteConstraint(int rule) {
    auto* m = module();
    const bool ok = m && rule >= 0 && rule < static_cast<int>(rules.size());
    std::string id = ok ? rules[static_cast<std::size_t>(rule)].id.str() : std::to_string(rule);
    if (ok) {
        rules.erase(rules.begin() + rule);
        store(*m);
        if (highlightedRule == rule) highlightedRule = -1;
    }
    Journal::get().record("DeleteConstraint", {idText(macroId), id}, yes(ok));
    return ok;
}

bool EditConstrData::SortConstraints(int column, int previousColumn) {
    auto* m = module();
    const bool ok = m && column >= 1 && column <= 4;
    if (ok) {
        // Stable, so that the previous sort decides among equal rows.
        std::stable_sort(rules.begin(), rules.end(), [&](const ConstraintRule& a, const ConstraintRule& b) {
            return rowText(a, column) < rowText(b, column);
        });
        store(*m);
    }
    Journal::get().record("SortConstraints", {idText(macroId), std::to_string(column), std::to_string(previousColumn)},
                          yes(ok));
    return ok;
}

bool EditConstrData::HighlightConstraint(int rule) {
    const bool ok = rule >= 0 && rule < static_cast<int>(rules.size());
    highlightedRule = ok ? rule : -1;
    Journal::get().record("HighlightConstraint", {ok ? rules[static_cast<std::size_t>(rule)].id.str() : std::to_string(rule)},
                          yes(ok));
    return ok;
}

void EditConstrData::UnHighlightConstraints() {
    highlightedRule = -1;
    Journal::get().record("UnHighlightConstraints", {}, "");
}

bool EditConstrData::ConstrContextMenu(int rule, Vtl_StringArray& items, std::vector<std::int32_t>& actions,
                                       std::vector<int>& checked) const {
    items.removeAll();
    actions.clear();
    checked.clear();
    if (rule < 0 || rule >= static_cast<int>(rules.size())) return false;
    const auto& r = rules[static_cast<std::size_t>(rule)];
    items.append(Vtl_String("Highlight"));
    actions.push_back(1);
    items.append(Vtl_String("Reverse direction"));
    actions.push_back(2);
    items.append(Vtl_String(kMenuBreak));
    items.append(Vtl_String("Driving"));
    actions.push_back(3);
    if (r.flag1) checked.push_back(3);
    items.append(Vtl_String("Delete"));
    actions.push_back(4);
    return true;
}

bool EditConstrData::ContextMenuAction(int rule, std::int32_t action) {
    auto* m = module();
    bool ok = m && rule >= 0 && rule < static_cast<int>(rules.size()) && action >= 1 && action <= 4;
    if (ok) {
        auto& r = rules[static_cast<std::size_t>(rule)];
        if (action == 3) r.flag1 = !r.flag1;
        if (action == 2 && !r.value.isEmpty() && r.value.str().front() == '-') r.value = r.value.str().substr(1);
        else if (action == 2 && !r.value.isEmpty()) r.value = "-" + r.value.str();
        if (action == 4) rules.erase(rules.begin() + rule);
        store(*m);
    }
    Journal::get().record("ContextMenuAction", {idText(macroId), std::to_string(rule), std::to_string(action)}, yes(ok));
    return ok;
}

bool EditConstrData::GetGeomFlexibility() {
    const auto* m = module();
    if (m) geometry = m->geometry;
    return m != nullptr;
}

bool EditConstrData::UpdateGeomFlexibility(const AcDbObjectId& object, int oldChoice, int newChoice) {
    auto* m = module();
    bool ok = false;
    if (m && newChoice >= 1 && newChoice <= 3)
        for (auto& g : m->geometry)
            if (g.id == object) {
                g.flexibility = newChoice;
                ok = true;
            }
    if (ok) geometry = m->geometry;
    Journal::get().record("UpdateGeomFlexibility", {idText(object), std::to_string(oldChoice), std::to_string(newChoice)},
                          yes(ok));
    return ok;
}

bool EditConstrData::UpdateConstrGeom(const AcDbObjectId& object, bool on) {
    auto* m = module();
    bool ok = false;
    if (m)
        for (auto& g : m->geometry)
            if (g.id == object && g.constrState >= 0) {
                g.constrState = on ? 1 : 0;
                ok = true;
            }
    if (ok) geometry = m->geometry;
    Journal::get().record("UpdateConstrGeom", {idText(object), on ? "1" : "0"}, yes(ok));
    return ok;
}

bool EditConstrData::HighlightObject(const AcDbObjectId& object) {
    highlightedObject = object;
    Journal::get().record("HighlightObject", {idText(object)}, "true");
    return true;
}

void EditConstrData::UnHighlightObject() {
    if (highlightedObject.isNull()) return;
    Journal::get().record("UnHighlightObject", {idText(highlightedObject)}, "");
    highlightedObject = AcDbObjectId();
}

bool EditConstrData::VarNameInUse(const Vtl_String& name) const {
    int uses = 0;
    for (int i = 0; i < varNames.length(); ++i)
        if (varNames[i] == name) ++uses;
    for (int i = 0; i < dimNames.length(); ++i)
        if (dimNames[i] == name) ++uses;
    return uses > 0;
}

bool EditConstrData::UpdateVarsEqs() {
    auto* m = module();
    const bool ok = m != nullptr;
    if (ok) {
        // Kinds and values follow the names; a short list gets the first kind and no value.
        while (varKinds.size() < static_cast<std::size_t>(varNames.length())) varKinds.push_back(0);
        varKinds.resize(static_cast<std::size_t>(varNames.length()));
        while (varValues.length() < varNames.length()) varValues.append(Vtl_String());
        store(*m);
    }
    std::string eqs;
    for (int i = 0; i < equations.length(); ++i) eqs += (i ? "; " : "") + equations[i].str();
    Journal::get().record("UpdateVarsEqs", {idText(macroId), std::to_string(varNames.length()) + " variables", eqs},
                          yes(ok));
    return ok;
}

Vtl_StringArray EditConstrData::equationsFromText(const std::string& text) {
    Vtl_StringArray out;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '\n' || text[i] == '\r') {
            const std::string line = trimmed(std::string_view(text).substr(start, i - start));
            if (!line.empty()) out.append(Vtl_String(line));
            start = i + 1;
        }
    }
    return out;
}

std::string EditConstrData::textFromEquations(const Vtl_StringArray& equations) {
    std::string text;
    for (int i = 0; i < equations.length(); ++i) text += equations[i].str() + "\n\r";
    return text;
}

bool StartEditMacroCutDlg(const AcDbObjectId& macro, const Vtl_String& moduleName, const Vtl_String& ruleId) {
    std::string what = "Rule " + ruleId.str() + " of the module \"" + moduleName.str() + "\" cuts its second object at the first.";
    if (const auto* modules = EditConstrData::parametricMacro(macro))
        for (const auto& m : *modules)
            if (m.name == moduleName)
                for (const auto& r : m.rules)
                    if (r.id == ruleId && r.rowTexts.length() >= 2)
                        what = "Rule " + ruleId.str() + " (" + r.rowTexts[0].str() + ") cuts " + r.rowTexts[1].str() + ".";
    const HWND owner = ::GetActiveWindow();
    const int answer = ::MessageBox(owner, (what + "\n\nKeep the cut?").c_str(), "Cut", MB_OKCANCEL | MB_ICONQUESTION);
    const bool escaped = answer != IDOK;
    Journal::get().record("EditMacroCut", {idText(macro), moduleName.str(), ruleId.str()}, escaped ? "cancelled" : "kept");
    return escaped;
}
