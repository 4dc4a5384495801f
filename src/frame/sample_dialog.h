#pragma once
#include "vtlui/vtlui.h"
#include "win/dialog.h"

namespace vtl::ui {
// The sample dialog (template 100): a name and a three-state option.
class SampleDialog : public CDialog {
public:
    static constexpr UINT kTemplate = 100;
    explicit SampleDialog(VtlSampleData& data, CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    VtlSampleData& data_;
};
}  // namespace vtl::ui
