#include "macro/select_macro_dialog.h"

#include <cctype>
#include <set>

#include "frame/export_guard.h"
#include "frame/module.h"
#include "vtlbase/dialog_size.h"
#include "vtlbase/file_functions.h"
#include "vtlbase/files/file_io.h"
#include "vtlbase/macro_langs.h"
#include "vtlui/vtlui.h"
#include "win/api.h"

namespace vtl::ui {
namespace {
constexpr const char* kSizeKey = "DLG_SELECT_MACRO";
constexpr const char* kLargeKey = "LARGE_DLG";
constexpr COLORREF kUnusedCells = 0xDCDCDC;
constexpr int kHiddenGroupHeight = 28;
constexpr int kCheckColumnWidth = 24;
constexpr int kNameColumnWidth = 72;

Vtl_String withoutTrailingDigits(const Vtl_String& s) {
    std::string t = s.str();
    while (!t.empty() && std::isdigit(static_cast<unsigned char>(t.back()))) t.pop_back();
    return Vtl_String(t);
}

RECT childRect(CWnd* dlg, int id) {
    RECT r{};
    const HWND h = ::GetDlgItem(dlg->m_hWnd, id);
    ::GetWindowRect(h, &r);
    ::MapWindowPoints(nullptr, dlg->m_hWnd, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void placeChild(CWnd* dlg, int id, const RECT& r) {
    ::MoveWindow(::GetDlgItem(dlg->m_hWnd, id), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}
}  // namespace

SelectMacroDialog::SelectMacroDialog(const Vtl_String& caption, Vtl_MacroPropsFilter& filter, bool alternative,
                                     bool hint, CWnd* parent)
    : CDialog(IDD, parent), caption_(caption), filter_(filter), offerAlternative_(alternative), hint_(hint) {}

Vtl_StringArray SelectMacroDialog::labelsOf(const Vtl_StringArray& files) {
    Vtl_StringArray full, stripped;
    for (const Vtl_String& f : files) {
        const Vtl_String label = gMacroLangs.GetString(removeExtension(getFileName(f)));
        full.append(label);
        stripped.append(withoutTrailingDigits(label));
    }
    std::set<std::string> seen;
    for (const Vtl_String& s : stripped)
        if (!seen.insert(s.str()).second) return full;
    return stripped;
}

Vtl_String SelectMacroDialog::pictureOf(const Vtl_String& dwgFile) {
    const Vtl_String bmp = changeExtension(dwgFile, "bmp");
    return base::files::fileExists(bmp.str()) ? bmp : changeExtension(dwgFile, "abm");
}

BOOL SelectMacroDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    grid_.attachToDlgItem(this, kGridId, false);
    grid_.setStyle(1);
    grid_.setOption(SS_SWITCH_ROW_HEADERS, false);
    grid_.setLockColors(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT));
    // The grid made in place of its placeholder sits in the group: the group stays behind it.
    ::SetWindowPos(::GetDlgItem(m_hWnd, kGroupId), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    panelButton_.SubclassDlgItem(kPanelId, this);
    panelButton_.SetBitmap(241, RGB(192, 192, 192));
    panelButton_.SetTooltipText("Show or hide filter options");
    list_.SubclassDlgItem(kListId, this);
    ::ShowWindow(::GetDlgItem(m_hWnd, kHintId), SW_HIDE);
    if (!offerAlternative_) {
        ::EnableWindow(::GetDlgItem(m_hWnd, kAlternativeId), FALSE);
        if (hint_) {
            SetDlgItemText(kHintId, (dialString(1312) + "\n" + dialString(1313)).c_str());
            ::ShowWindow(::GetDlgItem(m_hWnd, kHintId), SW_SHOW);
            RECT r = childRect(this, kListId);
            r.bottom -= 60;
            placeChild(this, kListId, r);
        }
    }
    getDlgSize(this, minWidth_, minHeight_, 0);
    setupResizer();
    ChangeDlgSize(this, kSizeKey, 0);
    list_.Init(filter_.previewWidth, filter_.previewHeight);
    SetWindowText((caption_.isEmpty() ? dialString(1116) : caption_).c_str());
    SetDlgItemText(kGroupId, ("  " + dialString(1644)).c_str());
    for (auto [id, text] : {std::pair{IDOK, 1}, {IDCANCEL, 2}, {kShowAllId, 1118}, {kAlternativeId, 1309}})
        SetDlgItemText(id, dialString(text).c_str());
    ::ShowWindow(::GetDlgItem(m_hWnd, kShowAllId), SW_HIDE);
    // Macros without a picture of their own get a generated preview.
    Vtl_StringArray all, missing;
    filter_.getAllDwgFiles(all);
    for (const Vtl_String& f : all)
        if (!base::files::fileExists(changeExtension(f, "bmp").str())) missing.append(f);
    if (!missing.isEmpty()) CreatePreviewBMPs(missing, filter_.previewWidth, filter_.previewHeight);
    fillGrid();
    CheckDlgButton(kShowAllId, BST_CHECKED);
    fillThumbnails();
    const RECT group = childRect(this, kGroupId);
    // Hidden, the group keeps a strip for its caption and the panel's button.
    filterHeight_ = group.bottom - group.top - kHiddenGroupHeight;
    large_ = true;
    readDlgRegBool(kSizeKey, kLargeKey, large_);
    showPanel(large_, !large_);
    return TRUE;
}

void SelectMacroDialog::setupResizer() {
    resizer_.Init(this);
    using A = CResizer;
    using E = ResizeEdge;
    for (int id : {kGroupId, kGridId}) resizer_.Add(id, A::parent(E::Left), A::parent(E::Top), A::parent(E::Right), A::parent(E::Top));
    resizer_.Add(kPanelId, A::parent(E::Left), A::parent(E::Top), A::parent(E::Left), A::parent(E::Top));
    resizer_.Add(kListId, A::parent(E::Left), A::parent(E::Top), A::parent(E::Right), A::parent(E::Bottom));
    for (int id : {kHintId, kShowAllId})
        resizer_.Add(id, A::parent(E::Left), A::parent(E::Bottom), A::parent(E::Right), A::parent(E::Bottom));
    for (int id : {IDOK, IDCANCEL}) resizer_.Add(id, A::parent(E::Left), A::parent(E::Bottom), A::parent(E::Left), A::parent(E::Bottom));
    resizer_.Add(kAlternativeId, A::parent(E::Right), A::parent(E::Bottom), A::parent(E::Right), A::parent(E::Bottom));
}

void SelectMacroDialog::fillGrid() {
    Vtl_Array<Vtl_StringArray> modules;
    Vtl_Array<AcArray<bool>> states;
    Vtl_Array<Vtl_Array<int>> counts;
    if (!filter_.getMergedProperties(modules, states, counts)) return;
    modules_ = modules;
    int pairs = 0;
    for (const Vtl_StringArray& row : modules) pairs = std::max(pairs, row.length());
    grid_.setRedraw(false);
    grid_.setColCount(2 * pairs, false);
    grid_.setRowCount(modules.length());
    Vtl_StringArray headers;
    for (int k = 0; k < pairs; ++k) {
        headers.append(k == 0 ? dialString(1119) : dialString(1120) + " " + Vtl_String(k));
        headers.append(Vtl_String());
    }
    grid_.setColHeaders(headers);
    for (int k = 0; k < pairs; ++k) grid_.addSpan(2 * k + 1, Vtl_Spread::HEADER, 2, 1);
    for (int r = 0; r < modules.length(); ++r) {
        const Vtl_StringArray& row = modules[r];
        for (int k = 0; k < pairs; ++k) {
            const int col = 2 * k + 1;
            if (k < row.length()) {
                grid_.setCheckCell(col, r + 1, true);
                grid_.setCellLock(col, r + 1, false);
                grid_.setCellCheck(col, r + 1, k < states[r].length() && states[r][k]);
                grid_.setCellText(col + 1, r + 1, row[k]);
                grid_.setCellLock(col + 1, r + 1, true);
            } else {
                grid_.setCellText(col, r + 1, Vtl_String());
                grid_.setCellText(col + 1, r + 1, Vtl_String());
                grid_.setCellLock(col, r + 1, true);
                grid_.setCellLock(col + 1, r + 1, true);
                grid_.addSpan(col, r + 1, 2, 1);
                SSSetCellColor(grid_.grid(), col, r + 1, kUnusedCells, RGB(0, 0, 0));
            }
        }
    }
    // Narrow check columns; each name column fits its names and leaves room for the pair's header.
    for (int k = 0; k < pairs; ++k) {
        SSSetColWidthPixels(grid_.grid(), 2 * k + 1, kCheckColumnWidth);
        grid_.autoFitColumn(2 * k + 2);
        if (SSGetColWidthPixels(grid_.grid(), 2 * k + 2) < kNameColumnWidth)
            SSSetColWidthPixels(grid_.grid(), 2 * k + 2, kNameColumnWidth);
    }
    grid_.setChanged(false);
    grid_.setRedraw(true);
    filterReady_ = true;
}

void SelectMacroDialog::fillThumbnails() {
    Vtl_StringArray macros;
    filter_.getFilteredMacros(macros);
    files_.removeAll();
    for (const Vtl_String& m : macros) files_.append(pictureOf(m));
    labels_ = labelsOf(macros);
    list_.SetItems(files_, labels_);
    list_.Redraw();
}

void SelectMacroDialog::onGridSwitch(bool on) {
    int col = 0, row = 0;
    if (!grid_.getActiveCell(col, row) || row < 1 || row > modules_.length() || col < 1) return;
    const Vtl_StringArray& entries = modules_[row - 1];
    const int pair = (col - 1) / 2;
    if (pair >= entries.length()) return;
    if (pair == 0) filter_.setModuleStatus(entries[0], on);
    else filter_.setModulePropStatus(entries[0], entries[pair], on);
    fillGrid();
    grid_.setActiveCell(col, row);
    fillThumbnails();
}

void SelectMacroDialog::showPanel(bool show, bool resize) {
    large_ = show;
    ::ShowWindow(::GetDlgItem(m_hWnd, kGridId), show ? SW_SHOW : SW_HIDE);
    panelButton_.SetIcon(show ? 241 : 240);
    if (!resize) return;
    const int delta = show ? filterHeight_ : -filterHeight_;
    RECT group = childRect(this, kGroupId);
    group.bottom += delta;
    placeChild(this, kGroupId, group);
    RECT list = childRect(this, kListId);
    list.top += delta;
    placeChild(this, kListId, list);
    setupResizer();  // the new places are the ones to keep from now on
}

BOOL SelectMacroDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (id == kGridId && (code == SSN_CHECK_SET || code == SSN_CHECK_CLEARED)) {
        if (filterReady_) onGridSwitch(code == SSN_CHECK_SET);
        return TRUE;
    }
    if (code == BN_CLICKED && id == kPanelId) {
        showPanel(!large_, true);
        return TRUE;
    }
    if (code == BN_CLICKED && id == kAlternativeId) {
        alternative_ = true;
        EndDialog(IDOK);
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

BOOL SelectMacroDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && static_cast<int>(header->idFrom) == kListId && header->code == NM_DBLCLK) {
        OnOK();
        return TRUE;
    }
    return CDialog::OnNotify(wParam, lParam, result);
}

LRESULT SelectMacroDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_GETMINMAXINFO) {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize.x = minWidth_;
        info->ptMinTrackSize.y = minHeight_;
        return 0;
    }
    const LRESULT r = CDialog::WindowProc(msg, wParam, lParam);
    if (msg == WM_SIZE) resizer_.Move();
    return r;
}

void SelectMacroDialog::OnOK() {
    const Vtl_String picture = list_.GetSelectedFile();
    if (picture.isEmpty()) return;
    selection_ = changeExtension(picture, "dwg");
    alternative_ = false;
    EndDialog(IDOK);
}

void SelectMacroDialog::OnDestroy() {
    WriteDlgSize(this, kSizeKey);
    writeDlgRegBool(kSizeKey, kLargeKey, large_);
    CDialog::OnDestroy();
}

}  // namespace vtl::ui

bool StartDlgSelectMacro(const Vtl_String& caption, const Vtl_StringArray& moduleNames, const AcArray<bool>& moduleStates,
                         const int& previewWidth, const int& previewHeight, Vtl_String& selected, bool& alternative,
                         bool hint) {
    return vtl::ui::guardExport("StartDlgSelectMacro", false, [&] {
        KsTempResourceOverride::Scope resources(vtl::ui::resourceOverride());
        Vtl_MacroPropsFilter filter;
        filter.initialize(moduleNames, moduleStates, previewWidth, previewHeight);
        vtl::ui::SelectMacroDialog dlg(caption, filter, alternative, hint);
        if (dlg.DoModal() != IDOK) return false;
        selected = dlg.selection();
        alternative = dlg.alternativeChosen();
        return true;
    });
}
