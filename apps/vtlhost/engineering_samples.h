#pragma once
// The engineering dialogs' side of the demo host: the sample model's levels (a levels file of the library,
// "Levels\<model>.lvl", standing in for the levels a drawing holds) and reports of levels and DSTV point
// groups for stories.
#include <functional>
#include <iosfwd>
#include <string>

#include "vtlbase/levels/ks_levels_dlg_data.h"

namespace vtlhost {

// The sample model whose levels the gallery and the workbench open.
inline constexpr const char* kSampleModel = "Office building";

// The levels file of a model in the current library folder.
Vtl_String modelLevelsPath(const std::string& model);
// Reads a model's levels; false with a reason when there is no such model or its file is damaged.
bool readModelLevels(const std::string& model, KsLevelsDlgData& levels, std::string& error);

// One line per level: its name, height above its reference and absolute level.
void printLevels(const KsLevelsDlgData& levels, std::ostream& out, const char* indent);
// Every DSTV point group of the library, the standard one marked, with each point's placement, plate,
// distance from the edge and hole.
void printDstvGroups(std::ostream& out, const char* indent);

// Plays a story that opens the levels dialog on a model (as the add-on's levels command does: the model's
// levels in, on OK the levels stored back) or the DSTV point groups; reports what the dialog handed back.
// `play` runs the dialog under the story's steps. False when the model cannot be read.
bool playLevels(const std::string& model, std::ostream& out, const std::function<void(const std::function<void()>&)>& play);
void playDstvPoints(std::ostream& out, const std::function<void(const std::function<void()>&)>& play);

}  // namespace vtlhost
