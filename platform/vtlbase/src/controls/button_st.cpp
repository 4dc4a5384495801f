// CButtonST: an owner-drawn picture button with tooltip and optional image-check state.
#include "vtlbase/controls/button_st.h"

#include <algorithm>

#include "gfx/bitmap.h"
#include "gfx/icon.h"
#include "vtlbase/files/paths.h"
#include "win/api.h"
#include "win/keys.h"

namespace {
// An icon button shows the small form of its icon, beside or above its text.
constexpr int kIconSize = 16;

bool isCheckType(UINT type) {
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE;
}

// The grey form of a picture: luminance, lightened, with the transparent colour cut out.
vtl::gfx::Image greyed(const vtl::gfx::Image& source, const COLORREF* transparent) {
    vtl::gfx::Image out = source;
    for (auto& p : out.pixels()) {
        if (transparent && p.a != 0 && p.colour() == *transparent) {
            p = vtl::gfx::kTransparent;
            continue;
        }
        const int lum = (p.r * 30 + p.g * 59 + p.b * 11) / 100;
        const auto v = static_cast<std::uint8_t>(128 + lum / 2);
        p = {v, v, v, p.a};
    }
    return out;
}
}  // namespace

CButtonST::CButtonST() = default;

CButtonST::~CButtonST() {
    if (icon_) ::DestroyIcon(icon_);
}

BOOL CButtonST::SubclassDlgItem(UINT id, CWnd* parent) {
    if (!CWnd::SubclassDlgItem(id, parent)) return FALSE;
    const UINT style = GetButtonStyle();
    if (isCheckType(style & BS_TYPEMASK)) {
        checkBox_ = true;
        check_ = CButton::DefWindowProc(BM_GETCHECK, 0, 0) == BST_CHECKED ? BST_CHECKED : BST_UNCHECKED;
    }
    SetButtonStyle((style & ~(BS_TYPEMASK | BS_PUSHLIKE)) | BS_OWNERDRAW);
    return TRUE;
}

void CButtonST::SetFlat(bool flat) {
    flat_ = flat;
    if (m_hWnd) Invalidate();
}
void CButtonST::SetFlatFocus(bool drawFocus) { flatFocus_ = drawFocus; }
void CButtonST::DrawBorder(bool border) {
    border_ = border;
    if (m_hWnd) Invalidate();
}
void CButtonST::DrawColoredWhenDisabled(bool coloured) {
    colouredWhenDisabled_ = coloured;
    if (m_hWnd) Invalidate();
}
void CButtonST::SetPictureAboveText(bool above) {
    pictureAbove_ = above;
    if (m_hWnd) Invalidate();
}

void CButtonST::ClearPicture() {
    if (icon_) ::DestroyIcon(icon_);
    icon_ = HICON();
    bitmap_.DeleteObject();
    grey_.DeleteObject();
    if (m_hWnd) Invalidate();
}

bool CButtonST::HasPicture() const { return icon_ || bitmap_.GetSafeHandle(); }

bool CButtonST::SetIcon(int iconId) {
    ClearPicture();
    icon_ = ::LoadIcon(nullptr, iconId);
    makeGreyPicture();
    return static_cast<bool>(icon_);
}

bool CButtonST::SetBitmap(int bitmapId, COLORREF transparent) {
    ClearPicture();
    transparent_ = transparent;
    const bool ok = bitmap_.LoadBitmap(static_cast<UINT>(bitmapId)) != FALSE;
    makeGreyPicture();
    return ok;
}

bool CButtonST::SetBitmapFile(const Vtl_String& path, COLORREF transparent) {
    ClearPicture();
    transparent_ = transparent;
    const std::string native = vtl::base::files::resolve(path.str());
    const bool ok = !native.empty() && bitmap_.LoadFromFile(native) != FALSE;
    makeGreyPicture();
    return ok;
}

void CButtonST::makeGreyPicture() {
    grey_.DeleteObject();
    std::shared_ptr<const vtl::gfx::Image> image;
    if (icon_) image = vtl::gfx::iconImage(icon_, kIconSize);
    else if (bitmap_.GetSafeHandle()) image = vtl::gfx::bitmapImage(bitmap_.GetSafeHandle());
    if (!image || image->empty()) return;
    grey_.Attach(vtl::gfx::createBitmap(greyed(*image, icon_ ? nullptr : &transparent_)));
}

void CButtonST::SetTooltipText(const Vtl_String& text, bool activate) {
    if (!m_hWnd) return;
    if (!tip_) {
        tip_ = std::make_unique<CToolTipCtrl>();
        if (!tip_->Create(GetParent())) {
            tip_.reset();
            return;
        }
    }
    if (text.length() == 0) {
        tip_->DelTool(this);
    } else {
        tip_->AddTool(this, text.c_str());
    }
    tip_->Activate(activate && text.length() > 0);
}

void CButtonST::ActivateTooltip(bool activate) {
    if (tip_) tip_->Activate(activate && tip_->GetToolCount() > 0);
}

Vtl_String CButtonST::GetTooltipText() const { return tip_ ? Vtl_String(tip_->GetText(const_cast<CButtonST*>(this))) : Vtl_String(); }

bool CButtonST::IsTooltipActive() const { return tip_ && tip_->IsActive(); }

void CButtonST::SetCheckBox(bool isCheckBox) {
    checkBox_ = isCheckBox;
    if (!checkBox_) check_ = BST_UNCHECKED;
    if (m_hWnd) Invalidate();
}

void CButtonST::toggleCheck() {
    check_ = check_ == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
    Invalidate();
}

LRESULT CButtonST::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case BM_GETCHECK:
        if (checkBox_) return check_;
        break;
    case BM_SETCHECK:
        if (checkBox_) {
            check_ = wParam == BST_CHECKED ? BST_CHECKED : BST_UNCHECKED;
            Invalidate();
            return 0;
        }
        break;
    case BM_CLICK:
        // The check changes first, then the class behaviour tells the dialog.
        if (checkBox_ && IsWindowEnabled()) toggleCheck();
        break;
    case WM_LBUTTONUP:
        if (checkBox_ && ::GetCapture() == m_hWnd && (CButton::DefWindowProc(BM_GETSTATE, 0, 0) & BST_PUSHED)) {
            CRect client;
            GetClientRect(&client);
            if (client.PtInRect(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)))) toggleCheck();
        }
        break;
    case WM_KEYUP:
        if (checkBox_ && wParam == VK_SPACE && (CButton::DefWindowProc(BM_GETSTATE, 0, 0) & BST_PUSHED)) toggleCheck();
        break;
    case WM_DESTROY:
        if (tip_ && tip_->m_hWnd) tip_->DestroyWindow();
        tip_.reset();
        break;
    default:
        break;
    }
    return CButton::WindowProc(msg, wParam, lParam);
}

void CButtonST::DrawItem(DRAWITEMSTRUCT* item) {
    if (!item) return;
    CDC paint;  // the device context of the paint pass, for this call
    if (!paint.Attach(item->hDC)) return;
    CDC* dc = &paint;
    const CRect r(item->rcItem);
    const bool disabled = (item->itemState & ODS_DISABLED) != 0;
    const bool down = (item->itemState & ODS_SELECTED) || (checkBox_ && check_ == BST_CHECKED);
    dc->FillSolidRect(&r, GetSysColor(COLOR_BTNFACE));
    if (border_) {
        if (down) {
            dc->Draw3dRect(&r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
        } else if (!flat_) {
            dc->Draw3dRect(&r, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_3DDKSHADOW));
            const CRect inner(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1);
            dc->Draw3dRect(&inner, GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNSHADOW));
        }
    }

    // The picture and the text, as one group centred in the face; a pressed button shifts it by a pixel.
    SIZE picture{0, 0};
    if (icon_) picture = {kIconSize, kIconSize};
    else if (auto size = vtl::gfx::bitmapSize(bitmap_.GetSafeHandle())) picture = *size;
    const std::string text = GetWindowText();
    const CSize textSize = text.empty() ? CSize(0, 0) : dc->GetTextExtent(text);
    const int gap = (picture.cx > 0 && !text.empty()) ? 4 : 0;
    const int shift = down ? 1 : 0;
    CRect pictureAt, textAt;
    if (pictureAbove_) {
        const int total = picture.cy + gap + textSize.cy;
        const int top = r.top + (r.Height() - total) / 2 + shift;
        pictureAt = CRect(r.left + (r.Width() - picture.cx) / 2 + shift, top, 0, 0);
        textAt = CRect(r.left + 2 + shift, top + picture.cy + gap, r.right - 2 + shift, top + total);
    } else {
        const int total = picture.cx + gap + textSize.cx;
        const int left = r.left + (r.Width() - total) / 2 + shift;
        pictureAt = CRect(left, r.top + (r.Height() - picture.cy) / 2 + shift, 0, 0);
        textAt = CRect(left + picture.cx + gap, r.top + shift, r.right - 2 + shift, r.bottom + shift);
    }
    const bool grey = disabled && !colouredWhenDisabled_ && grey_.GetSafeHandle();
    if (grey) {
        dc->DrawBitmap(pictureAt.left, pictureAt.top, grey_.GetSafeHandle());
    } else if (icon_) {
        dc->DrawIcon(pictureAt.left, pictureAt.top, icon_, kIconSize);
    } else if (bitmap_.GetSafeHandle()) {
        dc->DrawBitmap(pictureAt.left, pictureAt.top, bitmap_.GetSafeHandle(), &transparent_);
    }
    if (!text.empty()) {
        dc->SetBkMode(TRANSPARENT);
        dc->SetTextColor(GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
        const UINT format = pictureAbove_ ? (DT_CENTER | DT_TOP | DT_SINGLELINE) : (DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        dc->DrawText(text, &textAt, format);
    }
    if ((item->itemState & ODS_FOCUS) && (!flat_ || flatFocus_)) {
        const CRect focus(r.left + 3, r.top + 3, r.right - 3, r.bottom - 3);
        dc->DrawFocusRect(&focus);
    }
}

BOOL CButtonST::PreTranslateMessage(MSG* msg) {
    if (tip_ && tip_->m_hWnd) tip_->RelayEvent(msg);
    return CButton::PreTranslateMessage(msg);
}
