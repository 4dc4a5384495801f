// The constraints editor and the macro settings through their exports and scripts: rule edits, sorting,
// deleting and the option buttons; modules removed to the last; variables and equations read back; the
// modeless editor's single instance, its close from its own OK, a refused destroy and the module's
// unloading; the macro settings stored only on OK.
#include "dialogs/constraints_dialog.h"
#include "dialogs/macro_settings_dialog.h"
#include "host/command_line.h"
#include "macro/macro_dialog.h"
#include "macro/macro_registry.h"
#include "module_test_support.h"
#include "vtlbase/drawing/drawing_model.h"
#include "vtlbase/drawing/journal.h"
#include "vtlbase/macro/edit_constr_data.h"
#include "vtlbase/macro/macro_settings_data.h"
#include "vtlui/vtlui.h"
#include "win/api.h"
#include "win/combo_box.h"
#include "win/keys.h"
#include "win/pump.h"
#include "win/testing.h"

namespace vtl::test {
namespace {
using base::DrawingModel;
using base::DrawingObjectKind;
using base::Journal;
using ui::KsConstraintsDlg;
using ui::KsRulesPage;
using win::ctrl;
using win::Script;

ConstraintRule rule(const char* id, const char* type, const char* value, std::vector<int> kinds = {0, 1}) {
    ConstraintRule r;
    r.id = id;
    for (const char* t : {type, "Stiffener, Flange", value, ""}) r.rowTexts.append(Vtl_String(t));
    r.kinds = std::move(kinds);
    r.value = value;
    return r;
}

// A stiffener macro: three rules, one plate, a variable and a dimension; and a second module.
AcDbObjectId stiffener(bool twoModules = true) {
    const AcDbObjectId id = DrawingModel::get().add(DrawingObjectKind::macro, "Stiffener");
    ParametricModule web;
    web.name = "Stiffener";
    web.rules = {rule("C1", "Distance", "150"), rule("C2", "Angle", "90"), rule("C3", "Coincident", "", {})};
    ConstrGeometry g;
    g.id = DrawingModel::get().add(DrawingObjectKind::profile, "PL 14");
    g.texts[0] = "Stiffener";
    g.texts[1] = "Plate";
    g.constrState = 0;
    web.geometry = {g};
    web.varNames.append(Vtl_String("t_flange"));
    web.varValues.append(Vtl_String("14"));
    web.varKinds = {3};
    web.dimNames.append(Vtl_String("tw"));
    web.dimValues.append(Vtl_String("8.5"));
    std::vector<ParametricModule> modules{web};
    if (twoModules) {
        ParametricModule welds;
        welds.name = "Welds";
        modules.push_back(welds);
    }
    EditConstrData::placeParametricMacro(id, modules);
    return id;
}

EditConstrData opened(const AcDbObjectId& id) {
    EditConstrData d;
    EXPECT_TRUE(d.open(id));
    return d;
}

KsConstraintsDlg* activeEditor() {
    return dynamic_cast<KsConstraintsDlg*>(CWnd::FromHandle(::GetActiveWindow()));
}

win::Target ruleCell(int col, int row) {
    return cellOf([] { return activeEditor() ? activeEditor()->rules()->grid().grid() : HWND(); }, col, row);
}

class ConstraintsEditor : public ModuleTest {
protected:
    void TearDown() override {
        EndDlgEditConstraints();
        win::processPending();
        ModuleTest::TearDown();
    }
};

TEST_F(ConstraintsEditor, ARuleEditedBelowTheGridReachesTheDrawingWhenAnotherRowIsChosen) {
    EditConstrData d = opened(stiffener());
    Script s;
    s.waitFor(win::dialogWithTemplate(KsConstraintsDlg::IDD))
        .check([] {
            KsRulesPage* page = activeEditor()->rules();
            EXPECT_EQ(page->currentRule(), 0);
            EXPECT_EQ(::GetWindowText(::GetDlgItem(page->m_hWnd, KsRulesPage::kValueId)), "150");
            EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(page->m_hWnd, KsRulesPage::kVariableId)));
            EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(page->m_hWnd, KsRulesPage::kCutId)));
        })
        .click(ctrl(KsRulesPage::kValueId))
        .key('A', win::ModCtrl)
        .type("160")
        .click(ruleCell(2, 3))
        .check([] {
            // The coincidence lists no property: nothing below the grid.
            KsRulesPage* page = activeEditor()->rules();
            EXPECT_EQ(page->currentRule(), 2);
            EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(page->m_hWnd, KsRulesPage::kValueId)));
            EXPECT_EQ(activeEditor()->data().currentRuleId, Vtl_String("C3"));
        })
        .click(ctrl(IDOK));
    bool ok = false;
    run(s, [&] { ok = StartDlgEditConstrModal(d); });
    EXPECT_TRUE(ok);
    ASSERT_NE(Journal::get().last("UpdateConstraint"), nullptr);
    EXPECT_EQ(Journal::get().last("UpdateConstraint")->arguments[1], "C1 value=160");
    EXPECT_EQ(EditConstrData::parametricMacro(d.macroId)->front().rules[0].value, Vtl_String("160"));
    EXPECT_EQ(d.rules[0].value, Vtl_String("150")) << "the caller's record is not written back";
}

TEST_F(ConstraintsEditor, SortingTheSameColumnTwiceSortsOnceAndDeletingTheFirstRuleSelectsTheNewFirst) {
    EditConstrData d = opened(stiffener());
    Script s;
    s.waitFor(win::dialogWithTemplate(KsConstraintsDlg::IDD))
        .click(ruleCell(1, 0))
        .click(ruleCell(1, 0))
        .check([] {
            EXPECT_EQ(Journal::get().count("SortConstraints"), 1);
            EXPECT_EQ(Journal::get().last("SortConstraints")->arguments[2], "2") << "the column after the first";
            // Sorted by type: Angle, Coincident, Distance.
            EXPECT_EQ(activeEditor()->data().rules[0].id, Vtl_String("C2"));
        })
        .click(ruleCell(3, 0))
        .check([] { EXPECT_EQ(Journal::get().last("SortConstraints")->arguments[2], "1"); })
        .click(ruleCell(1, 1))
        .click(ctrl(KsRulesPage::kDeleteId))
        .check([] {
            KsRulesPage* page = activeEditor()->rules();
            EXPECT_EQ(activeEditor()->data().rules.size(), 2u);
            EXPECT_EQ(page->currentRule(), 0) << "the rule before the first is no rule: the new first is chosen";
            EXPECT_EQ(activeEditor()->data().currentRuleId, activeEditor()->data().rules[0].id);
        })
        .key(VK_ESCAPE);  // on a page Escape is the editor's OK
    bool ok = false;
    run(s, [&] { ok = StartDlgEditConstrModal(d); });
    EXPECT_TRUE(ok);
    EXPECT_EQ(Journal::get().count("DeleteConstraint"), 1);
}

TEST_F(ConstraintsEditor, OptionPicturesFillAtMostFiveButtonsAndAStateOutsideItsGroupChecksNothing) {
    const AcDbObjectId id = stiffener();
    auto modules = *EditConstrData::parametricMacro(id);
    ConstraintRule& r = modules[0].rules[0];
    for (const char* p : {"a.bmp", "b.bmp", "c.bmp", "d.bmp", "e.bmp", "f.bmp", "g.bmp", "%radioBreak%"}) r.pictures.append(Vtl_String(p));
    r.optionStates = {9};
    ConstraintRule& second = modules[0].rules[1];
    for (const char* p : {"a.bmp", "b.bmp", "%radioBreak%", "c.bmp", "d.bmp", "%radioBreak%"}) second.pictures.append(Vtl_String(p));
    second.optionStates = {2};
    EditConstrData::placeParametricMacro(id, modules);
    EditConstrData d = opened(id);
    auto checks = [](int enabledCount, std::vector<int> checked) {
        const HWND page = activeEditor()->rules()->m_hWnd;
        for (int i = 0; i < 5; ++i) {
            const HWND b = ::GetDlgItem(page, KsRulesPage::kOptionIds[static_cast<std::size_t>(i)]);
            EXPECT_EQ(::IsWindowEnabled(b) != FALSE, i < enabledCount) << "button " << i + 1;
            const bool on = ::SendMessage(b, BM_GETCHECK, 0, 0) == BST_CHECKED;
            EXPECT_EQ(on, std::find(checked.begin(), checked.end(), i + 1) != checked.end()) << "button " << i + 1;
        }
    };
    Script s;
    s.waitFor(win::dialogWithTemplate(KsConstraintsDlg::IDD))
        .check([&] {
            checks(5, {});
            EXPECT_EQ(activeEditor()->rules()->optionButtonsInUse(), 5);
        })
        .click(ruleCell(1, 2))
        .check([&] {
            checks(4, {2});
            EXPECT_EQ(activeEditor()->rules()->secondGroupStart(), 2);
        })
        // In the first group the choice is exclusive; the second group's buttons toggle on their own.
        .click(ctrl(1083))
        .click(ctrl(1084))
        .click(ctrl(1085))
        .check([&] { checks(4, {1, 3, 4}); })
        .click(ruleCell(1, 3))
        .check([&] { checks(0, {}); })
        .click(ctrl(IDOK));
    run(s, [&] { StartDlgEditConstrModal(d); });
    // The last checked button is the rule's option state.
    EXPECT_EQ(EditConstrData::parametricMacro(id)->front().rules[1].optionStates, std::vector<int>{4});
}

TEST_F(ConstraintsEditor, RemovingModulesDownToNoneMakesNoBadModuleCurrent) {
    EditConstrData d = opened(stiffener());
    Script s;
    s.waitFor(win::dialogWithTemplate(KsConstraintsDlg::IDD))
        .select(ctrl(KsConstraintsDlg::kModulesId), "Welds")
        .click(ctrl(KsConstraintsDlg::kRemoveModuleId))
        .check([] {
            auto* combo = static_cast<CComboBox*>(activeEditor()->GetDlgItem(KsConstraintsDlg::kModulesId));
            EXPECT_EQ(combo->GetCount(), 1);
            EXPECT_EQ(combo->GetCurSel(), 0) << "the last one went: the new last is chosen";
            EXPECT_EQ(activeEditor()->data().currentModule, Vtl_String("Stiffener"));
        })
        .click(ctrl(KsConstraintsDlg::kRemoveModuleId))
        .check([] {
            auto* combo = static_cast<CComboBox*>(activeEditor()->GetDlgItem(KsConstraintsDlg::kModulesId));
            EXPECT_EQ(combo->GetCount(), 0);
            EXPECT_TRUE(activeEditor()->data().rules.empty());
            EXPECT_EQ(activeEditor()->rules()->currentRule(), -1);
        })
        .click(ctrl(KsConstraintsDlg::kRemoveModuleId))  // nothing left to remove
        .click(ctrl(IDOK));
    run(s, [&] { StartDlgEditConstrModal(d); });
    EXPECT_EQ(Journal::get().count("RemoveModule"), 2);
    for (const auto& e : Journal::get().entries()) {
        if (e.operation == "SetCurrentModule") EXPECT_EQ(e.result, "true") << e.text();
    }
}

TEST_F(ConstraintsEditor, VariablesAndEquationsAreReadBackWithoutBlankLinesOrStrayLineEnds) {
    EditConstrData d = opened(stiffener());
    Script s;
    s.waitFor(win::dialogWithTemplate(KsConstraintsDlg::IDD))
        .select(ctrl(KsConstraintsDlg::kTabId), "Variables")
        .check([] {
            // The equations field shows each equation followed by a line feed and a carriage return.
            EXPECT_EQ(activeEditor()->shownPage(), KsConstraintsDlg::variablesPage);
        })
        .click(ctrl(ui::KsVariablesPage::kAddId))
        .type("t_stiff")
        .key(VK_TAB)
        .type("14")
        .key(VK_RETURN)
        .click(ctrl(ui::KsVariablesPage::kEquationsId))
        .key(VK_END, win::ModCtrl)
        .type("t_stiff = t_flange")
        .key(VK_RETURN)
        .key(VK_RETURN)
        .type("  b_stiff = (300 - tw) / 2  ")
        .select(ctrl(KsConstraintsDlg::kTabId), "Rules")
        .check([] {
            const EditConstrData& data = activeEditor()->data();
            ASSERT_EQ(data.varNames.length(), 2);
            EXPECT_EQ(data.varNames[1], Vtl_String("t_stiff"));
            EXPECT_EQ(data.varValues[1], Vtl_String("14"));
            EXPECT_EQ(data.varKinds, (std::vector<std::int16_t>{3, 0}));
            EXPECT_EQ(data.equations, (Vtl_StringArray{Vtl_String("t_stiff = t_flange"), Vtl_String("b_stiff = (300 - tw) / 2")}));
        })
        .select(ctrl(KsConstraintsDlg::kTabId), "Variables")
        .select(ctrl(KsConstraintsDlg::kTabId), "Rules")
        .click(ctrl(IDOK));
    run(s, [&] { StartDlgEditConstrModal(d); });
    EXPECT_EQ(Journal::get().count("UpdateVarsEqs"), 1) << "a page shown and left unchanged stores nothing";
    EXPECT_EQ(Journal::get().last("UpdateVarsEqs")->arguments[2], "t_stiff = t_flange; b_stiff = (300 - tw) / 2");
}

TEST_F(ConstraintsEditor, AVariableNameStartingWithANumberOrInUseIsWarnedAbout) {
    EditConstrData d = opened(stiffener());
    Script s;
    s.waitFor(win::dialogWithTemplate(KsConstraintsDlg::IDD))
        .click(ctrl(KsRulesPage::kVariableId))
        .type("2pos")
        .key(VK_TAB)
        .waitFor(win::messageBoxContaining("starts with a number"))
        .key(VK_RETURN)
        .click(ctrl(KsRulesPage::kVariableId))
        .key('A', win::ModCtrl)
        .type("t_flange")
        .key(VK_TAB)
        .waitFor(win::messageBoxContaining("This name is already used"))
        .key(VK_RETURN)
        .check([] {
            EXPECT_EQ(::GetWindowText(::GetDlgItem(activeEditor()->rules()->m_hWnd, KsRulesPage::kVariableId)), "t_flange");
        })
        .click(ctrl(IDOK));
    run(s, [&] { StartDlgEditConstrModal(d); });
}

TEST_F(ConstraintsEditor, ContextMenuCommandsAndRenameReachTheDrawingWithTheEditorSteppedAside) {
    EditConstrData d = opened(stiffener());
    Script s;
    s.waitFor(win::dialogWithTemplate(KsConstraintsDlg::IDD))
        .rightClick(ruleCell(2, 2))
        .click(win::menuItem("Driving"))
        .check([] {
            ASSERT_NE(Journal::get().last("ContextMenuAction"), nullptr);
            EXPECT_EQ(Journal::get().last("ContextMenuAction")->arguments[2], "3");
            EXPECT_TRUE(activeEditor()->data().rules[1].flag1);
            EXPECT_TRUE(::IsWindowVisible(activeEditor()->m_hWnd)) << "shown again after the host's command";
        })
        .select(ctrl(KsConstraintsDlg::kTabId), "Commands")
        .click(ctrl(1031))  // a distance rule
        .check([] {
            EXPECT_EQ(activeEditor()->shownPage(), KsConstraintsDlg::rulesPage);
            EXPECT_EQ(activeEditor()->data().rules.size(), 4u);
            EXPECT_EQ(activeEditor()->rules()->grid().getRowCount(), 4);
        })
        .click(ctrl(KsConstraintsDlg::kRenameId))
        .waitFor(win::dialogWithTemplate(8069))
        .key('A', win::ModCtrl)
        .type("Web stiffener")
        .click(ctrl(IDOK))
        .waitFor(win::dialogWithTemplate(KsConstraintsDlg::IDD))
        .check([] {
            auto* combo = static_cast<CComboBox*>(activeEditor()->GetDlgItem(KsConstraintsDlg::kModulesId));
            EXPECT_EQ(combo->GetCurSel(), 0);
            EXPECT_EQ(combo->GetLBText(0), "Web stiffener");
            EXPECT_EQ(activeEditor()->data().rules.size(), 4u) << "the renamed module stays current";
        })
        .click(ctrl(KsConstraintsDlg::kAddModuleId))
        .check([] {
            auto* combo = static_cast<CComboBox*>(activeEditor()->GetDlgItem(KsConstraintsDlg::kModulesId));
            EXPECT_EQ(combo->GetCount(), 3);
            EXPECT_EQ(combo->GetCurSel(), 2);
            EXPECT_EQ(activeEditor()->data().currentModule, Vtl_String("Module 3"));
        })
        .click(ctrl(IDOK));
    run(s, [&] { StartDlgEditConstrModal(d); });
    EXPECT_EQ(Journal::get().last("StartMacroCommand")->arguments[1], "11");
}

TEST_F(ConstraintsEditor, TheModelessEditorIsOneAndClosesFromItsOwnOk) {
    EditConstrData d = opened(stiffener());
    ASSERT_TRUE(StartDlgEditConstraints(d));
    KsConstraintsDlg* editor = ui::modelessConstraintsEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isModeless());
    EXPECT_EQ(::GetFocus(), mainWindow()) << "the host keeps the keyboard";
    // Another start leaves the open editor as it is.
    EditConstrData other = opened(stiffener(false));
    EXPECT_TRUE(StartDlgEditConstraints(other));
    EXPECT_EQ(ui::modelessConstraintsEditor(), editor);
    EXPECT_EQ(editor->data().macroId, d.macroId);
    const HWND editorWindow = editor->m_hWnd;
    Script s;
    s.click(win::ctrlIn(KsConstraintsDlg::IDD, IDOK));
    play(s);
    win::processPending();
    EXPECT_EQ(ui::modelessConstraintsEditor(), nullptr);
    EXPECT_FALSE(::IsWindow(editorWindow));
}

TEST_F(ConstraintsEditor, AWindowThatWillNotGoKeepsTheEditorAndSaysSo) {
    EditConstrData d = opened(stiffener());
    ASSERT_TRUE(StartDlgEditConstraints(d));
    KsConstraintsDlg* editor = ui::modelessConstraintsEditor();
    host::clearCommandLine();
    win::testing::refuseNextDestroy(editor->m_hWnd);
    EndDlgEditConstraints();
    EXPECT_NE(host::commandLineText().find("Erase window failed\n"), std::string::npos);
    ASSERT_EQ(ui::modelessConstraintsEditor(), editor);
    EXPECT_TRUE(::IsWindow(editor->m_hWnd));
    editor->showPage(KsConstraintsDlg::geometryPage);  // still usable
    EXPECT_EQ(editor->shownPage(), KsConstraintsDlg::geometryPage);
    EndDlgEditConstraints();
    win::processPending();
    EXPECT_EQ(ui::modelessConstraintsEditor(), nullptr);
}

TEST_F(ConstraintsEditor, UnloadingTheModuleClosesTheEditorAndTheModelessMacroDialogs) {
    EditConstrData d = opened(stiffener());
    ASSERT_TRUE(StartDlgEditConstraints(d));
    MacroData m;
    m.caption = "End plate";
    m.moduleNames.append(Vtl_String("Plate"));
    MacroTabData tab;
    tab.moduleName = "Plate";
    tab.displayName = "Plate";
    m.tabs.append(tab);
    DrawingModel::get().placeMacro(m);
    int id = -1;
    ASSERT_TRUE(StartDlgMacroModeless(true, m, id));
    const HWND editor = ui::modelessConstraintsEditor()->m_hWnd;
    const HWND macroDialog = ui::MacroDialogRegistry::get().at(id)->m_hWnd;
    // Both stay above the host's window they belong to, whichever is active.
    ::SetActiveWindow(mainWindow());
    RECT r;
    ::GetWindowRect(::GetDlgItem(editor, IDOK), &r);
    EXPECT_NE(::GetAncestor(::WindowFromPoint({(r.left + r.right) / 2, (r.top + r.bottom) / 2}), GA_ROOT), mainWindow());
    acrxEntryPoint(2, nullptr);
    win::processPending();
    EXPECT_EQ(ui::modelessConstraintsEditor(), nullptr);
    EXPECT_EQ(ui::MacroDialogRegistry::get().at(id), nullptr);
    EXPECT_FALSE(::IsWindow(editor));
    EXPECT_FALSE(::IsWindow(macroDialog));
}

TEST_F(ConstraintsEditor, WhatWasTypedInTheModelessEditorIsStoredWhenTheModuleUnloads) {
    EditConstrData d = opened(stiffener());
    ASSERT_TRUE(StartDlgEditConstraints(d));
    Script s;
    s.select(win::ctrlIn(KsConstraintsDlg::IDD, KsConstraintsDlg::kTabId), "Variables")
        .click(win::ctrlIn(KsConstraintsDlg::IDD, ui::KsVariablesPage::kEquationsId))
        .key(VK_END, win::ModCtrl)
        .type("t_stiff = t_flange");
    play(s);
    EXPECT_EQ(Journal::get().count("UpdateVarsEqs"), 0);
    acrxEntryPoint(2, nullptr);
    win::processPending();
    EXPECT_EQ(ui::modelessConstraintsEditor(), nullptr);
    ASSERT_EQ(Journal::get().count("UpdateVarsEqs"), 1);
    EXPECT_EQ(EditConstrData::parametricMacro(d.macroId)->front().equations, Vtl_StringArray{Vtl_String("t_stiff = t_flange")});
    EXPECT_EQ(EditConstrData::parametricMacro(d.macroId)->front().varNames.length(), 1) << "the variables are kept";
}

// ---- the macro settings ----

MacroSettingsData angleSettings() {
    MacroSettingsData s;
    s.axisAngle.names = {Vtl_String("Beam to flange"), Vtl_String("Beam to web")};
    s.axisAngle.enabled = {true, true};
    s.axisAngle.values = {{0, 80, 100}, {1, 10, 170}};
    s.sectionAngle.names = {Vtl_String("Column")};
    s.sectionAngle.enabled = {true};
    s.sectionAngle.pairs = {{{0, 90}, {180, 270}}};
    return s;
}

TEST_F(ConstraintsEditor, MacroSettingsAreStoredOnlyOnOkWithTheirEditsKeptPerName) {
    EditConstrData d = opened(stiffener());
    placeMacroSettings(d.macroId, angleSettings());
    auto combo = [] {
        return static_cast<CCheckComboBox*>(CWnd::FromHandle(::GetDlgItem(
            dynamic_cast<ui::MacroSettingsDlg*>(CWnd::FromHandle(::GetActiveWindow()))->anglesPage()->m_hWnd, 1151)));
    };
    Script s;
    s.waitFor(win::dialogWithTemplate(KsConstraintsDlg::IDD))
        .click(ctrl(KsConstraintsDlg::kSettingsId))
        .waitFor(win::dialogWithTemplate(ui::MacroSettingsDlg::IDD))
        .click(ctrl(1146))
        .check([&] {
            EXPECT_FALSE(combo()->GetItemCheck(0)) << "the mark follows the check at once";
            EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(::GetParent(::GetFocus()), 1149)));
        })
        .select(ctrl(1151), "Beam to web")
        .click(ctrl(1150))
        .key('A', win::ModCtrl)
        .type("175")
        .select(ctrl(1151), "Beam to flange")
        .select(ctrl(1151), "Beam to web")
        .check([] { EXPECT_EQ(GetDlgItemText(::GetParent(::GetFocus()), 1150), "175.00"); })
        .click(ctrl(IDCANCEL))
        .waitFor(win::dialogWithTemplate(KsConstraintsDlg::IDD))
        .check([] { EXPECT_EQ(Journal::get().count("SetMacroSettings"), 0) << "Cancel stores nothing"; })
        .click(ctrl(KsConstraintsDlg::kSettingsId))
        .waitFor(win::dialogWithTemplate(ui::MacroSettingsDlg::IDD))
        .click(ctrl(1146))
        .click(ctrl(IDOK))
        .waitFor(win::dialogWithTemplate(KsConstraintsDlg::IDD))
        .click(ctrl(IDOK));
    run(s, [&] { StartDlgEditConstrModal(d); });
    ASSERT_EQ(Journal::get().count("SetMacroSettings"), 1);
    MacroSettingsData stored;
    ASSERT_TRUE(GetMacroSettings(d.macroId, stored));
    EXPECT_EQ(stored.axisAngle.enabled, (std::vector<bool>{false, true}));
    EXPECT_EQ(stored.sectionAngle.pairs[0].size(), 2u);
}

TEST_F(ConstraintsEditor, ASectionAngleRowOfTwoZerosIsDroppedWhenStored) {
    MacroSettingsData settings = angleSettings();
    Script s;
    s.waitFor(win::dialogWithTemplate(ui::MacroSettingsDlg::IDD))
        .click(ctrl(1155))  // a new row after the active one, left at zero
        .click(ctrl(1155))
        .type("45")
        .key(VK_TAB)
        .type("0")
        .key(VK_RETURN)
        .click(ctrl(IDOK));
    ui::MacroSettingsDlg dialog(settings);
    run(s, [&] { EXPECT_EQ(dialog.DoModal(), IDOK); });
    const auto& table = dialog.settings().sectionAngle.pairs[0];
    // The rows went in after the active first one: the empty one is dropped, the typed one kept.
    EXPECT_EQ(table, (std::vector<std::pair<double, double>>{{0, 90}, {45, 0}, {180, 270}}));
}

TEST_F(ConstraintsEditor, EmptyFilterListsLeaveTheirGroupsDisabled) {
    MacroSettingsData settings;
    Script s;
    s.waitFor(win::dialogWithTemplate(ui::MacroSettingsDlg::IDD))
        .check([] {
            auto* dlg = dynamic_cast<ui::MacroSettingsDlg*>(CWnd::FromHandle(::GetActiveWindow()));
            const HWND angles = dlg->anglesPage()->m_hWnd;
            for (int id : {1151, 1146, 1140, 1149, 1152, 1153, 1155}) EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(angles, id))) << id;
        })
        .key(VK_ESCAPE);
    ui::MacroSettingsDlg dialog(settings);
    run(s, [&] { EXPECT_EQ(dialog.DoModal(), IDCANCEL); });
    EXPECT_TRUE(dialog.settings().axisAngle.names.isEmpty());
}

}  // namespace
}  // namespace vtl::test
