#pragma once
// The section library's side of the demo host: the gallery entries of the library editors and the
// stories that open them on the sample library's section tables.
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "gallery.h"

namespace vtlhost {

void registerLibraryEntries(std::vector<GalleryEntry>& entries);

using LibraryPlay = std::function<void(const std::function<void()>&)>;
// `open new-size <type> <size>`: the simple library editor on prof\<type>.pr starting from that size; on
// OK the table is written back, as the add-on's library command does, and the new size is printed.
bool playNewSize(const std::string& type, const std::string& size, std::ostream& out, const LibraryPlay& play);
// `open section-library [<section>] [then-selector]`: the section library editor on the library's
// catalogue (prof\Sections.lib), on the values table and size of the section when one is given; on OK the
// catalogue is stored back and printed. With `then-selector` the section selector opens next, as the
// detailer looks for what was added.
bool playSectionLibrary(const std::vector<std::string>& args, std::ostream& out, const LibraryPlay& play);

}  // namespace vtlhost
