#include "designer/designer_dialog.h"

#include <algorithm>

#include "common/dialog_helpers.h"
#include "designer/design_access.h"
#include "designer/designer_files.h"
#include "vtlbase/dialog_services.h"
#include "vtlbase/dialog_size.h"
#include "vtlui/vtlui.h"
#include "win/api.h"
#include "win/combo_box.h"
#include "win/dc.h"
#include "win/gdi.h"
#include "win/keys.h"
#include "win/message_box.h"

namespace vtl::ui {
namespace {
constexpr char kSizeKey[] = "DLG_DLGDESIGNER";
constexpr int kEditType = 2;
constexpr int kCaption = 843, kQuestionCaption = 837, kQuestionText = 838, kCloseText = 285, kTypeFrameText = 836;
constexpr int kOpenTitle = 841, kSaveTitle = 842, kDesignsFilter = 840, kBitmapsFilter = 839;
constexpr int kTabOrderText = 20130, kUndoText = 20131, kRedoText = 20132;
constexpr int kRefusedSave = 20133, kFailedSave = 20134, kUnreadablePicture = 20135, kUncopiedPicture = 20136;
constexpr int kRefusedOpen = 20137, kUnnamed = 20138;

// The command buttons: id, icon (0: a text button) and tooltip.
struct CommandButton {
    int id;
    int icon;
    int tooltip;
};
constexpr CommandButton kIconButtons[] = {
    {DlgDesigner::kOpen, 232, 20140},   {DlgDesigner::kSaveAs, 233, 20141}, {DlgDesigner::kAdd, 212, 20142},
    {DlgDesigner::kDelete, 206, 20143}, {DlgDesigner::kWidth, 235, 20144},  {DlgDesigner::kHeight, 236, 20145},
    {DlgDesigner::kCopy, 223, 20146},   {DlgDesigner::kPicture, 231, 20149}};
constexpr CommandButton kTextButtons[] = {{DlgDesigner::kAlignBottoms, 0, 20147},
                                          {DlgDesigner::kPlaceBeside, 0, 20148},
                                          {DlgDesigner::kUndo, 0, 20150},
                                          {DlgDesigner::kRedo, 0, 20151}};

Vtl_String withExtension(int filter, const char* pattern) { return dialString(filter) + " (" + pattern + ")"; }
}  // namespace

DlgDesigner::DlgDesigner(const Vtl_String& path, CWnd* parent) : CDialog(IDD, parent), path_(path) {}

Vtl_String DlgDesigner::designFile() const {
    return design_.getName().isEmpty() ? Vtl_String() : vtl::designer::designPath(design_.getName(), "txt");
}

BOOL DlgDesigner::OnInitDialog() {
    CDialog::OnInitDialog();
    design_.initialize(this, Vtl_DlgDesignerData::kFirstControlId, Vtl_DlgDesignerData::kLastControlId, kTypeList,
                       kContentsLabel, kContentsField, kListLabel, kListField, true);
    for (std::size_t i = 0; i < std::size(kIconButtons); ++i)
        setupIconButton(this, &iconButtons_[i], kIconButtons[i].id, kIconButtons[i].icon, dialString(kIconButtons[i].tooltip));
    for (const CommandButton& b : kTextButtons) {
        auto button = std::make_unique<CButtonST>();
        button->SubclassDlgItem(static_cast<UINT>(b.id), this);
        button->SetTooltipText(dialString(b.tooltip));
        textButtons_.push_back(std::move(button));
    }
    SetDlgItemText(kTypeFrame, dialString(kTypeFrameText).c_str());
    SetDlgItemText(kTabOrderFrame, dialString(kTabOrderText).c_str());
    SetDlgItemText(kUndo, dialString(kUndoText).c_str());
    SetDlgItemText(kRedo, dialString(kRedoText).c_str());
    SetDlgItemText(IDOK, dialString(kCloseText).c_str());
    ::ShowWindow(::GetDlgItem(m_hWnd, IDCANCEL), SW_HIDE);

    // The strip keeps its height at the bottom; the type frame its width, the "comboList" frame a share of
    // the width, the "contents" frame what lies between; the buttons stay left, Close and the tab order
    // right.
    resizer_.Init(this);
    using A = CResizer;
    using E = ResizeEdge;
    const auto bottom = A::parent(E::Bottom);
    resizer_.Add(kTypeFrame, A::parent(E::Left), bottom, A::parent(E::Left), bottom);
    resizer_.Add(kTabOrderFrame, A::parent(E::Right), bottom, A::parent(E::Right), bottom);
    resizer_.Add(kListLabel, A::parent(E::ScaleX), bottom, A::parent(E::Right), bottom);
    resizer_.Add(kContentsLabel, A::control(kTypeFrame, E::Right), bottom, A::control(kListLabel, E::Left), bottom);
    resizer_.Add(kTypeList, A::control(kTypeFrame, E::Left), bottom, A::control(kTypeFrame, E::Right), bottom);
    resizer_.Add(kContentsField, A::control(kContentsLabel, E::Left), bottom, A::control(kContentsLabel, E::Right), bottom);
    resizer_.Add(kListField, A::control(kListLabel, E::Left), bottom, A::control(kListLabel, E::Right), bottom);
    resizer_.Add(kTabOrderField, A::control(kTabOrderFrame, E::Left), bottom, A::control(kTabOrderFrame, E::Right), bottom);
    for (int id : {kOpen, kSaveAs, kAdd, kDelete, kWidth, kHeight, kCopy, kAlignBottoms, kPlaceBeside, kPicture, kUndo, kRedo})
        resizer_.Add(id, A::parent(E::Left), bottom, A::parent(E::Left), bottom);
    resizer_.Add(IDOK, A::parent(E::Right), bottom, A::parent(E::Right), bottom);

    // The smallest size is the template's, so the strip always fits.
    getDlgSize(this, minWidth_, minHeight_);
    ChangeDlgSize(this, kSizeKey);
    placeSurface();
    if (!path_.isEmpty() && fileExists(path_)) load(path_);
    refresh();
    return TRUE;
}

bool DlgDesigner::load(const Vtl_String& path) {
    const Vtl_String previous = design_.getName();
    // The picture of the design shown so far goes: a design without one of its own shows none.
    vtl::designer::DesignAccess::dropPicture(design_);
    if (!design_.readFromFile(path, true)) {
        if (!previous.isEmpty()) design_.attachBitmap(vtl::designer::designPath(previous, "bmp"));
        message(kRefusedOpen, path, MB_ICONEXCLAMATION);
        return false;
    }
    fitPicture();
    placeSurface();
    design_.redrawAllControls();
    design_.setUnmodified(true);
    path_ = designFile();
    refresh();
    return true;
}

int DlgDesigner::stripTop() const {
    RECT frame;
    ::GetWindowRect(::GetDlgItem(m_hWnd, kTypeFrame), &frame);
    POINT top{frame.left, frame.top};
    ::ScreenToClient(m_hWnd, &top);
    return std::max(0, static_cast<int>(top.y) - 2);
}

void DlgDesigner::placeSurface() {
    RECT client;
    GetClientRect(&client);
    design_.setDesignSurface({0, 0, client.right, stripTop()});
}

void DlgDesigner::fitPicture() {
    int w = 0, h = 0;
    design_.getImageSize(w, h);
    RECT client;
    GetClientRect(&client);
    const int growX = std::max(0, w - static_cast<int>(client.right));
    const int growY = std::max(0, h - stripTop());
    if (growX == 0 && growY == 0) return;
    RECT r;
    GetWindowRect(&r);
    MoveWindow(r.left, r.top, r.right - r.left + growX, r.bottom - r.top + growY);
}

// ---- commands ----

BOOL DlgDesigner::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (code == BN_CLICKED) {
        switch (id) {
        case kOpen:
            onOpen();
            return TRUE;
        case kSaveAs:
            saveAs();
            refresh();
            return TRUE;
        case kAdd:
            design_.addNewControl(kEditType);
            break;
        case kDelete:
            design_.removeCurControls();
            break;
        case kWidth:
        case kHeight:
            design_.changeCtrlSize(id == kWidth);
            break;
        case kCopy:
            design_.copyCurCtrls();
            break;
        case kAlignBottoms:
            design_.outlineCurCtrls();
            break;
        case kPlaceBeside:
            design_.stickRightCurCtrls();
            break;
        case kPicture:
            onPicture();
            break;
        case kUndo:
            design_.undo();
            break;
        case kRedo:
            design_.redo();
            break;
        default:
            return CDialog::OnCommand(wParam, lParam);
        }
        refresh();
        return TRUE;
    }
    if (id == kTypeList && code == CBN_SELCHANGE) {
        design_.propsOfCurSelUpdated();
        refresh();
        return TRUE;
    }
    if ((id == kContentsField || id == kListField) && code == EN_CHANGE) {
        // The field keeps its text and caret while the person types: only the rest is brought up to date.
        design_.propsOfCurSelUpdated();
        updateTitle();
        updateTabOrder();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void DlgDesigner::onOpen() {
    if (!saveQuestion()) return;
    const Vtl_String root = getDesignerRootFolder();
    Vtl_String chosen;
    const Vtl_String start = design_.getName().isEmpty() ? root : getPath(root + design_.getName());
    if (!DlgOpenSave(true, dialString(kOpenTitle), "txt", withExtension(kDesignsFilter, "*.txt"), start, chosen)) return;
    load(chosen);
}

bool DlgDesigner::saveAs() {
    const Vtl_String root = getDesignerRootFolder();
    const Vtl_String start = design_.getName().isEmpty() ? root : getPath(root + design_.getName());
    Vtl_String chosen = path_;
    if (!DlgOpenSave(false, dialString(kSaveTitle), "txt", withExtension(kDesignsFilter, "*.txt"), start, chosen)) return false;
    return saveTo(chosen);
}

bool DlgDesigner::saveTo(const Vtl_String& path) {
    Vtl_String name, normalised;
    if (!vtl::designer::writableDesignPath(path, name, normalised)) {
        message(kRefusedSave, getDesignerRootFolder(), MB_ICONEXCLAMATION);
        return false;
    }
    if (!design_.writeToFile(path)) {
        message(kFailedSave, normalised, MB_ICONEXCLAMATION);
        return false;
    }
    design_.setUnmodified(false);
    path_ = designFile();
    updateTitle();
    return true;
}

void DlgDesigner::onPicture() {
    Vtl_String chosen;
    if (!DlgOpenSave(true, dialString(kOpenTitle), "bmp", withExtension(kBitmapsFilter, "*.bmp"), getDesignerRootFolder(), chosen))
        return;
    // The picture is kept beside the design under its name: an unnamed design is named first.
    if (design_.getName().isEmpty() && !saveAs()) return;
    if (!design_.attachPicture(chosen)) {
        int w = 0, h = 0;
        if (!getBitmapFileSize(chosen, w, h)) message(kUnreadablePicture, chosen, MB_ICONEXCLAMATION);
        else message(kUncopiedPicture, Vtl_String(), MB_ICONEXCLAMATION);
        return;
    }
    fitPicture();
    placeSurface();
}

bool DlgDesigner::saveQuestion() {
    if (!design_.isModified()) return true;
    const Vtl_String name = design_.getName().isEmpty() ? dialString(kUnnamed) : design_.getName();
    const Vtl_String text = dialString(kQuestionText) + "\n<" + name + ">";
    switch (MessageBox(text.c_str(), dialString(kQuestionCaption).c_str(), MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
        // A design without a name is given one first; a refused or failed save keeps the dialog open.
        if (design_.getName().isEmpty()) return saveAs();
        return saveTo(vtl::designer::designPath(design_.getName(), "txt"));
    case IDNO:
        return true;
    default:
        return false;
    }
}

void DlgDesigner::OnOK() {
    if (!saveQuestion()) {
        refresh();
        return;
    }
    EndDialog(IDOK);
}

void DlgDesigner::OnCancel() {
    // Escape never gets here (it is swallowed); the close box does, and asks as Close does.
    if (!saveQuestion()) {
        refresh();
        return;
    }
    EndDialog(IDCANCEL);
}

void DlgDesigner::message(int text, const Vtl_String& detail, UINT icon) {
    Vtl_String body = dialString(text);
    if (!detail.isEmpty()) body += Vtl_String("\n") + detail;
    MessageBox(body.c_str(), dialString(kQuestionCaption).c_str(), MB_OK | icon);
}

// ---- what the strip shows ----

void DlgDesigner::refresh() {
    design_.updatePropsOfCurSel();
    updateTabOrder();
    updateTitle();
    ::EnableWindow(::GetDlgItem(m_hWnd, kUndo), design_.canUndo() ? TRUE : FALSE);
    ::EnableWindow(::GetDlgItem(m_hWnd, kRedo), design_.canRedo() ? TRUE : FALSE);
    Invalidate();
}

void DlgDesigner::updateTitle() {
    Vtl_String title = dialString(kCaption);
    if (!design_.getName().isEmpty()) title += Vtl_String(" - <") + design_.getName() + ">";
    SetWindowText(title.c_str());
}

void DlgDesigner::updateTabOrder() {
    // Where the current control comes in the tab order a macro page gives the design (reading order).
    const int current = design_.getCurSel();
    Vtl_String shown;
    if (current >= 0) {
        design_.sortAllControls();
        const Vtl_DesignerControl* c = design_.getControl(current);
        shown = c && c->type != 0 && c->type != 1 ? Vtl_String(c->tabOrder) : Vtl_String("-");
    }
    SetDlgItemText(kTabOrderField, shown.c_str());
}

// ---- mouse, keys, painting ----

bool DlgDesigner::focusInField() const {
    const HWND focus = childWithFocus(m_hWnd);
    return focus && (focus == ::GetDlgItem(m_hWnd, kContentsField) || focus == ::GetDlgItem(m_hWnd, kListField) ||
                     focus == ::GetDlgItem(m_hWnd, kTypeList));
}

void DlgDesigner::OnLButtonDown(UINT flags, CPoint point) {
    if (point.y >= stripTop()) return;  // the strip is no part of the surface
    // The surface takes the keyboard: the arrow keys move what is selected, Delete removes it.
    surfaceFocus_ = true;
    ::SetFocus(m_hWnd);
    design_.OnLButtonDown(flags, point);
    refresh();
}

BOOL DlgDesigner::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN) {
        const bool ctrl = GetKeyState(VK_CONTROL) < 0;
        const bool shift = GetKeyState(VK_SHIFT) < 0;
        const UINT key = static_cast<UINT>(msg->wParam);
        // Escape is swallowed, except by the dropped type list, which it closes.
        if (key == VK_ESCAPE) {
            const HWND typeList = ::GetDlgItem(m_hWnd, kTypeList);
            if (!(typeList && ::SendMessage(typeList, CB_GETDROPPEDSTATE))) return TRUE;
        }
        // The property fields take effect as they are typed: Enter there has nothing to confirm and does not
        // close the designer.
        if (key == VK_RETURN) {
            const HWND focus = childWithFocus(m_hWnd);
            if (focus && (focus == ::GetDlgItem(m_hWnd, kContentsField) || focus == ::GetDlgItem(m_hWnd, kListField)))
                return TRUE;
        }
        if (ctrl && (key == 'Z' || key == 'Y')) {
            if (key == 'Y' || shift) design_.redo();
            else design_.undo();
            refresh();
            return TRUE;
        }
        if (!focusInField()) {
            int dx = 0, dy = 0;
            switch (key) {
            case VK_LEFT: dx = -1; break;
            case VK_RIGHT: dx = 1; break;
            case VK_UP: dy = -1; break;
            case VK_DOWN: dy = 1; break;
            case VK_DELETE:
                design_.removeCurControls();
                refresh();
                return TRUE;
            case 'A':
                if (!ctrl) break;
                {
                    std::vector<int> all(static_cast<std::size_t>(design_.getNrControls()));
                    for (int i = 0; i < design_.getNrControls(); ++i) all[static_cast<std::size_t>(i)] = i;
                    design_.selectIndices(all);
                }
                refresh();
                return TRUE;
            default:
                break;
            }
            if (dx != 0 || dy != 0) {
                // Ctrl takes ten pixels a step; Shift sizes instead of moving.
                const int step = ctrl ? 10 : 1;
                if (shift) design_.resizeCurCtrls(dx * step, dy * step);
                else design_.moveCurCtrls(dx * step, dy * step);
                refresh();
                return TRUE;
            }
        }
    }
    return CDialog::PreTranslateMessage(msg);
}

LRESULT DlgDesigner::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SETFOCUS:
        // The surface keeps the keyboard for itself; otherwise the dialog hands it to a control.
        if (surfaceFocus_) return 0;
        break;
    case WM_KILLFOCUS:
        surfaceFocus_ = false;
        break;
    case WM_SETCURSOR:
        if (design_.OnSetCursor(LOWORD(lParam), HIWORD(lParam))) return TRUE;
        break;
    case WM_SIZE: {
        const LRESULT r = CDialog::WindowProc(msg, wParam, lParam);
        resizer_.Move();
        placeSurface();
        return r;
    }
    case WM_GETMINMAXINFO:
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {minWidth_, minHeight_};
        return 0;
    case WM_DESTROY:
        WriteDlgSize(this, kSizeKey);
        break;
    default:
        break;
    }
    return CDialog::WindowProc(msg, wParam, lParam);
}

BOOL DlgDesigner::OnEraseBkgnd(CDC* dc) {
    design_.OnEraseBkgnd(dc);
    return TRUE;
}

void DlgDesigner::OnPaint() {
    CPaintDC dc(this);
    design_.OnPaint(dc);
}

HBRUSH DlgDesigner::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
    // Plain texts of the design (left-aligned, no picture style) let the picture show through.
    if (wnd && design_.isADynControl(wnd->GetDlgCtrlID()) && ::GetClassName(wnd->m_hWnd) == "STATIC") {
        const auto style = static_cast<DWORD>(::GetWindowLongPtr(wnd->m_hWnd, GWL_STYLE));
        if ((style & 0x5) == 0) {
            dc->SetBkMode(TRANSPARENT);
            return GetStockObject(NULL_BRUSH);
        }
    }
    return CDialog::OnCtlColor(dc, wnd, ctlColor);
}

}  // namespace vtl::ui
