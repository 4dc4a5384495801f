#include "macro/macro_registry.h"
#include "macro/macro_unload.h"

#include <algorithm>

#include "frame/export_guard.h"
#include "frame/host.h"
#include "frame/module.h"
#include "vtlui/vtlui.h"
#include "win/pump.h"
#include "macro/macro_dialog.h"
#include "win/api.h"

namespace vtl::ui {
namespace {
constexpr UINT kDelayMs = 50;

void delayedClose(HWND, UINT, UINT_PTR timer, DWORD) {
    acutPrintf("Delayed timer called.\n");
    auto& registry = MacroDialogRegistry::get();
    KillTimer(HWND(), timer);
    const int id = registry.takeTimer(timer);
    if (id >= 0) EndDlgMacroModeless(id);  // through the export: the timer runs from the host's loop
}
}  // namespace

MacroDialogRegistry& MacroDialogRegistry::get() {
    static MacroDialogRegistry registry;
    return registry;
}

int MacroDialogRegistry::reserve() {
    int id = -1;
    for (int i = 0; i < count(); ++i)
        if (!slots_[static_cast<std::size_t>(i)]) id = i;  // the highest empty slot wins
    if (id >= 0) return id;
    slots_.push_back(nullptr);
    return count() - 1;
}

void MacroDialogRegistry::put(int id, MacroDialog* dialog) {
    if (id >= 0 && id < count()) slots_[static_cast<std::size_t>(id)] = dialog;
}

MacroDialog* MacroDialogRegistry::at(int id) const { return id >= 0 && id < count() ? slots_[static_cast<std::size_t>(id)] : nullptr; }

void MacroDialogRegistry::release(int id) {
    if (id < 0 || id >= count()) return;
    slots_[static_cast<std::size_t>(id)] = nullptr;
    while (!slots_.empty() && !slots_.back()) slots_.pop_back();
}

void MacroDialogRegistry::postpone(int id, const MacroDialog& dialog) {
    if (hasPostponed(id)) return;  // one pending close per dialog
    const UINT_PTR timer = SetTimer(HWND(), 0, kDelayMs, delayedClose);
    if (timer) delayed_.push_back({timer, id, dialog.serial()});
}

bool MacroDialogRegistry::hasPostponed(int id) const {
    const MacroDialog* dialog = at(id);
    return dialog && std::any_of(delayed_.begin(), delayed_.end(),
                                 [&](const Delayed& d) { return d.id == id && d.serial == dialog->serial(); });
}

void MacroDialogRegistry::forgetPostponed(int id) {
    for (auto it = delayed_.begin(); it != delayed_.end();) {
        if (it->id != id) {
            ++it;
            continue;
        }
        KillTimer(HWND(), it->timer);
        it = delayed_.erase(it);
    }
}

int MacroDialogRegistry::takeTimer(UINT_PTR timer) {
    const auto it = std::find_if(delayed_.begin(), delayed_.end(), [&](const Delayed& d) { return d.timer == timer; });
    if (it == delayed_.end()) return -1;
    const Delayed d = *it;
    delayed_.erase(it);
    // A slot reused by another dialog since is not this close's business.
    const MacroDialog* dialog = at(d.id);
    return dialog && dialog->serial() == d.serial ? d.id : -1;
}

void MacroDialogRegistry::cancelAllTimers() {
    for (const Delayed& d : delayed_) KillTimer(HWND(), d.timer);
    delayed_.clear();
}

}  // namespace vtl::ui

using vtl::ui::MacroDialog;
using vtl::ui::MacroDialogRegistry;

bool StartDlgMacroModeless(bool keepFocus, MacroData& macro, int& id) {
    int reserved = -1;
    const bool opened = vtl::ui::guardExport("StartDlgMacroModeless", false, [&] {
        KsTempResourceOverride::Scope resources(vtl::ui::resourceOverride());
        auto& registry = MacroDialogRegistry::get();
        reserved = registry.reserve();
        auto dialog = std::make_unique<MacroDialog>(macro, reserved);
        if (!dialog->Create(MacroDialog::IDD, adsw_acadMainWnd())) return false;
        dialog->ShowWindow(SW_SHOW);
        registry.put(reserved, dialog.release());
        if (!keepFocus) vtl::host::focusMainWindow();
        return true;
    });
    if (opened) {
        id = reserved;
        return true;
    }
    // The reserved slot stays free for the next dialog.
    if (reserved >= 0 && !MacroDialogRegistry::get().at(reserved)) MacroDialogRegistry::get().release(reserved);
    id = -1;
    return false;
}

bool GetDlgMacroData(int id, MacroData& macro) {
    return vtl::ui::guardExport("GetDlgMacroData", false, [&] {
        const MacroDialog* dialog = MacroDialogRegistry::get().at(id);
        if (!dialog) return false;
        macro = dialog->macro();
        return true;
    });
}

bool EndDlgMacroModeless(int id) {
    return vtl::ui::guardExport("EndDlgMacroModeless", false, [&] { return vtl::ui::endMacroDialog(id); });
}

void DestroyAllMacroDlgs() {
    vtl::ui::guardExport("DestroyAllMacroDlgs", [] {
        for (int id = MacroDialogRegistry::get().count() - 1; id >= 0; --id) vtl::ui::endMacroDialog(id);
    });
}

namespace vtl::ui {
bool endMacroDialog(int id) {
    auto& registry = MacroDialogRegistry::get();
    MacroDialog* dialog = registry.at(id);
    if (!dialog) return false;
    // A dialog whose macro the drawing is working on, or one of whose pages waits in a sub-dialog, is closed
    // later: destroying it now would free the page under its own handler.
    if (dialog->macro().busy || dialog->inNestedLoop()) {
        registry.postpone(id, *dialog);
        return true;
    }
    if (dialog->m_hWnd && !dialog->DestroyWindow()) return false;
    registry.forgetPostponed(id);
    registry.release(id);
    // The dialog may be closing from its own handler: the object goes once no message is handled.
    vtl::win::deleteLater(std::unique_ptr<CWnd>(dialog));
    acedPostCommandPrompt();
    return true;
}

void closeAllMacroDialogsForUnload() {
    auto& registry = MacroDialogRegistry::get();
    for (int id = registry.count() - 1; id >= 0; --id) endMacroDialog(id);
    // Busy dialogs would wait for their timers, which must not outlive the module: every timer goes and
    // every dialog left is closed now.
    registry.cancelAllTimers();
    for (int id = registry.count() - 1; id >= 0; --id) {
        if (MacroDialog* dialog = registry.at(id)) {
            if (dialog->m_hWnd) dialog->DestroyWindow();
            registry.release(id);
            vtl::win::deleteLater(std::unique_ptr<CWnd>(dialog));
        }
    }
}
}  // namespace vtl::ui
