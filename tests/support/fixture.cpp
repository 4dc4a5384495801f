#include "support/fixture.h"

#include <stdlib.h>

#include <algorithm>

#include "gfx/font.h"
#include "host/main_window.h"
#include "host/testing.h"
#include "win/window_tree.h"
#include "win/pump.h"
#include "win/testing.h"
#include "vtlbase/testing.h"

namespace vtl::test {
namespace {
struct Reset {
    std::string name;
    std::function<void()> run;
};

std::vector<Reset>& resets() {
    static std::vector<Reset> list = {
        {"gfx", [] { gfx::testing::reset(); }},
        {"win", [] { win::testing::reset(); }},
        {"host", [] { host::testing::reset(); }},
        {"vtlbase", [] { base::testing::reset(); }},
    };
    return list;
}

void resetAll() {
    auto& list = resets();
    for (auto it = list.rbegin(); it != list.rend(); ++it) it->run();
}
}  // namespace

void registerReset(const std::string& name, std::function<void()> reset) {
    auto& list = resets();
    auto it = std::find_if(list.begin(), list.end(), [&](const Reset& r) { return r.name == name; });
    if (it != list.end()) {
        it->run = std::move(reset);
    } else {
        list.push_back({name, std::move(reset)});
    }
}

void Fixture::SetUp() {
    resetAll();
    std::string templ = (std::filesystem::temp_directory_path() / "vtltest-XXXXXX").string();
    ASSERT_NE(mkdtemp(templ.data()), nullptr);
    root_ = templ;
    libraryDir_ = root_ / "library";
    std::filesystem::create_directories(libraryDir_);
    std::filesystem::create_directories(root_ / "config");
    for (const auto& [name, value] : {std::pair<std::string, std::string>{"HOME", root_.string()},
                                      {"XDG_CONFIG_HOME", (root_ / "config").string()},
                                      {"VTL_LIBDIR", libraryDir_.string()}}) {
        const char* old = getenv(name.c_str());
        savedEnv_.emplace_back(name, old ? old : std::string("\x01"));
        setenv(name.c_str(), value.c_str(), 1);
    }
    win::setClockMode(win::ClockMode::Virtual);
    mainWindow_ = host::createMainWindow();
}

std::vector<std::string> Fixture::problems() const {
    std::vector<std::string> out;
    for (HWND h : win::testing::liveTopLevelWindows()) {
        if (h == mainWindow_) continue;
        out.push_back("window left open: " + win::windowTreeJson(h));
    }
    if (const int n = win::testing::pendingTimerCount()) out.push_back(std::to_string(n) + " timer(s) still pending");
    for (const auto& p : win::testing::scriptProblems()) out.push_back("script: " + p);
    auto expected = expectedUnanswered_;
    for (const auto& u : win::unansweredWaits()) {
        auto it = std::find(expected.begin(), expected.end(), u);
        if (it != expected.end()) {
            expected.erase(it);
        } else {
            out.push_back(u + " (not declared by the test)");
        }
    }
    for (const auto& e : expected) out.push_back("declared but did not happen: " + e);
    return out;
}

void Fixture::play(win::Script& script) {
    win::runWithScript(script, [&] {
        win::WaitInfo wait;
        wait.kind = win::WaitKind::MainLoop;
        win::runLoop(wait, [&] { return script.consumedCount() == script.stepCount() || !script.errors().empty(); });
    });
}

void Fixture::TearDown() {
    for (const auto& p : problems()) ADD_FAILURE() << p;
    resetAll();
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
    for (const auto& [name, value] : savedEnv_) {
        if (value == "\x01") {
            unsetenv(name.c_str());
        } else {
            setenv(name.c_str(), value.c_str(), 1);
        }
    }
    savedEnv_.clear();
    expectedUnanswered_.clear();
}

}  // namespace vtl::test
