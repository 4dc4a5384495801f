#pragma once
// KsGridLayoutDlg (template 176): the shape of a grid in one place: its column and row counts, the height
// of its column-header row and the width of its row-header column, and the text of every header, typed
// into two preview grids. The dialog works on a copy and changes the grid only on OK.
#include "frame/vtlbase.h"
#include "spread/vtl_spread.h"
#include "win/dialog.h"

namespace vtl::ui {

class KsGridLayoutDlg : public CDialog {
public:
    static constexpr UINT IDD = 176;
    static constexpr int kColumnPreviewId = 1025;
    static constexpr int kRowPreviewId = 1002;
    static constexpr int kColumnCountId = 1017;
    static constexpr int kRowCountId = 1019;
    static constexpr int kHeaderHeightId = 1021;
    static constexpr int kHeaderWidthId = 1023;
    // What the grid control can hold, and the largest header size taken.
    static constexpr int kMaxColumns = 16384;
    static constexpr int kMaxRows = 1048576;
    static constexpr int kMaxHeaderPixels = 2000;

    explicit KsGridLayoutDlg(CWnd* parent = nullptr) : CDialog(IDD, parent) {}

    int columnCount = 0;
    int rowCount = 0;
    int headerRowHeight = 0;
    int headerColumnWidth = 0;
    Vtl_StringArray columnTexts;
    Vtl_StringArray rowTexts;
    Vtl_StringArray columnTextsKept;
    Vtl_StringArray rowTextsKept;

    // A typed number: text that is no number counts as 0; the result is kept within 0 ... maximum.
    static int typedCount(const Vtl_String& text, int maximum);

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    void setUpColumnPreview();
    void setUpRowPreview();
    static void fillPreview(Vtl_Spread& preview, bool columns, int count, const Vtl_StringArray& texts,
                            const Vtl_StringArray& kept);
    static void savePreview(Vtl_Spread& preview, bool columns, Vtl_StringArray& texts, Vtl_StringArray& kept);

    Vtl_Spread columnPreview_;
    Vtl_Spread rowPreview_;
    bool ready_ = false;
};

// Runs the layout dialog on the grid; on OK the grid takes the counts, header sizes and header texts and
// its changed mark is set. True on OK.
bool runGridLayoutDialog(Vtl_Spread& grid, CWnd* parent = nullptr);

}  // namespace vtl::ui
