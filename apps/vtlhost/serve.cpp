#include "serve.h"

#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <charconv>
#include <iostream>
#include <thread>

#include "workbench.h"

namespace vtlhost {
namespace {
std::string& originalLibrary() {
    static std::string folder;
    return folder;
}
std::string& scratchLibrary() {
    static std::string folder;
    return folder;
}

// The port of `--port N` / `--port=N`; nothing (and a message) for anything else.
bool portOf(const std::vector<std::string>& args, int& port) {
    port = 0;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string value;
        if (args[i] == "--port" && i + 1 < args.size()) {
            value = args[++i];
        } else if (args[i].rfind("--port=", 0) == 0) {
            value = args[i].substr(7);
        } else {
            std::cerr << "vtlhost: serve takes only --port N, not \"" << args[i] << "\"\n";
            return false;
        }
        const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), port);
        if (ec != std::errc() || end != value.data() + value.size() || port < 0 || port > 65535) {
            std::cerr << "vtlhost: --port needs a number from 0 to 65535 (0 picks a free port), not \"" << value
                      << "\"\n";
            return false;
        }
    }
    return true;
}
}  // namespace

void setServeLibrary(const std::string& original, const std::string& scratch) {
    originalLibrary() = original;
    scratchLibrary() = scratch;
}

int serve(const std::vector<std::string>& args) {
    int port = 0;
    if (!portOf(args, port)) return 2;

    // Ctrl+C and SIGTERM are taken by one thread that stops the workbench; every other thread, the server's
    // included (they inherit this mask), leaves them blocked.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigset_t previous;
    pthread_sigmask(SIG_BLOCK, &stopSignals, &previous);
    signal(SIGPIPE, SIG_IGN);  // a page closed mid-answer is no reason to end

    int rc = 0;
    {
        Workbench workbench;
        if (!scratchLibrary().empty()) workbench.useLibrary(originalLibrary(), scratchLibrary());
        std::string error;
        if (!workbench.bind(port, error)) {
            std::cerr << "vtlhost: " << error << "\n";
            rc = 1;
        } else {
            std::atomic<bool> ended{false};
            std::thread watcher([&] {
                int sig = 0;
                sigwait(&stopSignals, &sig);
                if (!ended)
                    std::cout << "\nStopping the workbench (" << (sig == SIGINT ? "Ctrl+C" : "SIGTERM") << ")"
                              << std::endl;
                workbench.stop();
            });
            std::cout << "Workbench: http://127.0.0.1:" << workbench.port() << "/\n"
                      << "Open it in a browser; Ctrl+C stops it." << std::endl;
            workbench.run();
            ended = true;
            pthread_kill(watcher.native_handle(), SIGTERM);  // wakes the watcher when no signal came
            watcher.join();
            std::cout << "Workbench stopped" << std::endl;
        }
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return rc;
}

}  // namespace vtlhost
