#include "designer_samples.h"

#include <cmath>
#include <optional>
#include <ostream>

#include "vtlbase/files/file_io.h"
#include "vtlui/vtl_dlg_designer_data.h"
#include "vtlui/vtlui.h"
#include "win/api.h"
#include "win/keys.h"
#include "win/script.h"

namespace vtlhost {
namespace {
using vtl::win::ctrl;
using vtl::win::Script;

constexpr int kInputTextTemplate = 8069;
constexpr int kAdd = 1300, kTypeList = 1005;

// A point of the active window's client area, found when the step is taken.
vtl::win::Target clientPoint(int x, int y) {
    return vtl::win::located("point " + std::to_string(x) + "," + std::to_string(y) + " of the dialog",
                             [x, y]() -> std::optional<POINT> {
                                 const HWND active = ::GetActiveWindow();
                                 if (!active) return std::nullopt;
                                 POINT p{x, y};
                                 ::ClientToScreen(active, &p);
                                 return p;
                             });
}

int pixels(double v) { return static_cast<int>(std::lround(v)); }
}  // namespace

void registerDesignerEntries(std::vector<GalleryEntry>& entries) {
    entries.push_back(
        {"designer",
         "The dialog designer on the end plate's design: the picture with the designed controls, a field selected "
         "with its type, cell and place in the tab order, a label with its optional cell, controls selected with a "
         "rubber band, moved together and the move undone, a new control and its width, and the question on closing "
         "with changes.",
         kDesignerTemplate,
         [] { StartDlgDesigner(getDesignerRootFolder() + "EndPlate.txt"); },
         {{"end-plate", nullptr},
          {"field-selected", [](Script& s) { s.click(ctrl(33001)); }},
          {"label-selected", [](Script& s) { s.click(ctrl(33000)); }},
          {"rubber-band", [](Script& s) { s.drag(clientPoint(240, 4), clientPoint(456, 62)); }},
          {"moved", [](Script& s) { s.dragBy(ctrl(33001), -226, 140); }},
          {"move-undone", [](Script& s) { s.key('Z', vtl::win::ModCtrl); }},
          {"new-control", [](Script& s) { s.click(ctrl(kAdd)); }},
          {"width", [](Script& s) { s.click(ctrl(1306)).waitFor(vtl::win::dialogWithTemplate(kInputTextTemplate)); }},
          {"save-question", [](Script& s) {
               s.key(VK_ESCAPE)
                   .waitFor(vtl::win::dialogWithTemplate(kDesignerTemplate))
                   .click(ctrl(IDOK))
                   .waitFor(vtl::win::messageBoxContaining("Save the changes"));
           }}},
         [](Script& s) { s.answer(IDNO); }});
    shelve(entries, GalleryGroup::DesignedDialogs, "Dialog designer on the end plate's design");
    entries.push_back({"designer-new-design",
                       "The dialog designer on a new design, before it has a name or a picture: the controls are "
                       "laid out on the surface itself; a check box bound to a cell with its default.",
                       kDesignerTemplate,
                       [] { StartDlgDesigner(""); },
                       {{"empty", nullptr},
                        {"check-box", [](Script& s) {
                             s.click(ctrl(kAdd))
                                 .select(ctrl(kTypeList), "Check box (cell)")
                                 .click(ctrl(1306))
                                 .waitFor(vtl::win::dialogWithTemplate(kInputTextTemplate))
                                 .type("80")
                                 .key(VK_RETURN)
                                 .waitFor(vtl::win::dialogWithTemplate(kDesignerTemplate));
                         }}},
                       [](Script& s) {
                           s.click(ctrl(IDOK)).waitFor(vtl::win::messageBoxContaining("Save the changes")).answer(IDNO);
                       }});
    shelve(entries, GalleryGroup::DesignedDialogs, "Dialog designer on a new design");
}

void printDesign(const std::string& path, std::ostream& out, const char* indent) {
    Vtl_DlgDesignerData design;
    if (!design.readFromFile(Vtl_String(path), true)) {
        out << indent << "(cannot be read)\n";
        return;
    }
    for (int i = 0; i < design.getNrControls(); ++i) {
        const Vtl_DesignerControl& c = *design.getControl(i);
        out << indent << i << ": type " << c.type << " \"" << c.contents.str() << "\"";
        const Vtl_String list = c.getMergedExtComboList();
        if (!list.isEmpty()) out << " list \"" << list.str() << "\"";
        out << " at " << pixels(design.getTopLeftX(c)) << "," << pixels(design.getTopLeftY(c)) << " - "
            << pixels(design.getBottomRightX(c)) << "," << pixels(design.getBottomRightY(c)) << "\n";
    }
    if (design.getNrControls() == 0) out << indent << "(no controls)\n";
}

bool playDesigner(const std::string& name, std::ostream& out, const std::function<void(const std::function<void()>&)>& play) {
    const bool fresh = name == "new";
    Vtl_String path;
    if (!fresh) {
        Vtl_StringArray designs;
        getModuleImages(designs);
        if (!designs.contains(Vtl_String(name))) {
            out << "There is no design \"" << name << "\" in the library\n";
            return false;
        }
        path = getDesignerRootFolder() + Vtl_String(name) + ".txt";
    }
    out << "Opened the dialog designer on " << (fresh ? std::string("a new design") : "the design \"" + name + "\"") << "\n";
    bool closed = false;
    play([&] { closed = StartDlgDesigner(path); });
    out << "Designer ended with " << (closed ? "Close" : "Cancel") << "\n";
    if (!fresh) {
        out << "\nThe design on disk:\n";
        printDesign(path.str(), out, "  ");
    }
    return true;
}

}  // namespace vtlhost
