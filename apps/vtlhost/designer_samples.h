#pragma once
// The dialog designer's side of the demo host: its gallery entries (a sample design with a selection and
// the property fields, a new design without a picture) and the `open designer` story.
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "gallery.h"

namespace vtlhost {

inline constexpr int kDesignerTemplate = 227;

void registerDesignerEntries(std::vector<GalleryEntry>& entries);

// Plays a story that opens the designer on a design of the library ("EndPlate", "Bracings\Gusset"), or on
// a new one for "new", as the add-on's designer command does; reports how it was closed and the design as
// it is on disk afterwards. False when the name is no design of the library.
bool playDesigner(const std::string& name, std::ostream& out, const std::function<void(const std::function<void()>&)>& play);

// The controls of the design at `path`, one per line: its place, type, contents, list text and rectangle
// in pixels of its picture.
void printDesign(const std::string& path, std::ostream& out, const char* indent);

}  // namespace vtlhost
