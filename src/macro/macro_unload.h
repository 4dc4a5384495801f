#pragma once
// What the module's unloading asks of the macro dialogs.
namespace vtl::ui {
// Closes every modeless macro dialog, busy or not, and kills their pending close timers.
void closeAllMacroDialogsForUnload();
}  // namespace vtl::ui
