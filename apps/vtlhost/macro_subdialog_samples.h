#pragma once
// The gallery entries of the macro dialog's sub-dialogs: the bolt-advanced, pattern and array dialogs and
// the open/save dialog of property lists, each opened from the sample end plate as a detailer opens it.
#include <vector>

#include "gallery.h"
#include "win/script.h"

namespace vtlhost {

// The tab item `index` of the open macro dialog, found when the step is taken.
vtl::win::Target macroTabTarget(int index);

void registerMacroSubdialogEntries(std::vector<GalleryEntry>& entries);

}  // namespace vtlhost
