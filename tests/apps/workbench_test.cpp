// The browser workbench over HTTP: a person's clicks and keys reach the dialogs through the posted input on
// the real clock, the frames, the journal and the command line come back; what the server cannot use is
// refused with a reason; a stop ends a dialog that is still open.
#include "workbench.h"

#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <mutex>
#include <nlohmann/json.hpp>
#include <optional>
#include <thread>

#include "gallery.h"
#include "host/loader.h"
#include "support/fixture.h"
#include "vtlbase/drawing/drawing_model.h"
#include "vtlbase/macro/macro_file.h"
#include "vtlbase/settings.h"
#include "vtlui/vtlui.h"
#include "win/api.h"
#include "win/keys.h"
#include "workbench_input.h"
#include "workbench_library.h"

namespace vtl::test {
namespace {
namespace fs = std::filesystem;
using Json = nlohmann::json;
using win::InputEvent;
using namespace std::chrono_literals;

const fs::path kSamples = fs::path(VTL_SOURCE_DIR) / "samples" / "library";

// ---- What the page sends ------------------------------------------------------------------------------

std::vector<InputEvent> decoded(const std::string& body) {
    std::string error;
    const auto events = vtlhost::decodeInput(body, error);
    EXPECT_TRUE(events) << body << ": " << error;
    return events ? *events : std::vector<InputEvent>{};
}

std::string refusal(const std::string& body) {
    std::string error;
    EXPECT_FALSE(vtlhost::decodeInput(body, error)) << body;
    return error;
}

TEST(WorkbenchInput, BrowserAndScriptKeyNamesMouseAndTextBecomeTheFrameworksEvents) {
    using K = InputEvent::Kind;
    // The browser's names and the scripts' name the same keys.
    for (const auto& [browser, script] : std::vector<std::pair<std::string, std::string>>{{"Enter", "RETURN"},
                                                                                          {"ArrowLeft", "LEFT"},
                                                                                          {"PageDown", "NEXT"},
                                                                                          {"Escape", "ESC"},
                                                                                          {"Backspace", "BACK"},
                                                                                          {" ", "SPACE"},
                                                                                          {"Control", "CTRL"},
                                                                                          {"a", "A"},
                                                                                          {"F4", "F4"}}) {
        ASSERT_TRUE(vtlhost::keyByName(browser)) << browser;
        EXPECT_EQ(vtlhost::keyByName(browser), vtlhost::keyByName(script)) << browser;
    }
    EXPECT_FALSE(vtlhost::keyByName("Hyper"));
    EXPECT_FALSE(vtlhost::keyByName("Arrow"));
    EXPECT_FALSE(vtlhost::keyByName(""));

    // A list is taken in order; "key" is a press and a release; text is one character event per code point.
    const auto events = decoded(R"([{"type":"dblclick","x":10.7,"y":20,"button":"right","modifiers":["shift","ctrl"]},
        {"type":"key","key":"End","modifiers":["shift"]}, {"type":"text","text":"Ø1€"},
        {"type":"wheel","x":1,"y":2,"delta":-120}])");
    ASSERT_EQ(events.size(), 7u);
    EXPECT_EQ(events[0].kind, K::DoubleClick);
    EXPECT_EQ(events[0].x, 10);
    EXPECT_EQ(events[0].button, InputEvent::Button::Right);
    EXPECT_EQ(events[0].modifiers, unsigned(win::ModShift | win::ModCtrl));
    EXPECT_EQ(events[1].kind, K::KeyDown);
    EXPECT_EQ(events[1].vkey, VK_END);
    EXPECT_EQ(events[1].modifiers, unsigned(win::ModShift));
    EXPECT_EQ(events[2].kind, K::KeyUp);
    EXPECT_EQ(events[3].ch, U'Ø');
    EXPECT_EQ(events[4].ch, U'1');
    EXPECT_EQ(events[5].ch, U'€');
    EXPECT_EQ(events[6].kind, K::Wheel);
    EXPECT_EQ(events[6].wheelDelta, -120);
    // One event needs no list; a button not named is the left one.
    const auto one = decoded(R"({"type":"mousedown","x":5,"y":6})");
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].button, InputEvent::Button::Left);
    EXPECT_EQ(decoded(R"({"type":"mouseup","x":5,"y":6,"button":"middle"})")[0].button, InputEvent::Button::Middle);
}

TEST(WorkbenchInput, ABodyWithAnyFaultIsRefusedWholeWithTheEventAndTheReason) {
    EXPECT_EQ(refusal("{\"type\":"), "the body is not JSON");
    EXPECT_EQ(refusal("42"), "the body is neither an event nor a list of events");
    // The good event before a bad one is not taken either: nothing of the body reaches the dialogs.
    EXPECT_EQ(refusal(R"([{"type":"text","text":"x"},{"type":"key","key":"Hyper"}])"),
              "event 2: unknown key name \"Hyper\"");
    EXPECT_EQ(refusal(R"({"type":"mousedown","y":1})"), "event 1: \"x\" is missing");
    EXPECT_EQ(refusal(R"({"type":"mousedown","x":"1","y":1})"), "event 1: \"x\" is not a number");
    EXPECT_EQ(refusal(R"({"type":"mousemove","x":1e300,"y":1})"), "event 1: \"x\" is out of range");
    EXPECT_EQ(refusal(R"({"type":"mouseup","x":1,"y":1,"button":"fourth"})"),
              "event 1: unknown button fourth (left, right, middle)");
    EXPECT_EQ(refusal(R"({"type":"key","key":"A","modifiers":["meta"]})"),
              "event 1: unknown modifier meta (shift, ctrl, alt)");
    EXPECT_EQ(refusal(R"({"type":"paste","text":"x"})"), "event 1: unknown type \"paste\"");
    EXPECT_EQ(refusal(R"({"type":"text","text":"a\tb"})"),
              "event 1: the text holds a control character (send keys for those)");
    EXPECT_EQ(refusal(R"([7])"), "event 1: not an object");
    // Bounded: a text or a list too long for a person is refused, not queued.
    EXPECT_NE(refusal(Json{{"type", "text"}, {"text", std::string(vtlhost::kMaxTextLength + 1, 'x')}}.dump())
                  .find("longer than"),
              std::string::npos);
    Json many = Json::array();
    for (std::size_t i = 0; i <= vtlhost::kMaxEventsPerRequest; ++i) many.push_back({{"type", "text"}, {"text", "x"}});
    EXPECT_NE(refusal(many.dump()).find("more than"), std::string::npos);
}

// ---- Turns of several pages ------------------------------------------------------------------------------

TEST(WorkbenchTurns, ASecondPersonWaitsForTheFirstsPressAndQuietAndAnAbandonedPressIsReleasedFirst) {
    using K = InputEvent::Kind;
    using namespace std::chrono;
    vtlhost::InputTurns turns({.quiet = 150ms, .abandoned = 600ms});
    std::vector<std::pair<std::string, InputEvent>> delivered;
    std::mutex m;
    const auto sendAs = [&](const std::string& who, std::vector<InputEvent> events, milliseconds limit = 5s) {
        std::string error;
        const bool ok = turns.take(who, events, limit, [&](const std::vector<InputEvent>& all) {
            std::lock_guard lock(m);
            for (const auto& e : all) delivered.emplace_back(who, e);
        }, error);
        EXPECT_TRUE(ok || !error.empty());
        return ok;
    };
    // Anna presses the mouse and holds it; her own next events go at once.
    ASSERT_TRUE(sendAs("anna", {InputEvent::mouse(K::MouseDown, 40, 50)}));
    ASSERT_TRUE(sendAs("anna", {InputEvent::mouse(K::MouseMove, 60, 50)}));
    EXPECT_EQ(turns.holder(), "anna");
    EXPECT_EQ(turns.held(), 1u);
    // Ben's key waits while she holds the button and after her release for the quiet moment.
    const auto start = steady_clock::now();
    std::thread ben([&] { sendAs("ben", {InputEvent::key(K::KeyDown, VK_TAB), InputEvent::key(K::KeyUp, VK_TAB)}); });
    std::this_thread::sleep_for(100ms);
    ASSERT_TRUE(sendAs("anna", {InputEvent::mouse(K::MouseUp, 60, 50)}));
    ben.join();
    const auto waited = steady_clock::now() - start;
    EXPECT_GE(waited, 240ms);  // her release at 100 ms, then the quiet 150 ms
    ASSERT_EQ(delivered.size(), 5u);
    EXPECT_EQ(delivered[2].first, "anna");
    EXPECT_EQ(delivered[2].second.kind, K::MouseUp);
    EXPECT_EQ(delivered[3].first, "ben");  // nothing of Ben's between Anna's press and release
    EXPECT_EQ(delivered[3].second.vkey, VK_TAB);

    // Ben holds Shift and his page goes away: after `abandoned` Anna gets the turn, Shift released first.
    delivered.clear();
    ASSERT_TRUE(sendAs("ben", {InputEvent::key(K::KeyDown, VK_SHIFT)}));
    ASSERT_TRUE(sendAs("anna", {InputEvent::character(U'é')}));
    ASSERT_EQ(delivered.size(), 3u);
    EXPECT_EQ(delivered[1].first, "anna");
    EXPECT_EQ(delivered[1].second.kind, K::KeyUp);
    EXPECT_EQ(delivered[1].second.vkey, VK_SHIFT);
    EXPECT_EQ(delivered[2].second.ch, U'é');

    // A turn that does not come in time is refused with a reason, and nothing is delivered.
    ASSERT_TRUE(sendAs("anna", {InputEvent::mouse(K::MouseDown, 1, 1)}));
    delivered.clear();
    std::string error;
    EXPECT_FALSE(turns.take("ben", {InputEvent::character(U'x')}, 50ms, [&](const auto&) { delivered.emplace_back(); },
                            error));
    EXPECT_NE(error.find("another person is using the dialogs"), std::string::npos) << error;
    EXPECT_TRUE(delivered.empty());
    // Closing ends a wait at once.
    std::thread late([&] {
        std::string why;
        EXPECT_FALSE(turns.take("carl", {}, 10s, [](const auto&) {}, why));
        EXPECT_EQ(why, "the workbench is stopping");
    });
    std::this_thread::sleep_for(50ms);
    turns.close();
    late.join();
}

// ---- The scratch library -----------------------------------------------------------------------------------

TEST(WorkbenchLibrary, FilesWrittenAreListedAndAResetBringsTheLibraryBack) {
    const fs::path root = fs::temp_directory_path() / ("vtl-workbench-lib-" + std::to_string(::getpid()));
    fs::remove_all(root);
    const fs::path original = root / "original", scratch = root / "scratch";
    fs::create_directories(original / "prof");
    const auto write = [](const fs::path& p, const std::string& text) {
        fs::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << text;
    };
    write(original / "prof" / "HEA.pr", "HEA-200;190;200\r\n");
    write(original / "Stock.txt", "IPE 300 12000\r\n");
    write(original / "Notes.txt", "kept\r\n");
    fs::copy(original, scratch, fs::copy_options::recursive);
    vtlhost::ScratchLibrary library(original, scratch);
    EXPECT_TRUE(library.written().empty());

    // A new file, a changed one, a removed one; one written back as it was is no change.
    std::this_thread::sleep_for(20ms);
    write(scratch / "prof" / "HEA.pr", "HEA-200;190;200\r\nHEA-220;210;220\r\n");
    write(scratch / "Macros" / "EndPlate-3.txt", "new");
    fs::remove(scratch / "Stock.txt");
    write(scratch / "Notes.txt", "kept\r\n");
    const auto written = library.written();
    ASSERT_EQ(written.size(), 3u);
    EXPECT_EQ(written[0].path, "Macros/EndPlate-3.txt");
    EXPECT_EQ(written[0].state, "new");
    EXPECT_EQ(written[1].path, "Stock.txt");
    EXPECT_EQ(written[1].state, "removed");
    EXPECT_EQ(written[2].path, "prof/HEA.pr");
    EXPECT_EQ(written[2].state, "changed");
    EXPECT_EQ(written[2].size, 34u);

    std::string error;
    ASSERT_TRUE(library.reset(error)) << error;
    EXPECT_TRUE(library.written().empty());
    EXPECT_FALSE(fs::exists(scratch / "Macros" / "EndPlate-3.txt"));
    EXPECT_TRUE(fs::exists(scratch / "Stock.txt"));
    std::ifstream hea(scratch / "prof" / "HEA.pr", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(hea), {}), "HEA-200;190;200\r\n");
    fs::remove_all(root);
}

TEST(WorkbenchLibrary, ADownloadReachesOnlyFilesInsideTheLibrary) {
    const fs::path root = fs::temp_directory_path() / ("vtl-workbench-dl-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "library" / "prof");
    std::ofstream(root / "library" / "prof" / "HEA.pr") << "HEA";
    std::ofstream(root / "secret.txt") << "not for the page";
    fs::create_symlink(root / "secret.txt", root / "library" / "link.txt");
    fs::create_directory_symlink(root, root / "library" / "up");
    fs::create_symlink(root / "library" / "prof" / "HEA.pr", root / "library" / "inner.pr");
    const fs::path library = root / "library";
    std::string error;
    const auto found = vtlhost::fileInsideFolder(library, "prof/HEA.pr", error);
    ASSERT_TRUE(found) << error;
    EXPECT_EQ(*found, fs::canonical(library / "prof" / "HEA.pr"));
    EXPECT_TRUE(vtlhost::fileInsideFolder(library, "inner.pr", error)) << error;  // a link that stays inside
    for (const std::string bad : {"../secret.txt", "prof/../../secret.txt", "/etc/passwd", "link.txt",
                                  "up/secret.txt", "prof", "", "prof\\HEA.pr", "missing.txt"}) {
        error.clear();
        EXPECT_FALSE(vtlhost::fileInsideFolder(library, bad, error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
    EXPECT_NE((vtlhost::fileInsideFolder(library, "missing.txt", error), error).find("there is no file"),
              std::string::npos);
    EXPECT_NE((vtlhost::fileInsideFolder(library, "link.txt", error), error).find("leads out"), std::string::npos);
    fs::remove_all(root);
}

// ---- The server -----------------------------------------------------------------------------------------

// The window of `templateId` in a view's tree, and a visible control in it (at any depth) by id.
const Json* windowWith(const Json& view, int templateId) {
    if (!view.contains("tree") || !view["tree"].is_object()) return nullptr;
    for (const Json& w : view["tree"]["windows"])
        if (w.value("template", 0) == templateId && w.value("visible", false)) return &w;
    return nullptr;
}

const Json* controlIn(const Json& window, int id) {
    for (const Json& c : window["children"]) {
        if (!c.value("visible", false)) continue;  // the pages of the other tabs hold the same ids
        if (c.value("id", 0) == id) return &c;
        if (const Json* inner = controlIn(c, id)) return inner;
    }
    return nullptr;
}

std::string controlText(const Json& view, int templateId, int id) {
    const Json* w = windowWith(view, templateId);
    const Json* c = w ? controlIn(*w, id) : nullptr;
    return c ? c->value("text", std::string()) : "(no control)";
}

Json clickOn(const Json& control) {
    const Json& r = control["rect"];
    const int x = (r[0].get<int>() + r[2].get<int>()) / 2, y = (r[1].get<int>() + r[3].get<int>()) / 2;
    return Json::array({{{"type", "mousedown"}, {"x", x}, {"y", y}}, {{"type", "mouseup"}, {"x", x}, {"y", y}}});
}

// A person at the page: talks to the workbench over HTTP only.
class Person {
public:
    explicit Person(int port) : client_("127.0.0.1", port) { client_.set_read_timeout(30s); }

    httplib::Result get(const std::string& path, const httplib::Headers& headers = {}) {
        return client_.Get(path.c_str(), headers);
    }
    httplib::Result post(const std::string& path, const std::string& body = {}) {
        return client_.Post(path.c_str(), body, "application/json");
    }
    int status(const httplib::Result& r) const { return r ? r->status : -1; }
    std::string error(const httplib::Result& r) const {
        if (!r) return "(no answer)";
        const Json j = Json::parse(r->body, nullptr, false);
        return j.is_object() ? j.value("error", std::string()) : r->body;
    }
    // Waits, on the views the server publishes, until `ok` holds; the last view seen either way.
    Json waitFor(const std::function<bool(const Json&)>& ok, std::chrono::seconds limit = 30s) {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        do {
            const auto r = get("/frame.json?after=" + std::to_string(last_.value("version", 0)));
            if (r && r->status == 200) last_ = Json::parse(r->body);
            if (ok(last_)) return last_;
        } while (std::chrono::steady_clock::now() < deadline);
        ADD_FAILURE() << "the awaited view did not come; the last one:\n" << last_.dump(1).substr(0, 4000);
        return last_;
    }
    const Json& last() const { return last_; }

private:
    httplib::Client client_;
    Json last_ = Json::object();
};

class WorkbenchServer : public Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        fs::copy(kSamples, libraryDir(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        std::string error;
        module_ = host::LoadedModule::load((fs::read_symlink("/proc/self/exe").parent_path() / "libvtlui.so").string(),
                                           error);
        ASSERT_TRUE(module_) << error;
        auto& entries = vtlhost::galleryEntries();
        entries.push_back({"sample",
                           "The sample dialog.",
                           100,
                           [] {
                               VtlSampleData data;
                               StartDlgSample(data);
                           },
                           {}});
        entries.push_back({"macro-EndPlate",
                           "The end plate.",
                           kMacroDialog,
                           [this] {
                               MacroData macro;
                               std::string error;
                               if (!readLibraryMacro("EndPlate", macro, error)) return;
                               placed_ = vtl::base::DrawingModel::get().placeMacro(macro);
                               StartDlgMacro(macro);
                           },
                           {}});
        vtlhost::shelve(entries, vtlhost::GalleryGroup::ConnectionMacros, "End plate");
    }
    void TearDown() override {
        vtlhost::galleryEntries().clear();
        module_.reset();
        Fixture::TearDown();
    }

    // Runs the workbench on this thread (the UI thread) while `person` acts from another; the workbench
    // stops when the person is done.
    void serve(vtlhost::Workbench& bench, const std::function<void(Person&)>& person) {
        std::thread other([&] {
            Person p(bench.port());
            person(p);
            bench.stop();
        });
        bench.run();
        other.join();
    }

    static constexpr int kMacroDialog = 8131;
    static constexpr int kPlateThickness = 33001;
    std::unique_ptr<host::LoadedModule> module_;
    AcDbObjectId placed_;
};

TEST_F(WorkbenchServer, APersonOpensAMacroChangesAValueAndSeesTheFrameAndTheJournalChange) {
    vtlhost::Workbench bench;
    std::string error;
    ASSERT_TRUE(bench.bind(0, error)) << error;
    ASSERT_GT(bench.port(), 0);
    serve(bench, [&](Person& p) {
        // The page and the start list.
        const auto page = p.get("/");
        ASSERT_EQ(p.status(page), 200);
        EXPECT_NE(page->body.find("/workbench.js"), std::string::npos);
        EXPECT_EQ(p.status(p.get("/workbench.js")), 200);
        const auto dialogs = p.get("/dialogs");
        ASSERT_EQ(p.status(dialogs), 200);
        // By group, in the groups' order; an entry registered without a group under "Other dialogs", titled
        // by its name.
        const Json groups = Json::parse(dialogs->body)["groups"];
        ASSERT_EQ(groups.size(), 2u);
        EXPECT_EQ(groups[0]["title"], "Connection macros");
        EXPECT_FALSE(groups[0]["purpose"].get<std::string>().empty());
        ASSERT_EQ(groups[0]["dialogs"].size(), 1u);
        EXPECT_EQ(groups[0]["dialogs"][0]["name"], "macro-EndPlate");
        EXPECT_EQ(groups[0]["dialogs"][0]["title"], "End plate");
        EXPECT_EQ(groups[0]["dialogs"][0]["template"], kMacroDialog);
        EXPECT_EQ(groups[1]["title"], "Other dialogs");
        EXPECT_EQ(groups[1]["dialogs"][0]["title"], "Sample");
        EXPECT_EQ(groups[1]["dialogs"][0]["purpose"], "The sample dialog.");

        ASSERT_EQ(p.status(p.post("/open?name=macro-EndPlate")), 200);
        Json view = p.waitFor([](const Json& v) { return controlText(v, kMacroDialog, kPlateThickness) == "15.00"; });
        EXPECT_EQ(view["open"], "macro-EndPlate");
        // The picture is the dialog with the margin around it, at its own size.
        const Json dialogRect = (*windowWith(view, kMacroDialog))["rect"];
        EXPECT_EQ(view["screen"]["x"], dialogRect[0].get<int>() - 12);
        EXPECT_EQ(view["screen"]["y"], dialogRect[1].get<int>() - 12);
        EXPECT_EQ(view["screen"]["width"], dialogRect[2].get<int>() - dialogRect[0].get<int>() + 24);
        EXPECT_EQ(view["screen"]["height"], dialogRect[3].get<int>() - dialogRect[1].get<int>() + 24);
        const std::uint64_t frameBefore = view["frame"];
        // A second dialog waits until this one is closed.
        const auto second = p.post("/open?name=sample");
        EXPECT_EQ(p.status(second), 409);
        EXPECT_EQ(p.error(second), "the dialog macro-EndPlate is open; close it before opening another");

        // Click the field, select its text, type the new thickness and press Enter, as the page sends them.
        const Json* field = controlIn(*windowWith(view, kMacroDialog), kPlateThickness);
        ASSERT_TRUE(field);
        ASSERT_EQ(p.status(p.post("/input", clickOn(*field).dump())), 200);
        ASSERT_EQ(p.status(p.post("/input", R"([{"type":"key","key":"Home"},{"type":"keydown","key":"Shift"},
            {"type":"key","key":"End","modifiers":["shift"]},{"type":"keyup","key":"Shift"}])")),
                  200);
        ASSERT_EQ(p.status(p.post("/input", R"({"type":"text","text":"18"})")), 200);
        ASSERT_EQ(p.status(p.post("/input", R"({"type":"key","key":"Enter"})")), 200);
        view = p.waitFor([](const Json& v) {
            return v.value("journalLast", std::string()).find("UpdateModule(Plate, 0, ) -> true") != std::string::npos &&
                   controlText(v, kMacroDialog, kPlateThickness) == "18.00";
        });
        EXPECT_GT(view["frame"].get<std::uint64_t>(), frameBefore);
        // The Enter's journal lines are the last action's; what opening wrote is before them.
        EXPECT_NE(view["journalLast"].get<std::string>().find("UpdateModule(Plate"), std::string::npos)
            << view["journalLast"];
        EXPECT_EQ(view["journal"].get<std::string>().find("UpdateModule(Plate"), std::string::npos);
        const auto png = p.get("/frame.png?frame=" + std::to_string(view["frame"].get<std::uint64_t>()));
        ASSERT_EQ(p.status(png), 200);
        EXPECT_EQ(png->body.substr(1, 3), "PNG");
        EXPECT_EQ(png->get_header_value("X-Frame-Sequence"), std::to_string(view["frame"].get<std::uint64_t>()));
        // The PNG's own size (bytes 16 to 23 of its header) is the crop's.
        const auto be32 = [&](std::size_t at) {
            return (std::uint8_t(png->body[at]) << 24) | (std::uint8_t(png->body[at + 1]) << 16) |
                   (std::uint8_t(png->body[at + 2]) << 8) | std::uint8_t(png->body[at + 3]);
        };
        EXPECT_EQ(be32(16), view["screen"]["width"].get<int>());
        EXPECT_EQ(be32(20), view["screen"]["height"].get<int>());
        // A move over the dialog's caption changes no pixel: no new picture is published for it.
        const int capX = dialogRect[0].get<int>() + 60, capY = dialogRect[1].get<int>() + 10;
        ASSERT_EQ(p.status(p.post("/input", Json{{"type", "mousemove"}, {"x", capX}, {"y", capY}}.dump())), 200);
        ASSERT_EQ(p.status(p.post("/input", Json{{"type", "mousemove"}, {"x", capX + 5}, {"y", capY}}.dump())), 200);
        std::this_thread::sleep_for(300ms);
        const auto quiet = p.get("/frame.json");
        ASSERT_EQ(p.status(quiet), 200);
        EXPECT_EQ(Json::parse(quiet->body)["frame"], view["frame"]);
        EXPECT_EQ(p.status(p.get("/frame.png?frame=999999")), 404);
        // A browser accepts brotli; the view still goes out as it is, since compressing it took longer than
        // the whole action it shows.
        const auto plain = p.get("/frame.json", {{"Accept-Encoding", "gzip, deflate, br"}});
        ASSERT_EQ(p.status(plain), 200);
        EXPECT_FALSE(plain->has_header("Content-Encoding")) << plain->get_header_value("Content-Encoding");

        // OK closes the dialog; the start list may open another.
        ASSERT_EQ(p.status(p.post("/input", clickOn(*controlIn(*windowWith(view, kMacroDialog), IDOK)).dump())), 200);
        view = p.waitFor([](const Json& v) { return !windowWith(v, kMacroDialog) && v["open"] == ""; });
        EXPECT_EQ(view["status"], "macro-EndPlate closed");
    });
    // The change reached the drawing through the module, not only the picture.
    const MacroData* instance = vtl::base::DrawingModel::get().instance(placed_);
    ASSERT_TRUE(instance);
    EXPECT_EQ(instance->tabs[0].cells[0].value.str(), "18.00");
}

TEST_F(WorkbenchServer, FilesWrittenAreListedAndDownloadedAndAResetStartsAgainOnAFreshLibrary) {
    vtlhost::Workbench bench;
    bench.useLibrary(kSamples.string(), libraryDir().string());
    std::string error;
    ASSERT_TRUE(bench.bind(0, error)) << error;
    const fs::path written = libraryDir() / "Macros" / "EndPlate-copy.txt";
    serve(bench, [&](Person& p) {
        ASSERT_EQ(p.status(p.post("/open?name=macro-EndPlate")), 200);
        Json view = p.waitFor([](const Json& v) { return controlText(v, kMacroDialog, kPlateThickness) == "15.00"; });
        // What a dialog saves in the library shows in the list and downloads as it is.
        { std::ofstream(written, std::ios::binary) << "EndPlate copy\r\n"; }
        const Json* field = controlIn(*windowWith(view, kMacroDialog), kPlateThickness);
        ASSERT_EQ(p.status(p.post("/input", clickOn(*field).dump())), 200);
        ASSERT_EQ(p.status(p.post("/input", R"([{"type":"key","key":"Home"},{"type":"key","key":"End","modifiers":["shift"]},
            {"type":"text","text":"20"},{"type":"key","key":"Enter"}])")), 200);
        view = p.waitFor([](const Json& v) {
            return !v["files"].empty() && v["journalLast"].get<std::string>().find("UpdateModule") != std::string::npos;
        });
        ASSERT_EQ(view["files"].size(), 1u) << view["files"];
        EXPECT_EQ(view["files"][0]["path"], "Macros/EndPlate-copy.txt");
        EXPECT_EQ(view["files"][0]["state"], "new");
        const auto file = p.get("/file?path=Macros/EndPlate-copy.txt");
        ASSERT_EQ(p.status(file), 200);
        EXPECT_EQ(file->body, "EndPlate copy\r\n");
        EXPECT_NE(file->get_header_value("Content-Disposition").find("EndPlate-copy.txt"), std::string::npos);
        EXPECT_EQ(p.status(p.get("/file?path=..%2F..%2Fetc%2Fpasswd")), 403);
        EXPECT_EQ(p.status(p.get("/file?path=%2Fetc%2Fpasswd")), 403);
        EXPECT_EQ(p.status(p.get("/file?path=Macros/none.txt")), 404);

        // Starting again cancels the open dialog and brings back the library, an empty journal and line.
        const auto reset = p.post("/reset");
        ASSERT_EQ(p.status(reset), 200) << p.error(reset);
        view = p.waitFor([](const Json& v) {
            return v["open"] == "" && v["status"] == "started again on a fresh copy of the sample library";
        });
        EXPECT_FALSE(windowWith(view, kMacroDialog));
        EXPECT_TRUE(view["files"].empty());
        EXPECT_EQ(view["journal"].get<std::string>() + view["journalLast"].get<std::string>(), "");
        EXPECT_EQ(view["screen"]["width"], 0);
        // The dialogs open again, on the fresh library.
        ASSERT_EQ(p.status(p.post("/open?name=macro-EndPlate")), 200);
        p.waitFor([](const Json& v) { return controlText(v, kMacroDialog, kPlateThickness) == "15.00"; });
        ASSERT_EQ(p.status(p.post("/input", R"({"type":"key","key":"Escape"})")), 200);
        p.waitFor([](const Json& v) { return v["open"] == ""; });
    });
    expectUnanswered("unanswered dialog 8131");
    EXPECT_FALSE(fs::exists(written));
    EXPECT_TRUE(fs::exists(libraryDir() / "Macros" / "EndPlate.macro"));
}

TEST_F(WorkbenchServer, RequestsItCannotUseAreRefusedWithAReason) {
    vtlhost::Workbench bench;
    std::string error;
    ASSERT_TRUE(bench.bind(0, error)) << error;
    serve(bench, [&](Person& p) {
        EXPECT_EQ(p.status(p.post("/input", "{\"type\":\"key\",\"key\":\"Hyper\"}")), 400);
        EXPECT_EQ(p.error(p.post("/input", "not json")), "the body is not JSON");
        EXPECT_EQ(p.status(p.post("/open?name=no-such-dialog")), 404);
        EXPECT_EQ(p.status(p.post("/open")), 400);
        EXPECT_EQ(p.status(p.get("/frame.json?after=soon")), 400);
        EXPECT_EQ(p.status(p.get("/no-such-page")), 404);
        // A page of another site, or a name rebound to this machine, gets nothing.
        httplib::Client raw("127.0.0.1", bench.port());
        const auto rebound = raw.Get("/frame.json", {{"Host", "attacker.example:" + std::to_string(bench.port())}});
        EXPECT_EQ(rebound ? rebound->status : -1, 403);
        const auto foreign = raw.Post("/open?name=sample", {{"Origin", "http://attacker.example"}}, "", "text/plain");
        EXPECT_EQ(foreign ? foreign->status : -1, 403);
        // None of it opened a window.
        const Json view = p.waitFor([](const Json& v) { return v.contains("tree"); });
        EXPECT_EQ(view["open"], "");
        EXPECT_FALSE(windowWith(view, 100));
    });
}

TEST_F(WorkbenchServer, AStopEndsAnOpenDialogAndTheServerAndATakenPortIsRefused) {
    vtlhost::Workbench bench;
    std::string error;
    ASSERT_TRUE(bench.bind(0, error)) << error;
    {
        vtlhost::Workbench second;
        EXPECT_FALSE(second.bind(bench.port(), error));
        EXPECT_NE(error.find("the port is in use"), std::string::npos) << error;
        EXPECT_FALSE(second.bind(70000, error));
    }
    const int port = bench.port();
    serve(bench, [&](Person& p) {
        ASSERT_EQ(p.status(p.post("/open?name=sample")), 200);
        p.waitFor([](const Json& v) { return windowWith(v, 100) != nullptr; });
    });  // serve() stops the workbench with the dialog still open
    expectUnanswered("unanswered dialog 100");
    // The port is free again: nothing listens there.
    httplib::Client after("127.0.0.1", port);
    after.set_connection_timeout(2s);
    EXPECT_FALSE(after.Get("/dialogs"));
}

}  // namespace
}  // namespace vtl::test
