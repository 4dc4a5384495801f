#include "cutstock/cutting_stock_dialog.h"

#include <algorithm>
#include <iterator>
#include <tuple>

#include "common/dialog_helpers.h"
#include "common/ks_input_text_dlg.h"
#include "cutstock/cutting_stock_report.h"
#include "cutstock/stock_files.h"
#include "frame/export_guard.h"
#include "frame/host.h"
#include "frame/module.h"
#include "vtlbase/controls/control_functions.h"
#include "vtlbase/dialog_services.h"
#include "vtlbase/dialog_size.h"
#include "vtlui/vtlui.h"
#include "win/button.h"
#include "win/combo_box.h"
#include "win/message_box.h"

namespace vtl::ui {
namespace {
constexpr int kCaption = 620;
constexpr int kAddRowTip = 616;
constexpr int kRemoveRowTip = 617;
constexpr int kOpenTitle = 618;
constexpr int kSaveTitle = 619;
constexpr int kReportText = 629;
constexpr int kSaveAllText = 628;
constexpr int kShopDescription = 626;
constexpr int kBuyDescription = 627;
constexpr int kAddProfileTitle = 631;
constexpr int kAddProfilePrompt = 632;
constexpr int kNewName = 171;
constexpr int kReportTitle = 652;
constexpr int kCloseText = 285;
constexpr int kCannotReadText = 20160;
constexpr int kCannotWriteText = 20161;
constexpr int kNoFolderText = 20162;
constexpr int kPlusIcon = 212;
constexpr int kCrossIcon = 206;
constexpr int kOpenIcon = 232;
constexpr int kSaveIcon = 233;
constexpr int kColumns = 3;
constexpr int kFitEqualWidths = 1;
constexpr int kMinTrackWidth = 200;
constexpr int kMinTrackHeight = 130;
constexpr int kProfileLabelId = 9035;
constexpr int kListsFrameId = 9037;
constexpr int kGroupIds[3] = {9038, 9041, 9043};

constexpr struct {
    int id;
    int text;
} kTexts[] = {{kProfileLabelId, 621}, {CuttingStockDialog::kAddProfileId, 622}, {CuttingStockDialog::kRemoveProfileId, 623},
              {kListsFrameId, 624},    {9038, 625},                             {9041, 626},
              {9043, 627},             {CuttingStockDialog::kAskNamesId, 630},  {IDOK, 1},
              {IDCANCEL, 2}};

// The controls restricted mode disables: everything but the profile list, the shop stock with its buttons,
// the save-all button and the choice of asking for names.
constexpr int kRestrictedOff[] = {8590, 8591, 9037, 9038, 1321, 9043, 1323, 8601, 8605, 8608, 8609, 8603, 8604};

const char* extensionOf(int number) { return number == 2 ? kShopExtension : kBuyExtension; }
}  // namespace

CuttingStockDialog::CuttingStockDialog(const DlgCSP2Data& data, CWnd* parent) : CDialog(IDD, parent), data_(data) {}

BOOL CuttingStockDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    setupControls();
    fillProfiles(data_.profileCount() > 0 ? 0 : -1);
    currentId_ = data_.profileCount() > 0 ? data_.profileIds[0] : -1;
    fillGrids();
    if (data_.restricted) {
        for (int id : kRestrictedOff) EnDisCtrl(this, id, false);
    } else if (CWnd* ask = GetDlgItem(kAskNamesId)) {
        ask->ShowWindow(SW_HIDE);
    }
    setupResizing();
    ChangeDlgSize(this, kSizeKey);
    return TRUE;
}

void CuttingStockDialog::setupControls() {
    SetWindowText(dialString(kCaption).c_str());
    for (const auto& t : kTexts) SetDlgItemText(t.id, dialString(t.text).c_str());
    SetDlgItemText(kReportId, dialString(data_.restricted ? kSaveAllText : kReportText).c_str());
    const struct {
        int id, icon, tip;
    } icons[] = {{8601, kPlusIcon, kAddRowTip},   {8605, kCrossIcon, kRemoveRowTip}, {8606, kPlusIcon, kAddRowTip},
                 {8607, kCrossIcon, kRemoveRowTip}, {8608, kPlusIcon, kAddRowTip},   {8609, kCrossIcon, kRemoveRowTip},
                 {kOpenShopId, kOpenIcon, kOpenTitle}, {kSaveShopId, kSaveIcon, kSaveTitle},
                 {kOpenBuyId, kOpenIcon, kOpenTitle},  {kSaveBuyId, kSaveIcon, kSaveTitle}};
    static_assert(std::size(icons) == std::tuple_size_v<decltype(iconButtons_)>);
    for (std::size_t i = 0; i < std::size(icons); ++i)
        setupIconButton(this, &iconButtons_[i], icons[i].id, icons[i].icon, dialString(icons[i].tip));
    for (int n = 0; n < 3; ++n) {
        Vtl_Spread& grid = grids_[n];
        // In its placeholder's place: in front of its frame, after its list's buttons.
        grid.attachInPlaceOfDlgItem(this, kGridIds[n], false);
        grid.setStyle(1);
        grid.setOption(SS_SWITCH_ROW_HEADERS, false);
        grid.setFitMode(kFitEqualWidths);
        grid.setColCount(kColumns, false);
    }
}

void CuttingStockDialog::setupResizing() {
    resizer_.Init(this);
    using A = CResizer;
    using E = ResizeEdge;
    for (int id : {kProfileLabelId, kProfilesId, kAddProfileId, kRemoveProfileId})
        resizer_.Add(id, A::parent(E::Left), A::parent(E::Top), A::parent(E::Left), A::parent(E::Top));
    resizer_.Add(kListsFrameId, A::parent(E::Left), A::parent(E::Top), A::parent(E::Right), A::parent(E::Bottom));
    // The three lists share the width.
    for (int n = 0; n < 3; ++n) {
        resizer_.Add(kGroupIds[n], A::parent(E::ScaleX), A::parent(E::Top), A::parent(E::ScaleX), A::parent(E::Bottom));
        resizer_.Add(kGridIds[n], A::parent(E::ScaleX), A::parent(E::Top), A::parent(E::ScaleX), A::parent(E::Bottom));
        for (int id : {kAddRowIds[n], kRemoveRowIds[n]})
            resizer_.Add(id, A::control(kGroupIds[n], E::Left), A::parent(E::Top), A::control(kGroupIds[n], E::Left),
                         A::parent(E::Top));
    }
    for (int id : {kOpenShopId, kSaveShopId})
        resizer_.Add(id, A::control(kGroupIds[1], E::Right), A::parent(E::Top), A::control(kGroupIds[1], E::Right), A::parent(E::Top));
    for (int id : {kOpenBuyId, kSaveBuyId})
        resizer_.Add(id, A::control(kGroupIds[2], E::Right), A::parent(E::Top), A::control(kGroupIds[2], E::Right), A::parent(E::Top));
    for (int id : {kReportId, kAskNamesId})
        resizer_.Add(id, A::parent(E::Left), A::parent(E::Bottom), A::parent(E::Left), A::parent(E::Bottom));
    for (int id : {IDOK, IDCANCEL})
        resizer_.Add(id, A::parent(E::Right), A::parent(E::Bottom), A::parent(E::Right), A::parent(E::Bottom));
}

BOOL CuttingStockDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (id == kProfilesId && code == CBN_SELCHANGE) {
        onProfileChanged();
        return TRUE;
    }
    if (code != BN_CLICKED) return CDialog::OnCommand(wParam, lParam);
    if (const int n = listOf(kAddRowIds, id)) {
        onAddRow(n);
        return TRUE;
    }
    if (const int n = listOf(kRemoveRowIds, id)) {
        onRemoveRow(n);
        return TRUE;
    }
    switch (id) {
    case kAddProfileId: onAddProfile(); return TRUE;
    case kRemoveProfileId: onRemoveProfile(); return TRUE;
    case kOpenShopId: stockFile(2, true, true); return TRUE;
    case kSaveShopId: stockFile(2, false, true); return TRUE;
    case kOpenBuyId: stockFile(3, true, true); return TRUE;
    case kSaveBuyId: stockFile(3, false, true); return TRUE;
    case kReportId:
        if (data_.restricted) onSaveAll();
        else onReport();
        return TRUE;
    default: break;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CuttingStockDialog::OnOK() {
    storeProfile();
    CDialog::OnOK();
}

LRESULT CuttingStockDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SIZE: {
        const LRESULT r = CDialog::WindowProc(msg, wParam, lParam);
        if (resizer_.count() > 0) resizer_.Move();
        return r;
    }
    case WM_GETMINMAXINFO:
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {kMinTrackWidth, kMinTrackHeight};
        return 0;
    case WM_DESTROY:
        WriteDlgSize(this, kSizeKey);
        break;
    default: break;
    }
    return CDialog::WindowProc(msg, wParam, lParam);
}

int CuttingStockDialog::listOf(const int (&ids)[3], int id) {
    for (int n = 0; n < 3; ++n)
        if (ids[n] == id) return n + 1;
    return 0;
}

void CuttingStockDialog::fillProfiles(int position) {
    auto* list = static_cast<CComboBox*>(GetDlgItem(kProfilesId));
    FillCombo(list, data_.profileNames);
    list->SetCurSel(position);
}

void CuttingStockDialog::storeProfile() {
    if (currentId_ < 0) return;
    for (int n = 1; n <= 3; ++n) {
        Vtl_Array<Vtl_StringArray> rows;
        grids_[n - 1].getTable(rows);
        data_.list(n).replaceRowsOf(currentId_, rows);
    }
}

void CuttingStockDialog::fillGrid(int number) {
    Vtl_Spread& grid = grids_[number - 1];
    const DlgCSP2List& list = data_.list(number);
    Vtl_Array<Vtl_StringArray> rows;
    if (currentId_ >= 0) list.rowsOf(currentId_, rows);
    grid.setRedraw(false);
    grid.setRowCount(0);
    grid.setColHeaders(list.columnNames);
    grid.setRowCount(rows.length());
    for (int r = 0; r < rows.length(); ++r) grid.setRow(r + 1, rows[r]);
    grid.setChanged(false);
    grid.setRedraw(true);
    grid.applyFitMode();
}

void CuttingStockDialog::fillGrids() {
    for (int n = 1; n <= 3; ++n) fillGrid(n);
}

void CuttingStockDialog::onProfileChanged() {
    const int position = static_cast<CComboBox*>(GetDlgItem(kProfilesId))->GetCurSel();
    if (position < 0 || position >= data_.profileIds.length()) return;
    storeProfile();
    currentId_ = data_.profileIds[position];
    fillGrids();
}

void CuttingStockDialog::onAddProfile() {
    KsInputTextDlg input(this);
    input.caption = dialString(kAddProfileTitle);
    input.prompt = dialString(kAddProfilePrompt);
    input.text = dialString(kNewName);
    input.okText = dialString(1);
    input.cancelText = dialString(2);
    input.DoModal();
    // The name becomes the profile's stock folder: one that cannot be a folder name is refused.
    if (!input.accepted || !warnInvalidFileName(input.text)) return;
    storeProfile();
    currentId_ = data_.addProfile(input.text);
    fillProfiles(data_.profileCount() - 1);
    fillGrids();
}

void CuttingStockDialog::onRemoveProfile() {
    const int position = data_.indexOfProfile(currentId_);
    if (position < 0) return;
    data_.removeProfile(currentId_);
    const int count = data_.profileCount();
    const int next = count == 0 ? -1 : std::min(position, count - 1);
    currentId_ = next < 0 ? -1 : data_.profileIds[next];
    fillProfiles(next);
    fillGrids();
}

void CuttingStockDialog::onAddRow(int number) {
    // Rows belong to a profile: without one there is nowhere to keep them.
    if (currentId_ < 0) return;
    Vtl_Spread& grid = grids_[number - 1];
    const int rows = grid.getRowCount();
    const int row = rows <= 0 ? 1 : std::clamp(grid.getCurrentRow(), 0, rows) + 1;
    if (!grid.insertRowAfterCurrent(false)) return;
    // The new row is ready for typing.
    grid.SetFocus();
    grid.setActiveCell(1, row);
}

void CuttingStockDialog::onRemoveRow(int number) {
    if (currentId_ < 0) return;
    grids_[number - 1].deleteCurrentRow();
}

void CuttingStockDialog::stockFile(int number, bool open, bool ask) {
    const int position = data_.indexOfProfile(currentId_);
    if (position < 0) return;
    storeProfile();
    stockFileOf(position, number, open, ask);
    if (open) fillGrid(number);
}

void CuttingStockDialog::stockFileOf(int position, int number, bool open, bool ask) {
    const int id = data_.profileIds[position];
    const Vtl_String& profile = data_.profileNames[position];
    Vtl_String folder;
    if (!stockFolder(profile, folder)) {
        warn(profile, kNoFolderText);
        return;
    }
    std::string error;
    base::files::createFolder(folder.view(), error);
    const Vtl_String extension = extensionOf(number);
    Vtl_String path;
    if (open) {
        StockFile newest;
        if (newestStockFile(folder, extension, newest)) path = newest.path;
    } else {
        path = nextStockFileName(folder, extension);
    }
    if (ask) {
        const Vtl_String filter =
            dialString(number == 2 ? kShopDescription : kBuyDescription) + " (*." + extension + ")";
        if (!DlgOpenSave(open, dialString(open ? kOpenTitle : kSaveTitle), extension, filter, folder, path)) return;
    }
    if (path.isEmpty()) return;
    path = withStockExtension(path, extension);
    DlgCSP2List& list = data_.list(number);
    Vtl_Array<Vtl_StringArray> rows;
    if (open) {
        // A file that cannot be read changes nothing.
        if (!readStockFile(path, rows)) {
            warn(getFileName(path), kCannotReadText);
            return;
        }
        list.replaceRowsOf(id, rows);
        return;
    }
    list.rowsOf(id, rows);
    if (!writeStockFile(path, rows, error)) {
        acutPrintf("*Error* %s: %s\n", path.c_str(), error.c_str());
        warn(getFileName(path), kCannotWriteText);
    }
}

void CuttingStockDialog::onReport() {
    storeProfile();
    const Vtl_StringArray lines = loadNewestStock(data_);
    fillGrid(2);
    fillGrid(3);
    ExportStartDlgInfo(lines, dialString(kReportTitle), dialString(kCloseText));
}

void CuttingStockDialog::onSaveAll() {
    storeProfile();
    const auto* ask = static_cast<CButton*>(GetDlgItem(kAskNamesId));
    const bool askNames = ask && ask->GetCheck() == BST_CHECKED;
    for (int position = 0; position < data_.profileCount() && position < data_.profileIds.length(); ++position)
        stockFileOf(position, 2, false, askNames);
}

void CuttingStockDialog::warn(const Vtl_String& name, int textId) {
    const Vtl_String text = "\"" + name + "\": " + dialString(textId) + ".";
    ::MessageBox(m_hWnd, text.c_str(), dialString(kCaption).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace vtl::ui

bool StartDlgCSP2(DlgCSP2Data& data) {
    return vtl::ui::guardExport("StartDlgCSP2", false, [&] {
        KsTempResourceOverride::Scope resources(vtl::ui::resourceOverride());
        vtl::ui::CuttingStockDialog dlg(data);
        if (dlg.DoModal() != IDOK) return false;
        data = dlg.data();
        return true;
    });
}
