#pragma once
// The modeless macro dialogs: a registry of slots (the slot index is the dialog id the caller keeps) and
// the closes postponed while a dialog's macro is busy, retried by 50-millisecond thread timers.
#include <vector>

#include "win/types.h"

namespace vtl::ui {

class MacroDialog;

class MacroDialogRegistry {
public:
    static MacroDialogRegistry& get();

    // The highest empty slot, or a new one at the end.
    int reserve();
    void put(int id, MacroDialog* dialog);
    MacroDialog* at(int id) const;
    int count() const { return static_cast<int>(slots_.size()); }
    // Empties the slot and trims the empty slots at the end.
    void release(int id);

    // A postponed close: at most one per dialog, acting only on the dialog it was made for (known by its
    // serial number: a freed dialog's address may come back for a new one).
    void postpone(int id, const MacroDialog& dialog);
    bool hasPostponed(int id) const;
    // The dialog of the slot closes now: its postponed closes are cancelled with their timers.
    void forgetPostponed(int id);
    // The timer fired: forgets it and answers the dialog id to close again, or -1 when the timer is not
    // ours or the slot holds another dialog by now.
    int takeTimer(UINT_PTR timer);
    // Kills every pending timer and forgets them (the module is unloading).
    void cancelAllTimers();
    int pendingTimers() const { return static_cast<int>(delayed_.size()); }

private:
    struct Delayed {
        UINT_PTR timer = 0;
        int id = -1;
        unsigned long long serial = 0;
    };
    std::vector<MacroDialog*> slots_;
    std::vector<Delayed> delayed_;
};

// Closes the modeless dialog of slot `id`, or postpones the close while it is busy: the body of
// EndDlgMacroModeless.
bool endMacroDialog(int id);

}  // namespace vtl::ui
