#pragma once
// The built-in section shapes of a values table: codes 1 to 17, each with the names of the dimension
// columns a table of that shape carries after the language columns. A table's shape is either such a code
// (in decimal) or the name of a drawing ending in ".dwg". In lists a code is shown as "<" + its name + ">".
#include "frame/vtlbase.h"

namespace vtl::ui {

constexpr int kFirstShapeCode = 1;
constexpr int kLastShapeCode = 17;

// The code of a stored shape, or 0 for a drawing name or anything that is no code 1 to 17.
int shapeCode(const Vtl_String& shape);
bool isDrawingShape(const Vtl_String& shape);
// The dimension column names of a code (empty outside 1 to 17).
Vtl_StringArray shapeDimensionNames(int code);
// "<" + name + ">" for a code 1 to 17.
Vtl_String shapeCodeText(int code);
// A stored shape as a list shows it: a drawing name unchanged, anything else read as a code.
Vtl_String shapeDisplayText(const Vtl_String& shape);
// A list text back into a stored shape: a drawing name unchanged, the code of a built-in shape's text,
// "-1" for any other text.
Vtl_String shapeFromDisplayText(const Vtl_String& text);
// "SysName", "I/O", the languages, then for a built-in shape its dimension names.
Vtl_StringArray expectedColumnNames(const Vtl_String& shape);

}  // namespace vtl::ui
