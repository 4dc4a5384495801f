#pragma once
// DlgDesigner: the dialog designer (template 227). The design lies on the client area above a strip that
// holds the current control's type and property fields, its place in the tab order, and the commands:
// open, save as, add, delete, width, height, copy, align bottoms, place beside, picture, undo, redo and
// Close. A design is never lost: closing and opening another ask first, and a save that is refused or
// fails keeps the design open and modified.
#include <array>
#include <memory>
#include <vector>

#include "frame/vtlbase.h"
#include "vtlbase/controls/button_st.h"
#include "vtlbase/controls/resizer.h"
#include "vtlui/vtl_dlg_designer_data.h"
#include "win/dialog.h"

namespace vtl::ui {

class DlgDesigner : public CDialog {
public:
    static constexpr UINT IDD = 227;
    static constexpr int kTypeFrame = 1015, kTypeList = 1005;
    static constexpr int kContentsLabel = 1016, kContentsField = 1304;
    static constexpr int kListLabel = 1017, kListField = 1305;
    static constexpr int kTabOrderFrame = 1322, kTabOrderField = 1323;
    static constexpr int kOpen = 1299, kSaveAs = 1302, kAdd = 1300, kDelete = 1301, kWidth = 1306, kHeight = 1307;
    static constexpr int kCopy = 1199, kAlignBottoms = 1200, kPlaceBeside = 1201, kPicture = 1303;
    static constexpr int kUndo = 1320, kRedo = 1321;

    // `path`: the full path of a design's ".txt" file, or empty for a new design.
    explicit DlgDesigner(const Vtl_String& path, CWnd* parent = nullptr);

    Vtl_DlgDesignerData& design() { return design_; }
    // The design's path as last read or saved (empty while it has no name).
    Vtl_String designFile() const;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnPaint() override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) override;
    void OnOK() override;
    void OnCancel() override;

private:
    // Reads the design at `path` (windows redrawn, history new); false, with a message and the design
    // unchanged, when it cannot be read.
    bool load(const Vtl_String& path);
    void onOpen();
    // Asks for a path and writes there; false when cancelled, refused or failed (the design stays modified).
    bool saveAs();
    // Writes to `path`; a refused or failed write says so and answers false.
    bool saveTo(const Vtl_String& path);
    void onPicture();
    // The save question: true when the caller may go on (saved, or the changes given up).
    bool saveQuestion();
    // After every change of the design or the selection: fields, tab order, title, undo buttons.
    void refresh();
    void updateTitle();
    void updateTabOrder();
    // The top of the strip: the surface is the client area above it.
    int stripTop() const;
    void placeSurface();
    // Makes the surface at least as large as the picture.
    void fitPicture();
    bool focusInField() const;
    void message(int text, const Vtl_String& detail, UINT icon);

    Vtl_DlgDesignerData design_;
    Vtl_String path_;
    CResizer resizer_;
    std::array<CButtonST, 8> iconButtons_;
    std::vector<std::unique_ptr<CButtonST>> textButtons_;
    int minWidth_ = 50, minHeight_ = 50;
    bool surfaceFocus_ = false;  // the surface has the keyboard (arrow keys move the selection)
};

}  // namespace vtl::ui
