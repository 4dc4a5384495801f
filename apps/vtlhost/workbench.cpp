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
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <future>
#include <mutex>
#include <optional>
#include <nlohmann/json.hpp>
#include <zlib.h>
#include <span>
#include <sstream>
#include <thread>

#include "gallery.h"
#include "gfx/png.h"
#include "host/command_line.h"
#include "vtlbase/drawing/drawing_model.h"
#include "vtlbase/drawing/journal.h"
#include "vtlbase/sections/section_tables.h"
#include "win/api.h"
#include "win/gdi.h"
#include "win/messages.h"
#include "win/pump.h"
#include "win/render.h"
#include "win/resources.h"
#include "win/threads.h"
#include "win/window_tree.h"
#include "workbench_input.h"
#include "workbench_library.h"

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
// Loopback needs no compression, and the HTTP library compresses the types it knows with brotli at its
// highest quality: 20-50 ms for one view. It leaves a type with a charset parameter as it is.
constexpr const char* kJsonType = "application/json; charset=utf-8";
constexpr auto kUiAnswer = 10s;
constexpr std::size_t kMaxBody = 1 << 20;
// How long input, an opening or a reset waits for its turn while another person uses the dialogs.
constexpr auto kTurnWait = 20s;
// The room left around the windows open when the screen is cropped to them.
constexpr int kScreenMargin = 12;
// The pictures the page may still ask for by number.
constexpr std::size_t kShotsKept = 8;
// The header a page names itself with, so that its input is told from another page's.
constexpr const char* kClientHeader = "X-Workbench-Client";

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
    res.set_content(dumpJson(body), kJsonType);
}

void replyError(httplib::Response& res, int status, const std::string& message) {
    reply(res, status, Json{{"error", message}});
}

// The part of the screen the page shows: what the open windows cover, with a margin. Empty when only the
// host's window is there.
struct Crop {
    int x = 0, y = 0, width = 0, height = 0;
    friend bool operator==(const Crop&, const Crop&) = default;
};

// One picture the page may show: the framework's frame, cropped. Its number changes only when the pixels
// or the crop change, so a page never fetches a picture it already has.
struct Shot {
    std::uint64_t number = 0;
    Crop crop;
    std::shared_ptr<const vtl::win::Frame> frame;  // its png is the cropped picture
};

// What the page shows; the UI thread copies it when it has nothing left to do.
struct View {
    std::uint64_t version = 0;
    std::shared_ptr<const Shot> shot;
    std::shared_ptr<const vtl::win::Frame> tree;  // the latest frame, for its window tree
    // The journal and the command line, the lines of the last action that wrote any apart.
    std::string journal, journalLast;
    std::string commandLine, commandLineLast;
    std::vector<WrittenFile> files;
    std::string waiting;  // what the innermost loop waits for ("main", "dialog 8131")
    std::string open;     // the dialog of the gallery open now
    std::string status;   // the last thing the workbench did ("opened sample", "sample closed")

    bool sameAs(const View& o) const {
        const auto sameFiles = [&] {
            return files.size() == o.files.size() &&
                   std::equal(files.begin(), files.end(), o.files.begin(), [](const auto& a, const auto& b) {
                       return a.path == b.path && a.state == b.state && a.size == b.size;
                   });
        };
        return shot == o.shot && tree == o.tree && journal == o.journal && journalLast == o.journalLast &&
               commandLine == o.commandLine && commandLineLast == o.commandLineLast && waiting == o.waiting &&
               open == o.open && status == o.status && sameFiles();
    }
};

struct OpenAnswer {
    bool opened = false;
    std::string message;
};

// The gallery's dialogs as the HTTP threads may read them: a copy taken at start.
struct DialogInfo {
    std::string name, title, purpose;
    int templateId = 0;
    GalleryGroup group = GalleryGroup::Other;
};

struct ResetAnswer {
    bool done = false;
    std::string message;
};

// Where the last action began in the journal (entries) and the command line (bytes).
struct Mark {
    std::size_t journal = 0;
    std::size_t commandLine = 0;
};

// The visible top-level windows but the host's own, bottom of the z-order first.
std::vector<HWND> openWindows() {
    const HWND host = vtl::win::mainWindow();
    std::vector<HWND> open;
    for (HWND h = GetTopWindow(HWND()); h; h = GetWindow(h, GW_HWNDNEXT)) {
        RECT r{};
        if (h == host || !IsWindowVisible(h) || !GetWindowRect(h, &r) || r.right <= r.left || r.bottom <= r.top) continue;
        open.push_back(h);
    }
    std::reverse(open.begin(), open.end());
    return open;
}

// What the open windows cover, as one rectangle with the margin, inside the screen.
Crop openWindowsArea() {
    const SIZE screen = vtl::win::screenSize();
    bool any = false;
    RECT area{};
    for (const HWND h : openWindows()) {
        RECT r{};
        GetWindowRect(h, &r);
        area = any ? RECT{std::min(area.left, r.left), std::min(area.top, r.top), std::max(area.right, r.right),
                          std::max(area.bottom, r.bottom)}
                   : r;
        any = true;
    }
    if (!any) return {};
    const int left = std::max<int>(0, area.left - kScreenMargin), top = std::max<int>(0, area.top - kScreenMargin);
    const int right = std::min<int>(screen.cx, area.right + kScreenMargin);
    const int bottom = std::min<int>(screen.cy, area.bottom + kScreenMargin);
    if (right <= left || bottom <= top) return {};
    return {left, top, right - left, bottom - top};
}

// A PNG made for speed rather than size: the image's RGBA rows as they are in memory (unfiltered), deflated
// at the fastest level with run-length matching. Flat dialog surfaces still compress well that way, and
// no pixel is touched on the way.
std::vector<unsigned char> fastPng(const vtl::gfx::Image& image) {
    static_assert(sizeof(vtl::gfx::Rgba) == 4, "PNG's RGBA order is the image's");
    const int w = image.width(), h = image.height();
    const std::size_t rowBytes = 4 * static_cast<std::size_t>(w);
    std::vector<unsigned char> deflated(compressBound(static_cast<uLong>((rowBytes + 1) * h)) + 64);
    z_stream z{};
    deflateInit2(&z, 1, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY);
    z.next_out = deflated.data();
    z.avail_out = static_cast<uInt>(deflated.size());
    unsigned char filterNone = 0;
    for (int y = 0; y < h; ++y) {
        z.next_in = &filterNone;
        z.avail_in = 1;
        deflate(&z, Z_NO_FLUSH);
        z.next_in = const_cast<Bytef*>(reinterpret_cast<const Bytef*>(image.row(y).data()));
        z.avail_in = static_cast<uInt>(rowBytes);
        deflate(&z, y + 1 == h ? Z_FINISH : Z_NO_FLUSH);
    }
    deflated.resize(z.total_out);
    deflateEnd(&z);

    std::vector<unsigned char> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    const auto be32 = [&](std::uint32_t v) {
        for (int shift = 24; shift >= 0; shift -= 8) png.push_back(static_cast<unsigned char>(v >> shift));
    };
    const auto chunk = [&](const char* type, const unsigned char* data, std::size_t size) {
        be32(static_cast<std::uint32_t>(size));
        const std::size_t start = png.size();
        png.insert(png.end(), type, type + 4);
        if (size) png.insert(png.end(), data, data + size);
        be32(static_cast<std::uint32_t>(crc32(0, png.data() + start, static_cast<uInt>(png.size() - start))));
    };
    const unsigned char header[13] = {static_cast<unsigned char>(w >> 24), static_cast<unsigned char>(w >> 16),
                                      static_cast<unsigned char>(w >> 8),  static_cast<unsigned char>(w),
                                      static_cast<unsigned char>(h >> 24), static_cast<unsigned char>(h >> 16),
                                      static_cast<unsigned char>(h >> 8),  static_cast<unsigned char>(h),
                                      8, 6, 0, 0, 0};
    chunk("IHDR", header, sizeof header);
    chunk("IDAT", deflated.data(), deflated.size());
    chunk("IEND", nullptr, 0);
    return png;
}

std::string journalLines(const std::vector<vtl::base::JournalEntry>& entries, std::size_t from, std::size_t to) {
    std::string text;
    for (std::size_t i = from; i < to; ++i)
        text += std::to_string(entries[i].sequence) + ". " + entries[i].text() + "\n";
    return text;
}

// State shared by the UI thread and the HTTP threads. Tasks posted to the UI thread hold it weakly, so a
// task still queued when the workbench is gone does nothing.
struct WorkbenchState {
    std::mutex mutex;
    std::condition_variable changed;
    View view;             // guarded by mutex
    bool closing = false;  // guarded by mutex: no new answers will come
    std::atomic<bool> stopping{false};

    // Pictures the page may fetch by number, newest last. Guarded by mutex.
    std::deque<std::shared_ptr<const Shot>> shots;

    // UI thread only.
    std::string openEntry;
    std::string status;
    std::unique_ptr<ScratchLibrary> library;
    // The crop and the picture the renderer made last, to know the crop of the frame published with it.
    Crop renderedCrop;
    std::vector<unsigned char> renderedPng;
    vtl::gfx::Image renderedPicture;
    std::vector<WrittenFile> files;
    std::shared_ptr<const vtl::win::Frame> lastFrame;
    std::shared_ptr<const Shot> shot;
    // Where the action under way began, and where the last one that wrote lines began.
    Mark pending;
    std::optional<Mark> shown;
    // The journal's text as last made, with what it was made from.
    std::size_t journalEntries = ~std::size_t{0};
    int journalLastSequence = -1;
    std::size_t journalMark = ~std::size_t{0};
    std::string journalBefore, journalAfter;
    // A reset asked for: the loops open end as cancelled, then the main loop starts again.
    std::shared_ptr<std::promise<ResetAnswer>> resetWanted;

    // The screen cropped to the windows open, as PNG (the framework's frame renderer).
    std::vector<unsigned char> render() {
        const Crop crop = openWindowsArea();
        vtl::gfx::Image picture;
        if (crop.width == 0) {
            picture = vtl::gfx::Image(1, 1, vtl::gfx::Rgba::of(GetSysColor(COLOR_BACKGROUND)));
        } else {
            // Each window drawn at its own size and laid into the crop from the bottom of the z-order up:
            // far less to draw than the whole screen with the host's window under the dialogs.
            picture = vtl::gfx::Image(crop.width, crop.height, vtl::gfx::Rgba::of(GetSysColor(COLOR_BACKGROUND)));
            for (const HWND h : openWindows()) {
                RECT r{};
                GetWindowRect(h, &r);
                const vtl::gfx::Image window = vtl::win::renderWindow(h);
                const int dx = r.left - crop.x, dy = r.top - crop.y;
                for (int y = std::max(0, -dy); y < window.height() && y + dy < crop.height; ++y) {
                    const int from = std::max(0, -dx), to = std::min(window.width(), crop.width - dx);
                    if (to <= from) break;
                    const auto row = window.row(y);
                    std::copy(row.begin() + from, row.begin() + to, picture.row(y + dy).begin() + (from + dx));
                }
            }
        }
        renderedCrop = crop;
        // The same pixels again (a release that changed nothing): the same bytes, without encoding.
        if (picture != renderedPicture || renderedPng.empty()) renderedPng = fastPng(picture);
        renderedPicture = std::move(picture);
        return renderedPng;
    }

    void beginAction() {
        const std::size_t entries = vtl::base::Journal::get().entries().size();
        const std::size_t commandLine = vtl::host::commandLineText().size();
        // The action before may have written its lines without a view published since (a key's press and
        // its release come as two actions, the release before the UI thread was idle): it stays the last
        // action that wrote any until this one writes.
        if (entries > pending.journal || commandLine > pending.commandLine) shown = pending;
        pending = {entries, commandLine};
    }

    // The picture of the latest frame: the one shown already when its pixels and crop are the same.
    void takeShot() {
        const auto frame = vtl::win::latestFrame();
        if (frame == lastFrame) return;
        lastFrame = frame;
        // A frame not made by render() shows the whole screen.
        const Crop crop = frame->png == renderedPng ? renderedCrop
                                                    : Crop{0, 0, vtl::win::screenSize().cx, vtl::win::screenSize().cy};
        if (shot && shot->crop == crop && shot->frame->png == frame->png) return;
        auto next = std::make_shared<Shot>();
        next->number = frame->sequence;
        next->crop = crop;
        next->frame = frame;
        shot = next;
        std::lock_guard lock(mutex);
        shots.push_back(std::move(next));
        while (shots.size() > kShotsKept) shots.pop_front();
    }

    // Copies what the page shows, on the UI thread. The files written are looked for after the view has
    // gone out, so that the picture of an action does not wait for them; a change among them is a view of
    // its own.
    void publish(const vtl::win::WaitInfo& wait) {
        publishView(wait);
        if (!library) return;
        auto now = library->written();
        const bool same = now.size() == files.size() &&
                          std::equal(now.begin(), now.end(), files.begin(), [](const auto& a, const auto& b) {
                              return a.path == b.path && a.state == b.state && a.size == b.size;
                          });
        if (same) return;
        files = std::move(now);
        publishView(wait);
    }

    void publishView(const vtl::win::WaitInfo& wait) {
        takeShot();
        const auto& entries = vtl::base::Journal::get().entries();
        const std::string commandLine = vtl::host::commandLineText();
        // The last action that wrote a line is the one shown marked.
        if (entries.size() > pending.journal || commandLine.size() > pending.commandLine) shown = pending;
        Mark mark = shown.value_or(Mark{entries.size(), commandLine.size()});
        mark.journal = std::min(mark.journal, entries.size());
        mark.commandLine = std::min(mark.commandLine, commandLine.size());
        const int lastSequence = entries.empty() ? 0 : entries.back().sequence;
        if (entries.size() != journalEntries || lastSequence != journalLastSequence || mark.journal != journalMark) {
            // Only as many entries as the text keeps are written out.
            std::size_t from = mark.journal;
            std::size_t bytes = 0;
            while (from > 0 && bytes < kTailKept) bytes += entries[--from].text().size() + 8;
            journalBefore = tailOf(journalLines(entries, from, mark.journal), kTailKept);
            if (from > 0 && journalBefore.rfind("...\n", 0) != 0) journalBefore = "...\n" + journalBefore;
            journalAfter = tailOf(journalLines(entries, mark.journal, entries.size()), kTailKept);
            journalEntries = entries.size();
            journalLastSequence = lastSequence;
            journalMark = mark.journal;
        }
        View next;
        next.shot = shot;
        next.tree = lastFrame;
        next.journal = journalBefore;
        next.journalLast = journalAfter;
        next.commandLine = tailOf(commandLine.substr(0, mark.commandLine), kTailKept);
        next.commandLineLast = tailOf(commandLine.substr(mark.commandLine), kTailKept);
        next.files = files;
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

    std::shared_ptr<const Shot> shotNumbered(std::uint64_t number) {
        std::lock_guard lock(mutex);
        for (const auto& s : shots)
            if (s->number == number) return s;
        return nullptr;
    }

    // Starts again, at the main loop: a fresh copy of the library, an empty drawing, journal and command line.
    void resetNow() {
        const auto answer = std::move(resetWanted);
        resetWanted.reset();
        // Windows a dialog left open without a loop of its own (a modeless one) are asked to close.
        std::vector<HWND> left;
        for (HWND h = GetTopWindow(HWND()); h; h = GetWindow(h, GW_HWNDNEXT))
            if (h != vtl::win::mainWindow() && IsWindowVisible(h)) left.push_back(h);
        for (HWND h : left)
            if (IsWindow(h)) SendMessage(h, WM_CLOSE, 0, 0);
        ResetAnswer result{true, {}};
        if (!library) {
            result = {false, "this workbench has no scratch library to start again on"};
        } else if (std::string error; !library->reset(error)) {
            result = {false, error};
        }
        vtl::base::DrawingModel::get().reset();
        vtl::base::Journal::get().clear();
        vtl::host::clearCommandLine();
        gSectionTables.reset();
        pending = {};
        shown.reset();
        files.clear();
        journalEntries = ~std::size_t{0};
        status = result.done ? "started again on a fresh copy of the sample library"
                             : "could not start again: " + result.message;
        if (answer) answer->set_value(result);
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
        beginAction();
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
        if (state_.resetWanted) {
            // Every loop above the main one ends as cancelled; at the main loop the workbench starts again.
            if (&wait != &mainWait_) return vtl::win::NextInput::exhausted();
            state_.resetNow();
        }
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
    InputTurns turns;
    // The scratch library's folder, for downloads (set before run()).
    std::filesystem::path libraryFolder;
    httplib::Server server;
    int port = 0;

    Impl() {
        for (const GalleryEntry& e : galleryEntries())
            dialogs.push_back({e.name, titleOf(e), e.purpose, e.templateId, e.group});
        // Only SO_REUSEADDR: with SO_REUSEPORT a second server could share a port that is taken.
        server.set_socket_options([](socket_t sock) {
            int yes = 1;
            ::setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        });
        server.set_payload_max_length(kMaxBody);
        server.set_keep_alive_timeout(2);
        // A page keeps its few connections for all its requests, and a small answer goes out at once rather
        // than waiting for the page's acknowledgement of the one before.
        server.set_keep_alive_max_count(1000);
        server.set_tcp_nodelay(true);
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
            // The groups as the start page shows them, each with its dialogs in the order registered.
            Json groups = Json::array();
            for (const GalleryGroup g : kGalleryGroups) {
                Json list = Json::array();
                for (const DialogInfo& d : dialogs)
                    if (d.group == g)
                        list.push_back({{"name", d.name}, {"title", d.title}, {"purpose", d.purpose},
                                        {"template", d.templateId}});
                if (list.empty()) continue;
                groups.push_back({{"key", groupKey(g)}, {"title", groupTitle(g)}, {"purpose", groupPurpose(g)},
                                  {"dialogs", std::move(list)}});
            }
            reply(res, 200, Json{{"groups", std::move(groups)}});
        });
        server.Get("/frame.png", [this](const httplib::Request& req, httplib::Response& res) {
            // ?frame=N: that picture while it is kept; without it, the latest.
            std::shared_ptr<const Shot> shot;
            if (req.has_param("frame")) {
                std::uint64_t number = 0;
                if (!numberParam(req.get_param_value("frame"), number))
                    return replyError(res, 400, "frame=" + req.get_param_value("frame") + " is not a frame number");
                shot = state->shotNumbered(number);
                if (!shot) return replyError(res, 404, "the frame " + std::to_string(number) + " is gone; a newer one is shown");
            } else {
                shot = currentView().shot;
            }
            if (!shot || shot->frame->png.empty()) return replyError(res, 503, "no frame has been published yet");
            // A picture never changes under its number: the browser may keep it.
            res.set_header("Cache-Control", req.has_param("frame") ? "private, max-age=3600" : "no-store");
            res.set_header("X-Frame-Sequence", std::to_string(shot->number));
            res.set_header("X-Screen-Crop", std::to_string(shot->crop.x) + "," + std::to_string(shot->crop.y) + "," +
                                                std::to_string(shot->crop.width) + "," + std::to_string(shot->crop.height));
            const auto& png = shot->frame->png;
            res.set_content(reinterpret_cast<const char*>(png.data()), png.size(), "image/png");
        });
        server.Get("/file", [this](const httplib::Request& req, httplib::Response& res) { download(req, res); });
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
        server.Post("/reset", [this](const httplib::Request& req, httplib::Response& res) { reset(req, res); });
        server.Post("/input", [this](const httplib::Request& req, httplib::Response& res) {
            if (state->stopping) return replyError(res, 503, "the workbench is stopping");
            std::string error;
            const auto events = decodeInput(req.body, error);
            if (!events) return replyError(res, 400, error);
            // A batch goes out whole in its sender's turn: nobody else's events land in between.
            const bool moves = std::all_of(events->begin(), events->end(), [](const vtl::win::InputEvent& e) {
                return e.kind == vtl::win::InputEvent::Kind::MouseMove;
            });
            const auto post = [&](const std::vector<vtl::win::InputEvent>& all) {
                if (!moves) postBeginAction();
                for (const auto& e : all) vtl::win::postInput(e);
            };
            if (!turns.take(req.get_header_value(kClientHeader), *events, kTurnWait, post, error))
                return replyError(res, state->stopping ? 503 : 409, error);
            reply(res, 200, Json{{"posted", events->size()}});
        });
    }

    static bool numberParam(const std::string& text, std::uint64_t& number) {
        char* end = nullptr;
        errno = 0;
        number = std::strtoull(text.c_str(), &end, 10);
        return !text.empty() && !*end && !errno && text[0] != '-';
    }

    void postBeginAction() {
        vtl::win::postTask([weak = std::weak_ptr<WorkbenchState>(state)] {
            if (const auto s = weak.lock()) s->beginAction();
        });
    }

    void download(const httplib::Request& req, httplib::Response& res) {
        if (libraryFolder.empty()) return replyError(res, 404, "this workbench has no scratch library");
        std::string error;
        const auto file = fileInsideFolder(libraryFolder, req.get_param_value("path"), error);
        if (!file) return replyError(res, error.find("no file") != std::string::npos ? 404 : 403, error);
        std::ifstream in(*file, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (!in && !in.eof()) return replyError(res, 500, "cannot read " + req.get_param_value("path"));
        std::string name = file->filename().string();
        std::replace_if(name.begin(), name.end(), [](char c) { return c == '"' || c < 0x20; }, '_');
        res.set_header("Cache-Control", "no-store");
        res.set_header("Content-Disposition", "attachment; filename=\"" + name + "\"");
        res.set_content(std::move(bytes), "application/octet-stream");
    }

    // Waits for the UI thread's answer in slices, so that a stopping workbench does not keep this thread.
    template <class T>
    std::optional<T> answerOf(std::future<T>& future, httplib::Response& res) {
        const auto deadline = std::chrono::steady_clock::now() + kUiAnswer;
        while (future.wait_for(50ms) != std::future_status::ready) {
            bool closing = false;
            {
                std::lock_guard lock(state->mutex);
                closing = state->closing;
            }
            if (closing) {
                replyError(res, 503, "the workbench is stopping");
                return std::nullopt;
            }
            if (std::chrono::steady_clock::now() > deadline) {
                replyError(res, 503, "the dialogs did not answer in time; try again");
                return std::nullopt;
            }
        }
        try {
            return future.get();
        } catch (const std::future_error&) {
            replyError(res, 503, "the workbench is stopping");
            return std::nullopt;
        }
    }

    void reset(const httplib::Request& req, httplib::Response& res) {
        if (state->stopping) return replyError(res, 503, "the workbench is stopping");
        auto answer = std::make_shared<std::promise<ResetAnswer>>();
        auto future = answer->get_future();
        std::string error;
        const auto post = [&](const std::vector<vtl::win::InputEvent>& releases) {
            for (const auto& e : releases) vtl::win::postInput(e);
            vtl::win::postTask([weak = std::weak_ptr<WorkbenchState>(state), answer] {
                const auto s = weak.lock();
                if (!s) return;
                if (s->resetWanted) {
                    answer->set_value(ResetAnswer{false, "the workbench is starting again already"});
                    return;
                }
                s->resetWanted = answer;
            });
        };
        if (!turns.take(req.get_header_value(kClientHeader), {}, kTurnWait, post, error))
            return replyError(res, state->stopping ? 503 : 409, error);
        const auto a = answerOf(future, res);
        if (!a) return;
        if (!a->done) return replyError(res, 409, a->message);
        reply(res, 200, Json{{"reset", true}});
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
        const Crop crop = v.shot ? v.shot->crop : Crop{};
        Json files = Json::array();
        for (const WrittenFile& f : v.files) files.push_back({{"path", f.path}, {"state", f.state}, {"size", f.size}});
        Json j{{"version", v.version},
               {"frame", v.shot ? v.shot->number : 0},
               {"screen", {{"x", crop.x}, {"y", crop.y}, {"width", crop.width}, {"height", crop.height}}},
               {"journal", v.journal},
               {"journalLast", v.journalLast},
               {"commandLine", v.commandLine},
               {"commandLineLast", v.commandLineLast},
               {"files", std::move(files)},
               {"waiting", v.waiting},
               {"open", v.open},
               {"status", v.status}};
        // The window tree is JSON already: it goes in as it is.
        std::string body = dumpJson(j);
        const std::string& tree = v.tree ? v.tree->windowTreeJson : std::string();
        body.insert(body.size() - 1, ",\"tree\":" + (tree.empty() ? std::string("null") : tree));
        res.set_header("Cache-Control", "no-store");
        res.set_content(body, kJsonType);
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
        std::string error;
        const auto post = [&](const std::vector<vtl::win::InputEvent>& releases) {
            for (const auto& e : releases) vtl::win::postInput(e);
            vtl::win::postTask([weak = std::weak_ptr<WorkbenchState>(state), name, answer] {
                if (const auto s = weak.lock()) s->open(name, *answer);
            });
        };
        if (!turns.take(req.get_header_value(kClientHeader), {}, kTurnWait, post, error))
            return replyError(res, state->stopping ? 503 : 409, error);
        const auto a = answerOf(future, res);
        if (!a) return;
        if (!a->opened) return replyError(res, 409, a->message);
        reply(res, 200, Json{{"opened", name}});
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

void Workbench::useLibrary(const std::string& original, const std::string& scratch) {
    impl_->state->library = std::make_unique<ScratchLibrary>(original, scratch);
    impl_->libraryFolder = scratch;
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
    setFrameRenderer([&s] { return s.render(); });
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
    w.turns.close();
    w.server.stop();
    http.join();
    setFrameRenderer({});
}

void Workbench::stop() {
    impl_->state->stopping = true;
    impl_->turns.close();
    impl_->posted.stop();
}

}  // namespace vtlhost
