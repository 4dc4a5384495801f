#pragma once
// Vtl_MacroPropsFilter: which connection macros of the library are offered for placing. The macros are
// drawings under the library's "Macros\" folder, one sub-folder per macro module ("Macros\<module>\*.dwg");
// each drawing names its properties on a line "Properties: Bolted; Shear". Modules and properties are
// switched on and off: a macro is offered while its module is on and none of its properties is off.
#include <map>
#include <string>
#include <vector>

#include "host/ac_array.h"
#include "vtlbase/export.h"
#include "vtlbase/vtl_array.h"
#include "vtlbase/vtl_string.h"
#include "vtlbase/vtl_string_array.h"

class VTLBASE_API Vtl_MacroPropsFilter {
public:
    int previewWidth = 120;
    int previewHeight = 120;

    // The modules offered, in order, with their states (a missing state is on). An empty list offers every
    // module folder of the library, all on. Reads the macro drawings of those modules.
    void initialize(const Vtl_StringArray& moduleNames, const AcArray<bool>& states, int width, int height);
    // Every macro drawing of the modules offered, full paths, in module order then by name.
    bool getAllDwgFiles(Vtl_StringArray& files) const;
    // The drawings that pass the filter now.
    bool getFilteredMacros(Vtl_StringArray& files) const;
    // One row per module: its name, then the names of its macros' properties (sorted); `states` gives each
    // entry's on/off state, `counts` the number of macros with the module (first entry) or the property.
    // False when no module is offered.
    bool getMergedProperties(Vtl_Array<Vtl_StringArray>& modules, Vtl_Array<AcArray<bool>>& states,
                             Vtl_Array<Vtl_Array<int>>& counts) const;
    // False for a module (or property of it) that is not offered.
    bool setModuleStatus(const Vtl_String& module, bool on);
    bool setModulePropStatus(const Vtl_String& module, const Vtl_String& property, bool on);

private:
    struct Macro {
        std::string file;
        std::vector<std::string> properties;
    };
    struct Module {
        std::string name;
        bool on = true;
        std::vector<Macro> macros;
        std::map<std::string, bool> propertyOn;  // by property name
    };
    Module* findModule(const Vtl_String& name);
    std::vector<Module> modules_;
};

// Writes for each macro drawing that has no picture of its own ("<name>.bmp", any case) a generated preview
// "<name>.abm" (a bitmap of the preview size showing the macro's name). Answers the number written.
VTLBASE_API int CreatePreviewBMPs(const Vtl_StringArray& dwgFiles, int width, int height);
