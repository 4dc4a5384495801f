#pragma once
// The fixture every scenario test uses. SetUp gives a fresh temporary library folder, HOME and
// XDG_CONFIG_HOME inside it, the virtual clock at 0 and a host main window. TearDown fails the test when a
// window besides the main window is alive, a timer is pending, a script step was not consumed or an
// unanswered wait was recorded that the test did not declare; then it resets every layer.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "win/script.h"
#include "win/types.h"

namespace vtl::test {

// Layers with process-wide state register their reset here; TearDown runs them, last registered first.
void registerReset(const std::string& name, std::function<void()> reset);

class Fixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Declares an unanswered wait the test expects ("unanswered dialog 8069").
    void expectUnanswered(const std::string& what) { expectedUnanswered_.push_back(what); }
    void expectNothingUnanswered() { expectedUnanswered_.clear(); }
    // Runs fn with the script as the input source.
    void run(win::Script& script, const std::function<void()>& fn) { win::runWithScript(script, fn); }
    // Plays the script on the host's main loop until its last step has been taken (for windows that live
    // in the main loop: modeless dialogs, trackers started by a click).
    void play(win::Script& script);
    // What TearDown would fail the test for, now.
    std::vector<std::string> problems() const;

    const std::filesystem::path& libraryDir() const { return libraryDir_; }
    HWND mainWindow() const { return mainWindow_; }

private:
    std::filesystem::path root_;
    std::filesystem::path libraryDir_;
    HWND mainWindow_;
    std::vector<std::string> expectedUnanswered_;
    std::vector<std::pair<std::string, std::string>> savedEnv_;
};

}  // namespace vtl::test
