// CImageListCtrl: thumbnails of picture files with labels.
#include "vtlbase/controls/image_list_ctrl.h"

#include "pictures.h"
#include "vtlbase/file_functions.h"

CImageListCtrl::CImageListCtrl() = default;

CImageListCtrl::~CImageListCtrl() = default;

bool CImageListCtrl::Init(int previewWidth, int previewHeight) {
    if (!m_hWnd || previewWidth < 1 || previewHeight < 1) return false;
    width_ = previewWidth;
    height_ = previewHeight;
    DeleteAllItems();
    clearPictures();
    images_.DeleteImageList();
    if (!images_.Create(width_, height_, ILC_COLOR24, 0, 8)) return false;
    SetImageList(&images_, LVSIL_NORMAL);
    return true;
}

void CImageListCtrl::SetItems(const Vtl_StringArray& pictureFiles, const Vtl_StringArray& labels) {
    files_ = pictureFiles;
    labels_ = labels;
}

void CImageListCtrl::clearPictures() {
    if (images_.GetSafeHandle()) images_.RemoveAll();
    thumbnails_.clear();
    loaded_.clear();
}

void CImageListCtrl::Redraw() {
    if (!m_hWnd || !images_.GetSafeHandle()) return;
    DeleteAllItems();
    clearPictures();
    for (int i = 0; i < files_.length(); ++i) {
        bool ok = false;
        auto picture = std::make_unique<CBitmap>();
        picture->Attach(vtl::base::controls::fittedPicture(files_[i], width_, height_, RGB(255, 255, 255), &ok));
        const int image = images_.Add(picture->GetSafeHandle());
        thumbnails_.push_back(std::move(picture));
        loaded_.push_back(ok ? 1 : 0);
        const Vtl_String label = i < labels_.length() ? labels_[i] : removeExtension(getFileName(files_[i]));
        InsertItem(i, label.c_str(), image);
    }
    Invalidate();
}

int CImageListCtrl::GetSelectedItem() const { return m_hWnd ? GetNextItem(-1, LVNI_SELECTED) : -1; }

Vtl_String CImageListCtrl::GetSelectedFile() const {
    const int i = GetSelectedItem();
    return i >= 0 && i < files_.length() ? files_[i] : Vtl_String();
}

bool CImageListCtrl::SelectItem(int index) {
    if (!m_hWnd || index < 0 || index >= GetItemCount()) return false;
    SetItemState(index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EnsureVisible(index);
    return true;
}

HBITMAP CImageListCtrl::thumbnail(int index) const {
    return index >= 0 && index < static_cast<int>(thumbnails_.size())
               ? thumbnails_[static_cast<std::size_t>(index)]->GetSafeHandle()
               : HBITMAP();
}

bool CImageListCtrl::pictureLoaded(int index) const {
    return index >= 0 && index < static_cast<int>(loaded_.size()) && loaded_[static_cast<std::size_t>(index)] != 0;
}

LRESULT CImageListCtrl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CListCtrl::WindowProc(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        // The window took its items with it; the pictures go too.
        clearPictures();
    }
    return result;
}
