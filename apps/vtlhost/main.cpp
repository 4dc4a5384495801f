// vtlhost: the demo host. It loads the module as the CAD host does and runs its dialogs.
//
//   vtlhost [sample] [script-file]   opens the sample dialog, answered by the script (or by the built-in
//                                    one), and prints its window tree and the record handed back
//   vtlhost render-template N [out]  draws dialog template N of the module with its texts into a PNG
//                                    (default template-N.png)
//   --library DIR                    the add-on's library folder (else VTL_LIBDIR, else the bundled one)
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <vector>

#include "host/loader.h"
#include "host/main_window.h"
#include "vtlbase/settings.h"
#include "vtlui/vtlui.h"
#include "win/window_tree.h"
#include "win/pump.h"
#include "win/render.h"
#include "win/resources.h"
#include "win/dialog.h"
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

// Opens a template as a modeless dialog without behaviour, draws it and writes the picture.
int renderTemplate(int id, const std::string& out) {
    if (!vtl::win::findDialogTemplate(id)) {
        std::cerr << "vtlhost: the module has no dialog template " << id << "\n";
        return 1;
    }
    CDialog dlg;
    if (!dlg.Create(static_cast<UINT>(id), AfxGetMainWnd())) {
        std::cerr << "vtlhost: dialog template " << id << " could not be created\n";
        return 1;
    }
    dlg.ShowWindow(SW_SHOW);
    const auto png = vtl::win::renderWindowPng(dlg.m_hWnd);
    dlg.DestroyWindow();
    std::ofstream file(out, std::ios::binary);
    file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    if (!file) {
        std::cerr << "vtlhost: cannot write " << out << "\n";
        return 1;
    }
    std::cout << "Wrote " << out << "\n";
    return 0;
}

int main(int argc, char** rawArgv) {
    // --library DIR may stand anywhere; the rest are the command and its arguments.
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::string(rawArgv[i]) == "--library" && i + 1 < argc) {
            gSettings.setLibDir(Vtl_String(rawArgv[++i]));
            continue;
        }
        args.push_back(rawArgv[i]);
    }
    argc = static_cast<int>(args.size());
    char** argv = args.data();
    std::string command = argc > 1 ? argv[1] : "sample";
    if (command == "--help" || command == "-h") {
        std::cout << "usage: vtlhost [sample [script-file]] | render-template N [out.png]\n";
        return 0;
    }
    if (command != "sample" && command != "render-template") {
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
    std::cout << "Library folder: " << gSettings.libDir().str() << "\n";
    int rc = 0;
    if (command == "render-template") {
        if (argc < 3) {
            std::cerr << "vtlhost: render-template needs a template number\n";
            return 2;
        }
        const int id = std::atoi(argv[2]);
        rc = renderTemplate(id, argc > 3 ? argv[3] : "template-" + std::to_string(id) + ".png");
    } else {
        rc = runSample(argc > 2 ? argv[2] : "");
    }
    module.reset();
    return rc;
}
