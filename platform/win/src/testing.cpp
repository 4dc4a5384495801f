// Reset and inspection for the test fixture.
#include "win/testing.h"

#include "deferred_delete.h"
#include "gdi_state.h"
#include "pump_internal.h"
#include "window_system.h"
#include "win/pump.h"
#include "win/resources.h"

namespace vtl::win::testing {

void reset() {
    using namespace detail;
    auto& ws = WindowSystem::get();
    refuseNextDestroy(HWND());
    deleteAllDeferred();
    for (HWND h : std::vector<HWND>(ws.topLevels)) DestroyWindow(h);
    ws.windows.clear();
    ws.topLevels.clear();
    ws.graveyard.clear();
    ws.focus = ws.active = ws.capture = ws.mainWindow = HWND();
    ws.cursor = {};
    ws.pendingAttach = nullptr;
    ws.suppressDialogFocusRestore = false;
    clearTimers();
    clearKeys();
    clearCrossThread();
    clearPumpState();
    scriptProblemRecords().clear();
    clearClipboard();
    clearImageLists();
    clearGdi();
    AfxSetResourceHandle(nullptr);
}

std::vector<HWND> liveTopLevelWindows() { return detail::WindowSystem::get().topLevels; }

int pendingTimerCount() { return static_cast<int>(detail::WindowSystem::get().timers.size()); }

std::vector<std::string> scriptProblems() { return detail::scriptProblemRecords(); }

void clearRecords() {
    detail::scriptProblemRecords().clear();
    detail::clearUnanswered();
}

}  // namespace vtl::win::testing
