#pragma once
// The find and replace dialog of a grid (template 218): modeless and always on top, one per grid. It
// searches the grid's cell values row by row, ignoring case, selects the text found in the cell editor,
// replaces the selected occurrence, or replaces the text in every cell. It knows its grid only by the
// window handle and does nothing once that grid is gone.
#include "frame/vtlbase.h"
#include "win/dialog.h"

namespace vtl::ui {

class Vtl_Spread;

class KsFindReplaceDlg : public CDialog {
public:
    static constexpr UINT IDD = 218;
    static constexpr int kFindLabelId = 1206;
    static constexpr int kFindId = 1207;
    static constexpr int kReplaceLabelId = 1208;
    static constexpr int kReplaceWithId = 1209;
    static constexpr int kReplaceId = 1204;
    static constexpr int kReplaceAllId = 1205;
    static constexpr const char* kSizeKey = "DLG_FINDREPLACE";

    explicit KsFindReplaceDlg(HWND grid) : grid_(grid) {}

    // Creates and shows the dialog over the window that holds the grid.
    bool open();

    // Selects the next occurrence of the find text from the active cell on; at the end of the sheet, with
    // `ask`, offers to go on from the first cell. True when an occurrence is selected.
    bool findNext(bool ask);
    // Finds the next occurrence and replaces it by the replacement text; true when a cell changed.
    bool replace(bool ask);
    // Replaces the find text in every cell (each cell once) and reports the count; answers the count.
    int replaceAll();

    HWND gridWindow() const { return grid_; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnOK() override;
    void OnCancel() override;

private:
    Vtl_Spread* spread() const;
    void placeBesideGrid();
    Vtl_String findText() const;
    // Selects the first occurrence in the cell at or after `from`.
    bool selectIn(Vtl_Spread& grid, const Vtl_String& find, int col, int row, int from);
    // Selects the first occurrence in the cells from (col, row) on, row by row.
    bool selectFrom(Vtl_Spread& grid, const Vtl_String& find, int col, int row);

    // Where the last search found the text (col 0: nowhere); for cells without a text editor, whose
    // selection cannot say it.
    struct Found {
        int col = 0;
        int row = 0;
        int position = 0;
    };

    HWND grid_;
    bool option13WasOn_ = false;
    Found found_;
};

}  // namespace vtl::ui
