#include "engineering_samples.h"

#include <ostream>

#include "vtlbase/dstv/dlg_dstv_points.h"
#include "vtlbase/file_functions.h"
#include "vtlbase/settings.h"
#include "vtlbase/ui_text.h"
#include "vtlui/vtlui.h"

namespace vtlhost {
namespace {
constexpr int kFirstSideText = 10046;  // the four sides, in order, from the second table

std::string side(KsDstvPointSideSelection s) { return string(kFirstSideText + s).str(); }

std::string number(double value) { return Vtl_String(value, 3).str(); }

std::string describePoint(const Vtl_DstvPointInfo& point) {
    bool byExtent = false, byIntersection = false, middle = false, drill = false, byThickness = false;
    KsDstvPointSideSelection side1{}, side2{}, intersectionSide{};
    short plate = 0;
    double distance = 0, diameter = 0;
    point.getSelectGeomExtent(byExtent, side1, side2);
    point.getSelectIntersGeom(byIntersection, middle, intersectionSide);
    point.getPlateSelection(plate, distance);
    point.getDrillFullHole(drill, byThickness, diameter);
    std::string text = point.getName().str() + ": ";
    if (byExtent) text += "by extent " + side(side1) + "/" + side(side2);
    else if (byIntersection) text += "by intersection " + (middle ? std::string("middle") : side(intersectionSide));
    else text += "not placed";
    text += ", " + (plate == 0 ? std::string("any plate") : "plate " + std::to_string(plate));
    text += ", edge " + number(distance);
    if (!drill) text += ", no hole";
    else if (byThickness) text += ", hole plate thickness + " + number(diameter);
    else text += ", hole " + number(diameter);
    return text;
}
}  // namespace

Vtl_String modelLevelsPath(const std::string& model) { return gSettings.libDir() + "Levels\\" + Vtl_String(model) + ".lvl"; }

bool readModelLevels(const std::string& model, KsLevelsDlgData& levels, std::string& error) {
    if (levels.readFromFile(modelLevelsPath(model))) return true;
    error = "the model " + model + " has no readable levels file (Levels\\" + model + ".lvl)";
    return false;
}

void printLevels(const KsLevelsDlgData& levels, std::ostream& out, const char* indent) {
    if (levels.count() == 0) out << indent << "(no levels)\n";
    for (int i = 0; i < levels.count(); ++i) {
        Vtl_String name, reference;
        double value1 = 0, value2 = 0;
        levels.getLevelData(i, name, reference, value1, value2);
        out << indent << name.str() << ": " << number(value1) << " above "
            << (reference.isEmpty() || reference == Vtl_String(KsLevelsDlgData::kOrigin) ? std::string("the origin") : reference.str())
            << ", absolute " << number(value2) << "\n";
    }
}

void printDstvGroups(std::ostream& out, const char* indent) {
    const DlgDstvPoints groups;
    Vtl_StringArray names;
    groups.getAllDstvPointsFiles(names);
    const Vtl_String standard = removeExtension(groups.getStandardDstvPointsFile());
    if (names.isEmpty()) out << indent << "(no groups)\n";
    for (const Vtl_String& name : names) {
        Vtl_Array<Vtl_DstvPointInfo> points;
        const bool read = groups.readFromFile(name, points);
        out << indent << name.str() << (name.equal(standard, false) ? " (standard)" : "") << ": ";
        if (!read) {
            out << "cannot be read\n";
            continue;
        }
        out << points.length() << (points.length() == 1 ? " point\n" : " points\n");
        for (const Vtl_DstvPointInfo& point : points) out << indent << "  " << describePoint(point) << "\n";
    }
}

bool playLevels(const std::string& model, std::ostream& out, const std::function<void(const std::function<void()>&)>& play) {
    KsLevelsDlgData levels;
    std::string error;
    if (!readModelLevels(model, levels, error)) {
        out << "Cannot open the levels: " << error << "\n";
        return false;
    }
    out << "Opened the levels dialog on the model " << model << " (" << levels.count() << " levels)\n";
    bool ok = false;
    play([&] { ok = StartDlgLevels(levels); });
    out << "Dialog ended with " << (ok ? "OK" : "Cancel") << "\n\nLevels handed back:\n";
    printLevels(levels, out, "  ");
    // The add-on's levels command gives the model its edited levels.
    if (ok && !levels.writeToFile(modelLevelsPath(model))) out << "The levels cannot be stored back\n";
    return true;
}

void playDstvPoints(std::ostream& out, const std::function<void(const std::function<void()>&)>& play) {
    out << "Opened the DSTV point groups\n";
    play([] { StartDSTVPointsDlg(); });
    out << "\nDSTV point groups afterwards:\n";
    printDstvGroups(out, "  ");
}

}  // namespace vtlhost
