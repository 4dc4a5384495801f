#pragma once
// The macro cuts dialog and the select-macro dialog in the demo host. The host stands in for the add-on's
// commands: "new cut" and "edit cut" on a macro placed in the drawing (the cut is made in the drawing after
// OK), and "place a macro", which offers the library's connection macros with their filter.
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "gallery.h"

namespace vtlhost {

void registerMacroChoiceEntries(std::vector<GalleryEntry>& entries);

// Stories: `open macro-cut <macro> <module> [<cut>]` (a new cut on that module of the macro placed in the
// drawing, or the existing cut of that name: the sample end plate's plate has "Beam end" and the beam
// splice's web plates "Web cope") and `open select-macro` (the library's macros with the filter).
// False with the reason written when the macro or the cut does not exist.
bool playMacroCut(const std::vector<std::string>& args, std::ostream& out,
                  const std::function<void(const std::function<void()>&)>& play);
void playSelectMacro(std::ostream& out, const std::function<void(const std::function<void()>&)>& play);

}  // namespace vtlhost
