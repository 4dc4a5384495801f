#pragma once
// CButtonST: a push button that draws itself (owner-drawn): an icon or a bitmap (from the resources or a
// .bmp file, with a transparent colour), optional text beside or below the picture, a tooltip, flat or
// raised, with or without border, and optionally a check state of its own (an image check: it stays down
// while checked and toggles on every click before the dialog hears BN_CLICKED).
#include <memory>

#include "vtlbase/export.h"
#include "vtlbase/vtl_string.h"
#include "win/button.h"
#include "win/dc.h"
#include "win/tool_tip.h"

class VTLBASE_API CButtonST : public CButton {
public:
    CButtonST();
    ~CButtonST() override;

    // Attaches to the dialog's control and makes it owner-drawn; a check box becomes an image check
    // keeping its state.
    BOOL SubclassDlgItem(UINT id, CWnd* parent);

    void SetFlat(bool flat);
    bool IsFlat() const { return flat_; }
    // Whether a flat button shows the focus rectangle.
    void SetFlatFocus(bool drawFocus);
    void DrawBorder(bool border);
    bool HasBorder() const { return border_; }
    // Draws the picture in colour also while disabled (otherwise it is drawn in grey).
    void DrawColoredWhenDisabled(bool coloured);
    bool DrawsColoredWhenDisabled() const { return colouredWhenDisabled_; }
    void SetPictureAboveText(bool above);

    // Pictures; each replaces the one before. False when nothing could be loaded (the button then has no
    // picture).
    bool SetIcon(int iconId);
    bool SetBitmap(int bitmapId, COLORREF transparent);
    // From a .bmp file (a module path), loaded whole as a device-independent bitmap.
    bool SetBitmapFile(const Vtl_String& path, COLORREF transparent);
    void ClearPicture();
    bool HasPicture() const;
    HICON PictureIcon() const { return icon_; }
    HBITMAP PictureBitmap() const { return bitmap_.GetSafeHandle(); }
    COLORREF TransparentColour() const { return transparent_; }

    // The tooltip; an empty text leaves it without a tip.
    void SetTooltipText(const Vtl_String& text, bool activate = true);
    void ActivateTooltip(bool activate);
    Vtl_String GetTooltipText() const;
    bool IsTooltipActive() const;

    // Image-check behaviour: BM_GETCHECK / BM_SETCHECK (and so GetCheck, SetCheck, IsDlgButtonChecked)
    // answer its own state.
    void SetCheckBox(bool isCheckBox);
    bool IsCheckBox() const { return checkBox_; }

    void DrawItem(DRAWITEMSTRUCT* item) override;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // The tooltip hears the button's mouse and key messages, so it shows while the cursor rests on it.
    BOOL PreTranslateMessage(MSG* msg) override;

private:
    void makeGreyPicture();
    void toggleCheck();

    bool flat_ = false;
    bool flatFocus_ = false;
    bool border_ = true;
    bool colouredWhenDisabled_ = false;
    bool pictureAbove_ = false;
    bool checkBox_ = false;
    int check_ = BST_UNCHECKED;
    HICON icon_;
    CBitmap bitmap_;
    CBitmap grey_;  // the picture as drawn while disabled, transparency applied
    COLORREF transparent_ = RGB(192, 192, 192);
    std::unique_ptr<CToolTipCtrl> tip_;
};
