#pragma once
// MacroDialog: the tabbed dialog (template 8131) that edits a connection macro: one page per tab of the
// macro, the view buttons, select-other-macros, clash check, re-apply, the two filters and the property
// lists. It works on its own copy of the caller's record.
#include <memory>
#include <vector>

#include "frame/vtlbase.h"
#include "macro/macro_tab_page.h"
#include "vtlbase/controls/button_st.h"
#include "vtlbase/controls/resizer.h"
#include "vtlbase/macro/macro_data.h"
#include "win/dialog.h"

namespace vtl::ui {

class MacroDialog : public CDialog {
public:
    static constexpr UINT IDD = 8131;
    static constexpr int kTabId = 8097;
    static constexpr UINT kAnswerMessage = 0x7101;  // answered 1: a window of the module's macro dialog
    static constexpr int kEmptyTabNoteId = 1999;     // the note a tab without a page shows

    explicit MacroDialog(const MacroData& macro, int dialogId = -1, CWnd* parent = nullptr);
    ~MacroDialog() override;

    // Every dialog object has its own number, never reused (an address may be).
    unsigned long long serial() const { return serial_; }
    // While a page waits in a nested loop (a sub-dialog, the value solver's input), the dialog must not be
    // destroyed: closing it is postponed like the close of a busy macro.
    bool inNestedLoop() const { return nestedLoops_ > 0; }
    class NestedLoop {
    public:
        explicit NestedLoop(MacroDialog* dialog) : dialog_(dialog) {
            if (dialog_) ++dialog_->nestedLoops_;
        }
        ~NestedLoop() {
            if (dialog_) --dialog_->nestedLoops_;
        }
        NestedLoop(const NestedLoop&) = delete;
        NestedLoop& operator=(const NestedLoop&) = delete;

    private:
        MacroDialog* dialog_;
    };

    MacroData& macro() { return macro_; }
    const MacroData& macro() const { return macro_; }
    int dialogId() const { return dialogId_; }
    MacroTabPage* page(int tabIndex) const;

    // Rebuilds every page from the record (tab set changed), keeping the selected tab where it can.
    void buildTabs();
    // Reloads every page's values; with focus memory the current tab keeps its focus.
    void reloadAllPages(bool keepFocus);
    // Hides the other pages, shows the selected one and gives it the focus.
    void showTab();
    // A page read its design again (after the designer): the dialog fits its pages anew.
    void pageDesignChanged();
    // The size key under which the dialog keeps its size.
    Vtl_String sizeKey() const;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
    void OnCancel() override;

private:
    void placePages();
    // A tab of a kind without a page says why it is empty.
    void showEmptyTabNote(bool show);
    void fitWindow();
    void fillFilters();
    void onFilterChanged(bool first);
    void onSelectOtherMacros();
    // 1299 loads a property list into the macro, 1302 saves the macro's values as one; both through the
    // open/save filtered dialog over the property lists of the library.
    void onPropertyList(bool load);
    void savePropertyList();
    // The open/save filtered dialog over the property lists; false when cancelled.
    bool choosePropertyList(bool save, Vtl_String& name, Vtl_String& path);
    void loadPropertyList();
    // Every page's values collected into its tab and sent to the drawing: what is saved is what is shown.
    void bringRecordUpToDate();
    // Closes the dialog; with `applyTyped` a value still being typed into the shown page's grid is applied
    // first (the Close button), without it the typing is dropped (Escape, the close box).
    void close(bool applyTyped);
    TabFocusState& focusState(const Vtl_String& moduleName);

    MacroData macro_;
    int dialogId_ = -1;
    unsigned long long serial_;
    int nestedLoops_ = 0;
    std::vector<std::unique_ptr<MacroTabPage>> pages_;  // null where a tab has no page
    std::vector<int> pageKinds_;
    std::vector<std::unique_ptr<CButtonST>> buttons_;
    std::vector<TabFocusState> focusStates_;
    CResizer resizer_;
    bool sized_ = false;
    bool shownOnce_ = false;
    int minWidth_ = 50, minHeight_ = 50;
    SIZE wanted_{0, 0};
    HWND emptyTabNote_;
    int previousTab_ = -1;
};

}  // namespace vtl::ui
