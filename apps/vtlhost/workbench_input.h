#pragma once
// What the workbench page sends as a person's input, read into the framework's input events.
//
// The body of POST /input is one event or an array of events, applied in order:
//   {"type": "mousedown" | "mouseup" | "mousemove" | "dblclick", "x": 10, "y": 20,
//    "button": "left" | "right", "modifiers": ["shift", "ctrl", "alt"]}
//   {"type": "wheel", "x": 10, "y": 20, "delta": -120}
//   {"type": "keydown" | "keyup" | "key", "key": "Enter", "modifiers": [...]}   ("key": down, then up)
//   {"type": "text", "text": "18"}                                               (one character each)
// Coordinates are screen pixels, as the published frame shows them. Key names are the browser's
// (KeyboardEvent.key: "Enter", "ArrowLeft", "PageUp", " ", "a") or the scripts' ("RETURN", "LEFT", "F4").
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "win/input.h"

namespace vtlhost {

// The most events one request may carry, and the longest text of one "text" event (code points).
inline constexpr std::size_t kMaxEventsPerRequest = 10000;
inline constexpr std::size_t kMaxTextLength = 10000;

// The virtual key of a browser or script key name; nothing for a name it does not know.
std::optional<unsigned> keyByName(std::string_view name);

// Reads the body into events. Nothing is returned for a body with any fault: `error` then says which
// event and what is wrong with it, for the person or program that sent it.
std::optional<std::vector<vtl::win::InputEvent>> decodeInput(std::string_view body, std::string& error);

}  // namespace vtlhost
