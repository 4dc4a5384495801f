#pragma once
// CImageListCtrl: a list of thumbnails, one per picture file, each with a label under it. Pictures are fitted
// into the preview size given at Init (proportions kept, on white); a file that cannot be read shows an
// empty framed preview, so items always match the files. Single selection; clicks and double clicks reach
// the dialog as the list control's WM_NOTIFY (NM_CLICK, NM_DBLCLK, LVN_ITEMCHANGED).
#include <memory>
#include <vector>

#include "vtlbase/export.h"
#include "vtlbase/vtl_string.h"
#include "vtlbase/vtl_string_array.h"
#include "win/dc.h"
#include "win/list_ctrl.h"

class VTLBASE_API CImageListCtrl : public CListCtrl {
public:
    CImageListCtrl();
    ~CImageListCtrl() override;

    // Sets the preview size (at least 1 x 1) and gives the list its picture list; the list window must
    // exist (SubclassDlgItem or Create first). False otherwise.
    bool Init(int previewWidth, int previewHeight);
    // The picture files (module paths) and their labels; a missing label is the file name without folder
    // and extension. Shown at the next Redraw.
    void SetItems(const Vtl_StringArray& pictureFiles, const Vtl_StringArray& labels);
    // Rebuilds the thumbnails from the files; the selection is cleared.
    void Redraw();

    int previewWidth() const { return width_; }
    int previewHeight() const { return height_; }
    const Vtl_StringArray& pictureFiles() const { return files_; }
    // The selected item, or -1.
    int GetSelectedItem() const;
    // The selected item's picture file, or the empty text.
    Vtl_String GetSelectedFile() const;
    bool SelectItem(int index);
    // The thumbnail of an item (for tests and painting), or no bitmap.
    HBITMAP thumbnail(int index) const;
    // Whether the item's picture file could be read.
    bool pictureLoaded(int index) const;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void clearPictures();

    int width_ = 0;
    int height_ = 0;
    Vtl_StringArray files_;
    Vtl_StringArray labels_;
    CImageList images_;
    std::vector<std::unique_ptr<CBitmap>> thumbnails_;
    std::vector<char> loaded_;
};
