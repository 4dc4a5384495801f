#pragma once
// What the test fixture needs to see and reset of the window framework.
#include <string>
#include <vector>

#include "win/export.h"
#include "win/types.h"

namespace vtl::win::testing {
// Destroys every window and forgets timers, posted messages, scripts' records and unanswered waits;
// the clock becomes virtual at 0. Registered classes and resources stay.
VTLWIN_API void reset();
VTLWIN_API std::vector<HWND> liveTopLevelWindows();
VTLWIN_API int pendingTimerCount();
// Steps not consumed and errors of every script run since the last reset, described.
VTLWIN_API std::vector<std::string> scriptProblems();
// Forgets what scripts left and the unanswered waits (a test that checked them itself).
VTLWIN_API void clearRecords();
// The next DestroyWindow of that window fails (answers FALSE, the window stays), once.
VTLWIN_API void refuseNextDestroy(HWND h);
}  // namespace vtl::win::testing
