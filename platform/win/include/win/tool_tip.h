#pragma once
// CToolTipCtrl: tip texts for the tools (controls) of a window (class "tooltips_class32").
#include <string>

#include "win/wnd.h"

class VTLWIN_API CToolTipCtrl : public CWnd {
public:
    BOOL Create(CWnd* parent, DWORD style = 0);
    BOOL AddTool(CWnd* tool, const char* text, UINT_PTR id = 0);
    void DelTool(CWnd* tool, UINT_PTR id = 0);
    void UpdateTipText(const char* text, CWnd* tool, UINT_PTR id = 0);
    std::string GetText(CWnd* tool, UINT_PTR id = 0) const;
    int GetToolCount() const;
    void Activate(BOOL activate);
    BOOL IsActive() const;
    void SetDelayTime(UINT delayMs);
    void RelayEvent(MSG* msg);

private:
    bool active_ = true;
};
