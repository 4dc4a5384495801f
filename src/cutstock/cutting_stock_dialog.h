#pragma once
// CuttingStockDialog: prepares the input of the bar cutting per profile of a job (template 8122): the
// profile list with add and remove, and for the chosen profile three grids: what is to be cut (list 1),
// the stock in the shop (list 2, opened from and saved to ".shp" stock files) and what can be bought
// (list 3, ".buy" files). The report loads the newest stock files of every profile. In restricted mode only
// the shop stock can be edited, and the report button saves every profile's shop stock.
// The dialog works on its own copy of the caller's record.
#include <array>

#include "frame/vtlbase.h"
#include "spread/vtl_spread.h"
#include "vtlbase/controls/button_st.h"
#include "vtlbase/controls/resizer.h"
#include "vtlbase/cutstock/dlg_csp2_data.h"
#include "win/dialog.h"

namespace vtl::ui {

class CuttingStockDialog : public CDialog {
public:
    static constexpr UINT IDD = 8122;
    static constexpr int kProfilesId = 9036;
    static constexpr int kAddProfileId = 8590;
    static constexpr int kRemoveProfileId = 8591;
    static constexpr int kGridIds[3] = {1321, 1322, 1323};
    static constexpr int kAddRowIds[3] = {8601, 8606, 8608};
    static constexpr int kRemoveRowIds[3] = {8605, 8607, 8609};
    static constexpr int kOpenShopId = 8600;
    static constexpr int kSaveShopId = 8602;
    static constexpr int kOpenBuyId = 8603;
    static constexpr int kSaveBuyId = 8604;
    static constexpr int kReportId = 8592;
    static constexpr int kAskNamesId = 9074;
    static constexpr const char* kSizeKey = "DLG_OPTIMIZECSP2";

    explicit CuttingStockDialog(const DlgCSP2Data& data, CWnd* parent = nullptr);

    const DlgCSP2Data& data() const { return data_; }
    int currentProfile() const { return currentId_; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void setupControls();
    void setupResizing();
    // Refills the profile list and selects the entry at `position` (none for -1).
    void fillProfiles(int position);
    // Writes the grids' rows into the lists as the current profile's rows.
    void storeProfile();
    // Shows the current profile's rows in the grid of list `number` (1 to 3), or in all of them.
    void fillGrid(int number);
    void fillGrids();
    void onProfileChanged();
    void onAddProfile();
    void onRemoveProfile();
    void onAddRow(int number);
    void onRemoveRow(int number);
    // Opens or saves the current profile's list 2 or 3 as a stock file; `ask` shows the file dialog.
    void stockFile(int number, bool open, bool ask);
    // Opens or saves the stock file of list `number` for the profile at `position`.
    void stockFileOf(int position, int number, bool open, bool ask);
    void onReport();
    void onSaveAll();
    // A warning box: "<name>": <text>.
    void warn(const Vtl_String& name, int textId);
    // Control id -> grid number (1 to 3); 0 when the id is none of them.
    static int listOf(const int (&ids)[3], int id);

    DlgCSP2Data data_;
    int currentId_ = -1;
    Vtl_Spread grids_[3];
    std::array<CButtonST, 10> iconButtons_;
    CResizer resizer_;
    bool sized_ = false;
};

}  // namespace vtl::ui
