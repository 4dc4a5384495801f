// vtlhost: the demo host. It loads the module as the CAD host does and runs its dialogs.
//
//   vtlhost [sample] [script-file]   opens the sample dialog, answered by the script (or by the built-in
//                                    one), and prints its window tree and the record handed back
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "host/loader.h"
#include "host/main_window.h"
#include "vtlui/vtlui.h"
#include "win/window_tree.h"
#include "win/pump.h"
#include "win/keys.h"
#include "win/script.h"

namespace {
std::filesystem::path moduleBeside(const char* argv0) {
    std::error_code ec;
    auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) self = std::filesystem::absolute(argv0);
    return self.parent_path() / "libvtlui.so";
}

// Shows the dialog the way a person would meet it: waits for it, prints what is on screen, types a name,
// sets the option and presses OK.
vtl::win::Script builtinSampleScript() {
    using namespace vtl::win;
    Script s("sample");
    s.waitFor(dialogWithTemplate(100))
        .check([] { std::cout << "Window tree of the open dialog:\n" << windowTreeJson(GetActiveWindow()) << "\n\n"; },
               "print the window tree")
        .click(ctrl(1001))
        .type("HE 200 A")
        .click(ctrl(1002))
        .key(VK_RETURN);
    return s;
}

int runSample(const std::string& scriptFile) {
    vtl::win::Script script = builtinSampleScript();
    if (!scriptFile.empty()) {
        std::ifstream in(scriptFile);
        if (!in) {
            std::cerr << "vtlhost: cannot read " << scriptFile << "\n";
            return 2;
        }
        std::stringstream text;
        text << in.rdbuf();
        try {
            script = vtl::win::Script::parse(text.str(), scriptFile);
        } catch (const std::exception& e) {
            std::cerr << "vtlhost: " << e.what() << "\n";
            return 2;
        }
    }
    VtlSampleData data;
    bool ok = false;
    vtl::win::runWithScript(script, [&] { ok = StartDlgSample(data); });
    std::cout << "Dialog ended with " << (ok ? "OK" : "Cancel") << "\n";
    std::cout << "Record handed back: name=\"" << data.name << "\" option=" << data.option << "\n";
    for (const auto& e : script.errors()) std::cerr << "script error: " << e << "\n";
    for (const auto& u : vtl::win::unansweredWaits()) std::cerr << u << "\n";
    return script.errors().empty() ? 0 : 1;
}
}  // namespace

int main(int argc, char** argv) {
    std::string command = argc > 1 ? argv[1] : "sample";
    if (command == "--help" || command == "-h") {
        std::cout << "usage: vtlhost [sample [script-file]]\n";
        return 0;
    }
    if (command != "sample") {
        std::cerr << "vtlhost: unknown command \"" << command << "\" (try --help)\n";
        return 2;
    }
    vtl::host::createMainWindow();
    std::string error;
    auto module = vtl::host::LoadedModule::load(moduleBeside(argv[0]).string(), error);
    if (!module) {
        std::cerr << "vtlhost: " << error << "\n";
        return 1;
    }
    std::cout << "Loaded " << module->path() << "\n";
    const int rc = runSample(argc > 2 ? argv[2] : "");
    module.reset();
    return rc;
}
