#pragma once
// The profile features dialog (template 241): a section and up to four labelled values of a profile
// feature, with an optional switch that swaps the third row's label and value. Labels, values, the list
// and the caption all come from the caller.
#include "frame/vtlbase.h"
#include "vtlbase/drawing/profile_cuts.h"
#include "win/dialog.h"

namespace vtl::ui {

class ProfileFeaturesDialog : public CDialog {
public:
    static constexpr UINT IDD = 241;
    static constexpr int kSectionLabelId = 1188, kSectionId = 1250, kChooseSectionId = 1251;
    static constexpr int kLabel1Id = 1299, kValue1Id = 1252, kLabel2Id = 1301, kValue2Id = 1302;
    static constexpr int kLabel3Id = 1303, kValue3ListId = 1253, kValue3Id = 1304, kLabel4Id = 1305, kValue4Id = 1306;
    static constexpr int kSwitchId = 1018;

    explicit ProfileFeaturesDialog(const DlgProfFeaturesData& data, CWnd* parent = nullptr);

    const DlgProfFeaturesData& data() const { return data_; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    bool switchOn() const;
    int row3Control() const { return data_.row3AsList ? kValue3ListId : kValue3Id; }
    void showRow3();
    void setValue(int controlId, const Vtl_String& value);
    Vtl_String valueOf(int controlId) const;

    DlgProfFeaturesData data_;
    Vtl_StringArray sectionValues_;
};

}  // namespace vtl::ui
