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
#include <functional>
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

    httplib::Result get(const std::string& path) { return client_.Get(path.c_str()); }
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
        const Json list = Json::parse(dialogs->body);
        ASSERT_EQ(list.size(), 2u);
        EXPECT_EQ(list[1]["name"], "macro-EndPlate");
        EXPECT_EQ(list[1]["template"], kMacroDialog);

        ASSERT_EQ(p.status(p.post("/open?name=macro-EndPlate")), 200);
        Json view = p.waitFor([](const Json& v) { return controlText(v, kMacroDialog, kPlateThickness) == "15.00"; });
        EXPECT_EQ(view["open"], "macro-EndPlate");
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
            return v.value("journal", std::string()).find("UpdateModule(Plate, 0, ) -> true") != std::string::npos &&
                   controlText(v, kMacroDialog, kPlateThickness) == "18.00";
        });
        EXPECT_GT(view["frame"].get<std::uint64_t>(), frameBefore);
        const auto png = p.get("/frame.png");
        ASSERT_EQ(p.status(png), 200);
        EXPECT_EQ(png->body.substr(1, 3), "PNG");
        EXPECT_EQ(png->get_header_value("X-Frame-Sequence"), std::to_string(view["frame"].get<std::uint64_t>()));

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
