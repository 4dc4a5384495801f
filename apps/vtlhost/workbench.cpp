#include "workbench.h"

#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <future>
#include <mutex>
#include <nlohmann/json.hpp>
#include <span>
#include <sstream>
#include <thread>

#include "gallery.h"
#include "host/command_line.h"
#include "vtlbase/drawing/journal.h"
#include "win/pump.h"
#include "win/resources.h"
#include "win/threads.h"
#include "win/window_tree.h"
#include "workbench_input.h"

// The page and its script (workbench.html, workbench.js), embedded at build time.
std::span<const vtl::win::EmbeddedFile> workbench_page();

namespace vtlhost {
namespace {
using Json = nlohmann::json;
using namespace std::chrono_literals;

constexpr const char* kLoopback = "127.0.0.1";
// The journal and the command line are shown from their last this many bytes.
constexpr std::size_t kTailKept = 64 * 1024;
// How long GET /frame.json?after=N waits for a newer view, and a posted task for the UI thread's answer.
constexpr auto kLongPoll = 15s;
constexpr auto kUiAnswer = 10s;
constexpr std::size_t kMaxBody = 1 << 20;

// The last `keep` bytes of `text`, from the start of a line.
std::string tailOf(const std::string& text, std::size_t keep) {
    if (text.size() <= keep) return text;
    std::size_t from = text.size() - keep;
    const std::size_t line = text.find('\n', from);
    from = line == std::string::npos ? from : line + 1;
    return "...\n" + text.substr(from);
}

std::string dumpJson(const Json& j) {
    return j.dump(-1, ' ', false, Json::error_handler_t::replace);
}

void reply(httplib::Response& res, int status, const Json& body) {
    res.status = status;
    res.set_header("Cache-Control", "no-store");
    res.set_content(dumpJson(body), "application/json");
}

void replyError(httplib::Response& res, int status, const std::string& message) {
    reply(res, status, Json{{"error", message}});
}

// What the page shows; the UI thread copies it when it has nothing left to do.
struct View {
    std::uint64_t version = 0;
    std::shared_ptr<const vtl::win::Frame> frame;
    std::string journal;
    std::string commandLine;
    std::string waiting;  // what the innermost loop waits for ("main", "dialog 8131")
    std::string open;     // the dialog of the gallery open now
    std::string status;   // the last thing the workbench did ("opened sample", "sample closed")

    bool sameAs(const View& o) const {
        return frame == o.frame && journal == o.journal && commandLine == o.commandLine && waiting == o.waiting &&
               open == o.open && status == o.status;
    }
};

struct OpenAnswer {
    bool opened = false;
    std::string message;
};

// The gallery's dialogs as the HTTP threads may read them: a copy taken at start.
struct DialogInfo {
    std::string name, purpose;
    int templateId = 0;
};

// State shared by the UI thread and the HTTP threads. Tasks posted to the UI thread hold it weakly, so a
// task still queued when the workbench is gone does nothing.
struct WorkbenchState {
    std::mutex mutex;
    std::condition_variable changed;
    View view;             // guarded by mutex
    bool closing = false;  // guarded by mutex: no new answers will come
    std::atomic<bool> stopping{false};

    // UI thread only.
    std::string openEntry;
    std::string status;
    std::size_t journalEntries = ~std::size_t{0};
    int journalLast = -1;
    std::string journalText;

    // Copies what the page shows, on the UI thread.
    void publish(const vtl::win::WaitInfo& wait) {
        const auto& entries = vtl::base::Journal::get().entries();
        const int last = entries.empty() ? 0 : entries.back().sequence;
        if (entries.size() != journalEntries || last != journalLast) {
            std::ostringstream text;
            vtl::base::Journal::get().dump(text);
            journalText = tailOf(text.str(), kTailKept);
            journalEntries = entries.size();
            journalLast = last;
        }
        View next;
        next.frame = vtl::win::latestFrame();
        next.journal = journalText;
        next.commandLine = tailOf(vtl::host::commandLineText(), kTailKept);
        next.waiting = wait.describe();
        next.open = openEntry;
        next.status = status;
        {
            std::lock_guard lock(mutex);
            if (view.version > 0 && view.sameAs(next)) return;
            next.version = view.version + 1;
            view = std::move(next);
        }
        changed.notify_all();
    }

    // Opens a dialog of the gallery, on the UI thread. The dialog runs its own loop inside this call; the
    // answer is given before it starts, so the HTTP thread does not wait for the dialog to close.
    void open(const std::string& name, std::promise<OpenAnswer>& answer) {
        if (stopping) {
            answer.set_value(OpenAnswer{false, "the workbench is stopping"});
            return;
        }
        if (!openEntry.empty()) {
            answer.set_value(
                OpenAnswer{false, "the dialog " + openEntry + " is open; close it before opening another"});
            return;
        }
        if (vtl::win::loopDepth() > 1) {
            answer.set_value(OpenAnswer{false, "a window is waiting for an answer (" +
                                                   vtl::win::currentWait()->describe() +
                                                   "); finish it before opening a dialog"});
            return;
        }
        const GalleryEntry* entry = nullptr;
        for (const GalleryEntry& e : galleryEntries())
            if (e.name == name) entry = &e;
        if (!entry || !entry->open) {
            answer.set_value(OpenAnswer{false, "there is no dialog " + name});
            return;
        }
        answer.set_value(OpenAnswer{true, {}});
        openEntry = name;
        status = "opened " + name;
        try {
            entry->open();
            status = name + " closed";
        } catch (const std::exception& e) {
            status = name + " failed: " + e.what();
        }
        openEntry.clear();
    }

    void close() {
        {
            std::lock_guard lock(mutex);
            closing = true;
        }
        changed.notify_all();
    }
};

// The framework's blocking input source, which also publishes the view each time the UI thread would wait.
class WorkbenchSource : public vtl::win::InputSource {
public:
    WorkbenchSource(WorkbenchState& state, vtl::win::PostedInputSource& posted, const vtl::win::WaitInfo& mainWait)
        : state_(state), posted_(posted), mainWait_(mainWait) {}

    vtl::win::NextInput next(const vtl::win::WaitInfo& wait, std::optional<std::uint64_t> deadlineMs) override {
        state_.publish(wait);
        vtl::win::NextInput n = posted_.next(wait, deadlineMs);
        // The main loop ends because the workbench stops, not as a wait nobody answered.
        if (n.kind == vtl::win::NextInput::Kind::Exhausted && &wait == &mainWait_) return vtl::win::NextInput::idle();
        return n;
    }
    bool wantsFrames() const override { return true; }

private:
    WorkbenchState& state_;
    vtl::win::PostedInputSource& posted_;
    const vtl::win::WaitInfo& mainWait_;
};

const vtl::win::EmbeddedFile* pageFile(std::string_view name) {
    for (const auto& f : workbench_page())
        if (name == f.name) return &f;
    return nullptr;
}

// Why nothing can listen on the port, as the system says it.
std::string whyNotBindable(int port) {
    const int sock = ::socket(AF_INET, SOCK_STREAM, 0);
    if (sock < 0) return std::strerror(errno);
    int yes = 1;
    ::setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<std::uint16_t>(port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::string why = "it cannot be bound";
    if (::bind(sock, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0) {
        why = errno == EADDRINUSE ? "the port is in use" : std::strerror(errno);
    } else if (::listen(sock, 1) != 0) {
        why = errno == EADDRINUSE ? "the port is in use" : std::strerror(errno);
    }
    ::close(sock);
    return why;
}
}  // namespace

struct Workbench::Impl {
    std::shared_ptr<WorkbenchState> state = std::make_shared<WorkbenchState>();
    std::vector<DialogInfo> dialogs;
    vtl::win::PostedInputSource posted;
    httplib::Server server;
    int port = 0;

    Impl() {
        for (const GalleryEntry& e : galleryEntries()) dialogs.push_back({e.name, e.purpose, e.templateId});
        // Only SO_REUSEADDR: with SO_REUSEPORT a second server could share a port that is taken.
        server.set_socket_options([](socket_t sock) {
            int yes = 1;
            ::setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        });
        server.set_payload_max_length(kMaxBody);
        server.set_keep_alive_timeout(2);
        server.set_pre_routing_handler([this](const httplib::Request& req, httplib::Response& res) {
            return fromThisMachine(req, res) ? httplib::Server::HandlerResponse::Unhandled
                                             : httplib::Server::HandlerResponse::Handled;
        });
        server.set_exception_handler([](const httplib::Request&, httplib::Response& res, std::exception_ptr ep) {
            std::string what = "unexpected failure";
            try {
                std::rethrow_exception(ep);
            } catch (const std::exception& e) {
                what = e.what();
            } catch (...) {
            }
            replyError(res, 500, what);
        });
        routes();
    }

    // A request must name this server as the page does (a page elsewhere that found the port, or a name
    // rebound to the loopback address, is turned away), and a browser's POST must come from the page.
    bool fromThisMachine(const httplib::Request& req, httplib::Response& res) const {
        const std::string p = ":" + std::to_string(port);
        const std::string host = req.get_header_value("Host");
        if (host != kLoopback + p && host != "localhost" + p) {
            replyError(res, 403, "requests must be addressed to " + std::string(kLoopback) + p);
            return false;
        }
        const std::string origin = req.get_header_value("Origin");
        if (req.method == "POST" && !origin.empty() && origin != "http://" + host) {
            replyError(res, 403, "input is taken from the workbench page only");
            return false;
        }
        return true;
    }

    void routes() {
        const auto page = [](const char* name, const char* type) {
            return [name, type](const httplib::Request&, httplib::Response& res) {
                const vtl::win::EmbeddedFile* f = pageFile(name);
                if (!f) return replyError(res, 404, std::string("the page file ") + name + " is missing");
                res.set_header("Cache-Control", "no-store");
                res.set_content(reinterpret_cast<const char*>(f->data), f->size, type);
            };
        };
        server.Get("/", page("workbench.html", "text/html; charset=utf-8"));
        server.Get("/workbench.js", page("workbench.js", "text/javascript; charset=utf-8"));
        server.Get("/dialogs", [this](const httplib::Request&, httplib::Response& res) {
            Json list = Json::array();
            for (const DialogInfo& d : dialogs)
                list.push_back({{"name", d.name}, {"purpose", d.purpose}, {"template", d.templateId}});
            reply(res, 200, list);
        });
        server.Get("/frame.png", [this](const httplib::Request&, httplib::Response& res) {
            const auto frame = currentView().frame;
            if (!frame || frame->png.empty()) return replyError(res, 503, "no frame has been published yet");
            res.set_header("Cache-Control", "no-store");
            res.set_header("X-Frame-Sequence", std::to_string(frame->sequence));
            res.set_content(reinterpret_cast<const char*>(frame->png.data()), frame->png.size(), "image/png");
        });
        server.Get("/frame.json", [this](const httplib::Request& req, httplib::Response& res) {
            std::uint64_t after = 0;
            if (req.has_param("after")) {
                const std::string a = req.get_param_value("after");
                char* end = nullptr;
                errno = 0;
                after = std::strtoull(a.c_str(), &end, 10);
                if (a.empty() || *end || errno) return replyError(res, 400, "after=" + a + " is not a view number");
            }
            viewJson(waitForView(after), res);
        });
        server.Post("/open", [this](const httplib::Request& req, httplib::Response& res) { openDialog(req, res); });
        server.Post("/input", [this](const httplib::Request& req, httplib::Response& res) {
            if (state->stopping) return replyError(res, 503, "the workbench is stopping");
            std::string error;
            const auto events = decodeInput(req.body, error);
            if (!events) return replyError(res, 400, error);
            for (const auto& e : *events) vtl::win::postInput(e);
            reply(res, 200, Json{{"posted", events->size()}});
        });
    }

    View currentView() {
        std::lock_guard lock(state->mutex);
        return state->view;
    }

    View waitForView(std::uint64_t after) {
        std::unique_lock lock(state->mutex);
        state->changed.wait_for(lock, kLongPoll, [&] { return state->view.version > after || state->closing; });
        return state->view;
    }

    static void viewJson(const View& v, httplib::Response& res) {
        Json j{{"version", v.version}, {"frame", v.frame ? v.frame->sequence : 0},
               {"journal", v.journal}, {"commandLine", v.commandLine},
               {"waiting", v.waiting}, {"open", v.open},
               {"status", v.status}};
        // The window tree is JSON already: it goes in as it is.
        std::string body = dumpJson(j);
        const std::string& tree = v.frame ? v.frame->windowTreeJson : std::string();
        body.insert(body.size() - 1, ",\"tree\":" + (tree.empty() ? std::string("null") : tree));
        res.set_header("Cache-Control", "no-store");
        res.set_content(body, "application/json");
    }

    void openDialog(const httplib::Request& req, httplib::Response& res) {
        const std::string name = req.get_param_value("name");
        if (name.empty()) return replyError(res, 400, "which dialog? (open?name=NAME, see /dialogs)");
        const bool known =
            std::any_of(dialogs.begin(), dialogs.end(), [&](const DialogInfo& d) { return d.name == name; });
        if (!known) return replyError(res, 404, "there is no dialog " + name + " (see /dialogs)");
        if (state->stopping) return replyError(res, 503, "the workbench is stopping");
        auto answer = std::make_shared<std::promise<OpenAnswer>>();
        auto future = answer->get_future();
        vtl::win::postTask([weak = std::weak_ptr<WorkbenchState>(state), name, answer] {
            if (const auto s = weak.lock()) s->open(name, *answer);
        });
        // Wait in slices so that a stopping workbench does not keep this thread (and the server's shutdown).
        const auto deadline = std::chrono::steady_clock::now() + kUiAnswer;
        while (future.wait_for(50ms) != std::future_status::ready) {
            bool closing = false;
            {
                std::lock_guard lock(state->mutex);
                closing = state->closing;
            }
            if (closing) return replyError(res, 503, "the workbench is stopping");
            if (std::chrono::steady_clock::now() > deadline)
                return replyError(res, 503, "the dialogs did not answer in time; try again");
        }
        try {
            const OpenAnswer a = future.get();
            if (!a.opened) return replyError(res, 409, a.message);
            reply(res, 200, Json{{"opened", name}});
        } catch (const std::future_error&) {
            replyError(res, 503, "the workbench is stopping");
        }
    }
};

Workbench::Workbench() : impl_(std::make_unique<Impl>()) {}

Workbench::~Workbench() {
    stop();
    impl_->state->close();
}

bool Workbench::bind(int port, std::string& error) {
    if (port < 0 || port > 65535) {
        error = "the port " + std::to_string(port) + " is not a port number (0 to 65535; 0 picks a free one)";
        return false;
    }
    if (impl_->port != 0) {
        error = "the workbench is bound already";
        return false;
    }
    if (port == 0) {
        const int bound = impl_->server.bind_to_any_port(kLoopback);
        if (bound <= 0) {
            error = std::string("cannot listen on a free port of ") + kLoopback;
            return false;
        }
        impl_->port = bound;
        return true;
    }
    if (!impl_->server.bind_to_port(kLoopback, port)) {
        error = std::string("cannot listen on ") + kLoopback + ":" + std::to_string(port) + ": " +
                whyNotBindable(port) + " (choose another with --port N, or --port 0 for a free one)";
        return false;
    }
    impl_->port = port;
    return true;
}

int Workbench::port() const {
    return impl_->port;
}

void Workbench::run() {
    using namespace vtl::win;
    Impl& w = *impl_;
    WorkbenchState& s = *w.state;
    setClockMode(ClockMode::Real);
    WaitInfo mainWait;
    mainWait.kind = WaitKind::MainLoop;
    mainWait.window = mainWindow();
    WorkbenchSource source(s, w.posted, mainWait);
    ScopedInputSource scope(source);
    publishFrame();
    s.publish(mainWait);

    std::atomic<bool> listenEnded{false};
    std::thread http([&] {
        if (w.port != 0) w.server.listen_after_bind();
        listenEnded = true;
    });
    // The server must be listening before stop() can end it.
    while (!w.server.is_running() && !listenEnded) std::this_thread::sleep_for(1ms);

    runLoop(mainWait, [&] { return s.stopping.load(); });

    s.close();
    w.server.stop();
    http.join();
}

void Workbench::stop() {
    impl_->state->stopping = true;
    impl_->posted.stop();
}

}  // namespace vtlhost
