#pragma once
// KsLevelsDlgData: the named levels of a model, as the levels dialog edits them. A level has a name, the
// name of the level it is measured from (its reference; empty or "wcs" is the model's origin) and its
// height above that reference in millimetres (value 1). Value 2, the absolute level, follows from them:
// value 1 plus the absolute level of the reference. Names are unique and "wcs" is reserved.
#include <vector>

#include "vtlbase/export.h"
#include "vtlbase/vtl_string.h"
#include "vtlbase/vtl_string_array.h"

class VTLBASE_API KsLevelsDlgData {
public:
    // The reserved name of the model's origin.
    static constexpr const char* kOrigin = "wcs";

    // The level the dialog shows (-1: none) and whether it was added since it was shown.
    int currentLevel = -1;
    bool newLevel = false;

    int count() const { return static_cast<int>(levels_.size()); }
    // The names of all levels, in index order (the array is replaced).
    void getNames(Vtl_StringArray& names) const;
    // False, the outputs unchanged, for an invalid index.
    bool getLevelData(int index, Vtl_String& name, Vtl_String& reference, double& value1, double& value2) const;
    // Adds a level at the end, measured from the origin at height 0, and answers its index.
    void addLevel(const Vtl_String& name, int& index);
    // Deletes a level. The levels measured from it take over its reference and height, so that their
    // absolute levels stay what they were. False when there is no such level.
    bool deleteLevel(int index);
    // Value 1, the height above the reference; false for an invalid index.
    bool updateLevel(int index, double value1);
    // The reference; false for an invalid index.
    bool updateLevel(int index, const Vtl_String& reference);

    // A model's levels file: one level per line, name, reference and height separated by TAB (the
    // height with '.' whatever the locale). Reading fails, the levels unchanged, for a file that cannot be
    // read or a line that is not a level.
    bool readFromFile(const Vtl_String& path);
    bool writeToFile(const Vtl_String& path) const;

private:
    struct Level {
        Vtl_String name;
        Vtl_String reference;
        double value = 0;
    };
    // The absolute level of level `index`; a reference that names no level, or leads round in a circle,
    // counts as the origin.
    double absoluteLevel(int index) const;
    int find(const Vtl_String& name) const;

    std::vector<Level> levels_;
};
