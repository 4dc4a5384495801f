#pragma once
// What a person can do, as events: mouse and keys. Coordinates are screen pixels; text is UTF-8 code
// points; keys are virtual keys. An event is delivered as the platform would: hit testing, capture,
// activation, pre-translation by the target's window chain, dialog navigation, then dispatch.
#include <string>

#include "win/export.h"
#include "win/types.h"

namespace vtl::win {

enum Modifier : unsigned { ModNone = 0, ModShift = 1, ModCtrl = 2, ModAlt = 4 };

struct VTLWIN_API InputEvent {
    enum class Kind { MouseDown, MouseUp, MouseMove, DoubleClick, KeyDown, KeyUp, Char, Wheel };
    enum class Button { Left, Right, Middle };

    Kind kind = Kind::MouseMove;
    int x = 0;
    int y = 0;
    Button button = Button::Left;
    UINT vkey = 0;
    char32_t ch = 0;
    unsigned modifiers = ModNone;
    int wheelDelta = 0;

    static InputEvent mouse(Kind kind, int x, int y, Button button = Button::Left, unsigned modifiers = ModNone);
    static InputEvent key(Kind kind, UINT vkey, unsigned modifiers = ModNone);
    static InputEvent character(char32_t ch);
    std::string describe() const;
};

VTLWIN_API void deliverInput(const InputEvent& event);

// Where a click on a window lands: the centre of its window rectangle, in screen coordinates.
VTLWIN_API POINT clickPoint(HWND h);
// The close box of a top-level window's caption, in screen coordinates.
VTLWIN_API RECT closeBoxRect(HWND topLevel);

}  // namespace vtl::win
