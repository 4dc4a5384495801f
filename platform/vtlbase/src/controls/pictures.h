#pragma once
// Pictures of the control helpers: a .bmp file (module path) fitted into a box. Private to vtlbase.
#include "vtlbase/vtl_string.h"
#include "win/gdi.h"

namespace vtl::base::controls {
// The picture scaled to fit width x height with its proportions kept, centred on `background`; a picture
// smaller than the box keeps its size. Without a picture (missing or unreadable file) the box shows the
// background inside a grey frame. Null only when the box is empty. The caller deletes the bitmap.
HBITMAP fittedPicture(const Vtl_String& path, int width, int height, COLORREF background, bool* loaded = nullptr);
}  // namespace vtl::base::controls
