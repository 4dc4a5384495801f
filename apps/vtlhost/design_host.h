#pragma once
// The demo host's dialog for a designed dialog: the design drawn live over its picture, as a macro tab
// shows it, with Tab walking the designed order and OK and Cancel below the picture. It sizes itself to
// the picture.
#include <string>
#include <vector>

#include "vtlui/vtl_dlg_designer_data.h"
#include "win/dialog.h"

namespace vtlhost {

inline constexpr int kDesignHostTemplate = 500;

class DesignHostDialog : public CDialog {
public:
    explicit DesignHostDialog(Vtl_String designPath);
    Vtl_DlgDesignerData data;
    bool loaded() const { return loaded_; }

protected:
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnEraseBkgnd(CDC* dc) override;

private:
    Vtl_String path_;
    bool loaded_ = false;
};

// Registers the demo host's own templates (once).
void registerHostResources();

}  // namespace vtlhost
