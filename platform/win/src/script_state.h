#pragma once
// The state a script shares with its input source.
#include <deque>
#include <string>
#include <vector>

#include "win/pump.h"
#include "win/script.h"

namespace vtl::win {
struct Script::State {
    std::string name;
    std::vector<ScriptStep> steps;
    std::size_t position = 0;
    std::deque<PumpAction> pending;
    std::vector<std::string> errors;
    bool failed = false;
};
}  // namespace vtl::win
