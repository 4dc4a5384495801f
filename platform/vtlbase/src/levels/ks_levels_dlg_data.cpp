#include "vtlbase/levels/ks_levels_dlg_data.h"

#include <vector>

#include "../file_numbers.h"
#include "vtlbase/file_functions.h"

void KsLevelsDlgData::getNames(Vtl_StringArray& names) const {
    names.removeAll();
    for (const Level& level : levels_) names.append(level.name);
}

bool KsLevelsDlgData::getLevelData(int index, Vtl_String& name, Vtl_String& reference, double& value1,
                                   double& value2) const {
    if (index < 0 || index >= count()) return false;
    const Level& level = levels_[static_cast<std::size_t>(index)];
    name = level.name;
    reference = level.reference;
    value1 = level.value;
    value2 = absoluteLevel(index);
    return true;
}

void KsLevelsDlgData::addLevel(const Vtl_String& name, int& index) {
    levels_.push_back({name, Vtl_String(), 0.0});
    index = count() - 1;
}

bool KsLevelsDlgData::deleteLevel(int index) {
    if (index < 0 || index >= count()) return false;
    const Level gone = levels_[static_cast<std::size_t>(index)];
    for (Level& level : levels_) {
        if (&level == &levels_[static_cast<std::size_t>(index)] || !level.reference.equal(gone.name)) continue;
        level.reference = gone.reference;
        level.value += gone.value;
    }
    levels_.erase(levels_.begin() + index);
    return true;
}

bool KsLevelsDlgData::updateLevel(int index, double value1) {
    if (index < 0 || index >= count()) return false;
    levels_[static_cast<std::size_t>(index)].value = value1;
    return true;
}

bool KsLevelsDlgData::updateLevel(int index, const Vtl_String& reference) {
    if (index < 0 || index >= count()) return false;
    levels_[static_cast<std::size_t>(index)].reference = reference;
    return true;
}

int KsLevelsDlgData::find(const Vtl_String& name) const {
    for (int i = 0; i < count(); ++i)
        if (levels_[static_cast<std::size_t>(i)].name == name) return i;
    return -1;
}

double KsLevelsDlgData::absoluteLevel(int index) const {
    // Follow the references down to the origin; a level met twice closes a circle, which ends there.
    std::vector<char> seen(levels_.size(), 0);
    double total = 0;
    for (int i = index; i >= 0 && !seen[static_cast<std::size_t>(i)];) {
        seen[static_cast<std::size_t>(i)] = 1;
        const Level& level = levels_[static_cast<std::size_t>(i)];
        total += level.value;
        if (level.reference.isEmpty() || level.reference == Vtl_String(kOrigin)) break;
        i = find(level.reference);
    }
    return total;
}

bool KsLevelsDlgData::readFromFile(const Vtl_String& path) {
    Vtl_String fileName;
    Vtl_Array<Vtl_StringArray> rows;
    if (!readFile(path, fileName, rows)) return false;
    std::vector<Level> read;
    for (const Vtl_StringArray& row : rows) {
        if (row.length() != 3 || row[0].isEmpty()) return false;
        const auto value = vtl::base::fileNumberValue(row[2]);
        if (!value) return false;
        read.push_back({row[0], row[1], *value});
    }
    levels_ = std::move(read);
    currentLevel = -1;
    newLevel = false;
    return true;
}

bool KsLevelsDlgData::writeToFile(const Vtl_String& path) const {
    Vtl_Array<Vtl_StringArray> rows;
    for (const Level& level : levels_)
        rows.append(Vtl_StringArray{level.name, level.reference, Vtl_String(vtl::base::fileNumber(level.value))});
    return writeFile(path, rows);
}
