#pragma once
// The constraints editor and the macro settings in the demo host, on the library's parametric column web
// stiffener ("Macros\Stiffener.pmacro") placed in the drawing.
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "gallery.h"

namespace vtlhost {

void registerConstraintsEntries(std::vector<GalleryEntry>& entries);

// Story: `open constraints <macro> [then-unload]`: the editor, modal; with then-unload the modeless editor
// beside a modeless macro dialog of the end plate, the module unloading once the steps are done. Prints
// the parametric macro and its settings afterwards. False with the reason written when the macro cannot
// be placed.
bool playConstraints(const std::vector<std::string>& args, std::ostream& out,
                     const std::function<void(const std::function<void()>&)>& play, const std::function<bool()>& stepsDone);

}  // namespace vtlhost
