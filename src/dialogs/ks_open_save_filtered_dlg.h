#pragma once
// KsOpenSaveFilteredDlg: picks the name of a file to load, or takes the name of a file to save, among the
// files of one folder with one extension. The caller gives two lists of names, all files and those that
// pass its filter; a check box switches between them. A file can be deleted from the dialog. A path is
// always folder + name + extension, and a name that would lead out of the folder is never used.
#include "frame/vtlbase.h"
#include "vtlbase/controls/button_st.h"
#include "vtlbase/controls/resizer.h"
#include "win/dialog.h"

namespace vtl::ui {

class KsOpenSaveFilteredDlg : public CDialog {
public:
    static constexpr UINT IDD = 231;
    static constexpr int kListId = 1317;
    static constexpr int kDeleteId = 1087;
    static constexpr int kNameId = 1043;
    static constexpr int kFilteredId = 1382;

    explicit KsOpenSaveFilteredDlg(CWnd* parent = nullptr) : CDialog(IDD, parent) {}

    bool saveMode = false;
    Vtl_String folder;     // ends with its separator
    Vtl_String extension;  // with its dot
    Vtl_StringArray allNames;
    Vtl_StringArray filteredNames;
    Vtl_String chosenName;  // the name in the field when the dialog closed with OK

    // folder + name + extension; empty when the name cannot be a file name of that folder (a separator,
    // "..", a drive, a device name, nothing at all).
    Vtl_String pathOf(const Vtl_String& name) const;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    void fillList();
    const Vtl_StringArray& shownNames() const;
    bool selectedName(Vtl_String& name) const;
    void onDelete();

    CButtonST deleteButton_;
    CResizer resizer_;
    bool showFiltered_ = false;
    int minWidth_ = 50, minHeight_ = 50;
};

}  // namespace vtl::ui
