#include "vtlbase/dstv/dlg_dstv_points.h"

#include <string>

#include "../file_numbers.h"
#include "vtlbase/file_functions.h"
#include "vtlbase/files/file_io.h"
#include "vtlbase/files/paths.h"
#include "vtlbase/properties_list.h"
#include "vtlbase/settings.h"

namespace {
namespace files = vtl::base::files;
using vtl::base::fileFlag;
using vtl::base::fileInteger;
using vtl::base::fileNumber;
using vtl::base::fileNumberValue;

constexpr const char* kFolder = "DSTV Points\\";
constexpr const char* kExtension = ".dat";
constexpr const char* kStandardFile = "standard.ini";
constexpr const char* kStandardKey = "standard";
constexpr int kFields = 12;

Vtl_String flag(bool on) { return Vtl_String(on ? "1" : "0"); }
Vtl_String number(int value) { return Vtl_String(value); }
Vtl_String number(double value) { return Vtl_String(fileNumber(value)); }

Vtl_StringArray pointRow(const Vtl_DstvPointInfo& p) {
    bool byExtent = false, byIntersection = false, middle = false, drill = false, byThickness = false;
    KsDstvPointSideSelection side1{}, side2{}, side{};
    short plate = 0;
    double distance = 0, diameter = 0;
    p.getSelectGeomExtent(byExtent, side1, side2);
    p.getSelectIntersGeom(byIntersection, middle, side);
    p.getPlateSelection(plate, distance);
    p.getDrillFullHole(drill, byThickness, diameter);
    Vtl_StringArray row;
    for (const Vtl_String& cell : {p.getName(), flag(byExtent), number(side1), number(side2), flag(byIntersection),
                                   flag(middle), number(side), number(plate), number(distance), flag(drill),
                                   flag(byThickness), number(diameter)})
        row.append(cell);
    return row;
}

bool pointFromRow(const Vtl_StringArray& row, Vtl_DstvPointInfo& point) {
    if (row.length() != kFields) return false;
    const auto side = [&](int i) { return fileInteger(row[i], kDstvSideTop, kDstvSideBack); };
    const auto byExtent = fileFlag(row[1]), byIntersection = fileFlag(row[4]), middle = fileFlag(row[5]);
    const auto drill = fileFlag(row[9]), byThickness = fileFlag(row[10]);
    const auto side1 = side(2), side2 = side(3), intersectionSide = side(6);
    const auto plate = fileInteger(row[7], 0, Vtl_DstvPointInfo::kPlateChoices - 1);
    const auto distance = fileNumberValue(row[8]), diameter = fileNumberValue(row[11]);
    if (!byExtent || !byIntersection || !middle || !drill || !byThickness || !side1 || !side2 || !intersectionSide ||
        !plate || !distance || !diameter)
        return false;
    point.setName(row[0]);
    point.setSelectGeomExtent(*byExtent, static_cast<KsDstvPointSideSelection>(*side1),
                              static_cast<KsDstvPointSideSelection>(*side2));
    point.setSelectIntersGeom(*byIntersection, *middle, static_cast<KsDstvPointSideSelection>(*intersectionSide));
    point.setPlateSelection(static_cast<short>(*plate), *distance);
    point.setDrillFullHole(*drill, *byThickness, *diameter);
    return true;
}
}  // namespace

Vtl_String DlgDstvPoints::getDstvPointsFolder() const { return gSettings.libDir() + kFolder; }

Vtl_String DlgDstvPoints::groupFilePath(const Vtl_String& name) const {
    std::string reason;
    if (!files::validFileName(name.str(), reason)) return Vtl_String();
    return getDstvPointsFolder() + name + kExtension;
}

void DlgDstvPoints::getAllDstvPointsFiles(Vtl_StringArray& names) const {
    names.removeAll();
    for (const std::string& file : files::findFiles(getDstvPointsFolder().view(), std::string("*") + kExtension))
        names.append(removeExtension(Vtl_String(file)));
}

Vtl_String DlgDstvPoints::getStandardDstvPointsFile() const {
    Vtl_PropertiesList settings;
    Vtl_String name;
    if (settings.readFromFile(getDstvPointsFolder() + kStandardFile)) settings.getProperty(kStandardKey, name);
    return name;
}

bool DlgDstvPoints::setStandardDstvPointsFile(const Vtl_String& name) {
    const Vtl_String extension(kExtension);
    const bool hasExtension = name.endsWith(extension, false);
    const Vtl_String group = hasExtension ? name.getSubStringAt(0, name.length() - extension.length()) : name;
    if (groupFilePath(group).isEmpty()) return false;
    const Vtl_String file = hasExtension ? name : name + extension;
    const Vtl_String path = getDstvPointsFolder() + kStandardFile;
    Vtl_PropertiesList settings;
    settings.readFromFile(path);  // other entries stay; a missing file starts empty
    settings.setProperty(kStandardKey, file);
    std::string error;
    if (!files::createFolder(getDstvPointsFolder().view(), error)) return false;
    return settings.writeToFile(path);
}

bool DlgDstvPoints::readFromFile(const Vtl_String& name, Vtl_Array<Vtl_DstvPointInfo>& points) const {
    const Vtl_String path = groupFilePath(name);
    if (path.isEmpty()) return false;
    Vtl_String fileName;
    Vtl_Array<Vtl_StringArray> rows;
    if (!readFile(path, fileName, rows)) return false;
    Vtl_Array<Vtl_DstvPointInfo> read;
    for (const Vtl_StringArray& row : rows) {
        if (row.length() == 1 && row[0].isEmpty()) continue;  // an empty line holds no point
        Vtl_DstvPointInfo point;
        if (!pointFromRow(row, point)) return false;
        read.append(point);
    }
    points = std::move(read);
    return true;
}

bool DlgDstvPoints::writeToFile(const Vtl_String& name, const Vtl_Array<Vtl_DstvPointInfo>& points) const {
    const Vtl_String path = groupFilePath(name);
    if (path.isEmpty()) return false;
    std::string error;
    if (!files::createFolder(getDstvPointsFolder().view(), error)) return false;
    Vtl_Array<Vtl_StringArray> rows;
    for (const Vtl_DstvPointInfo& point : points) rows.append(pointRow(point));
    return writeFile(path, rows);
}
