// Built-in section shapes and their dimension column names.
#include "library/section_shapes.h"

#include <array>
#include <vector>

#include "vtlbase/macro_langs.h"

namespace vtl::ui {
namespace {
constexpr int kShapeNameBase = 718;
// A dimension name: a UI string, optionally followed by a digit ("Leg1").
struct Dimension {
    int text;
    int digit;  // 0: none
};
const std::array<std::vector<Dimension>, kLastShapeCode>& dimensionTable() {
    static const std::array<std::vector<Dimension>, kLastShapeCode> table = {{
        {{736, 0}, {737, 0}, {738, 0}, {739, 0}, {740, 0}},                                          // 1
        {{736, 0}, {737, 0}, {738, 0}, {739, 0}},                                                    // 2
        {{736, 0}, {737, 0}, {738, 0}, {739, 0}, {741, 0}, {742, 0}},                                // 3
        {{736, 0}, {743, 1}, {743, 2}, {744, 0}},                                                    // 4
        {{736, 0}, {737, 0}, {738, 0}, {739, 0}, {741, 0}},                                          // 5
        {{736, 0}, {737, 0}, {738, 0}, {739, 0}, {741, 0}, {742, 0}, {745, 0}, {746, 0}},            // 6
        {{736, 0}, {737, 0}, {738, 0}, {739, 0}, {741, 0}, {742, 0}, {745, 0}, {746, 0}},            // 7
        {{737, 0}, {744, 0}},                                                                        // 8
        {{747, 0}},                                                                                  // 9
        {{736, 0}, {737, 0}, {744, 0}, {740, 0}},                                                    // 10
        {{747, 0}, {744, 0}},                                                                        // 11
        {{736, 0}, {737, 0}, {748, 0}, {744, 0}},                                                    // 12
        {{736, 0}, {749, 1}, {750, 1}, {750, 2}, {749, 2}, {744, 0}},                                // 13
        {{751, 0}, {744, 0}, {752, 0}},                                                              // 14
        {{736, 0}, {737, 0}, {744, 0}, {753, 0}},                                                    // 15
        {{736, 0}, {737, 0}, {744, 0}, {753, 0}},                                                    // 16
        {{736, 0}, {737, 0}, {738, 0}, {739, 0}, {741, 0}},                                          // 17
    }};
    return table;
}
}  // namespace

bool isDrawingShape(const Vtl_String& shape) { return shape.endsWith(".dwg", false); }

int shapeCode(const Vtl_String& shape) {
    if (isDrawingShape(shape) || !isNumber(shape)) return 0;
    const int code = shape.toInt();
    return code >= kFirstShapeCode && code <= kLastShapeCode ? code : 0;
}

Vtl_StringArray shapeDimensionNames(int code) {
    Vtl_StringArray names;
    if (code < kFirstShapeCode || code > kLastShapeCode) return names;
    for (const Dimension& d : dimensionTable()[static_cast<std::size_t>(code - 1)]) {
        Vtl_String name = dialString(d.text);
        if (d.digit > 0) name += Vtl_String(d.digit);
        names.append(name);
    }
    return names;
}

Vtl_String shapeCodeText(int code) { return Vtl_String("<") + dialString(kShapeNameBase + code) + ">"; }

Vtl_String shapeDisplayText(const Vtl_String& shape) {
    if (isDrawingShape(shape)) return shape;
    return shapeCodeText(shape.toInt());
}

Vtl_String shapeFromDisplayText(const Vtl_String& text) {
    if (isDrawingShape(text)) return text;
    for (int code = kFirstShapeCode; code <= kLastShapeCode; ++code)
        if (shapeCodeText(code) == text) return Vtl_String(code);
    return Vtl_String("-1");
}

Vtl_StringArray expectedColumnNames(const Vtl_String& shape) {
    Vtl_StringArray names;
    names.append("SysName");
    names.append("I/O");
    Vtl_StringArray languages;
    gMacroLangs.GetAllLanguages(languages);
    names.append(languages);
    names.append(shapeDimensionNames(shapeCode(shape)));
    return names;
}

}  // namespace vtl::ui
