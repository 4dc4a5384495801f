#pragma once
// Dialog templates in their text form. A resource file holds any number of templates:
//
//   DIALOG 8069 300 120                 # id, client width and height in pixels
//   CAPTION "Input"
//   STYLE DS_MODALFRAME WS_POPUP WS_CAPTION WS_SYSMENU
//   FONT 8 "MS Shell Dlg"
//   BEGIN
//     LTEXT         "Prompt"  8600  10 10 280 30
//     EDITTEXT                8003  10 45 280 22  ES_AUTOHSCROLL
//     DEFPUSHBUTTON "OK"      1     120 85 80 24
//     PUSHBUTTON    "Cancel"  2     210 85 80 24
//     CONTROL       ""        1004  "fpSpread70" 10 10 100 100  WS_BORDER
//   END
//
// Coordinates are pixels in the dialog's client area. Each control keyword brings the platform's default
// styles for that kind; further style names are added, and "NOT <style>" removes one.
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "win/export.h"
#include "win/types.h"

namespace vtl::win {

struct ControlTemplate {
    std::string keyword;    // LTEXT, PUSHBUTTON, ... or CONTROL
    std::string className;  // the window class ("BUTTON", "EDIT", "STATIC", ...)
    std::string text;
    int id = -1;
    RECT rect;              // client coordinates of the dialog
    DWORD style = 0;
    DWORD exStyle = 0;
    int line = 0;           // line in the resource file, for messages
};

struct DialogTemplate {
    int id = 0;
    std::string caption;
    std::string className;  // empty: the dialog class "#32770"
    int width = 0;          // client size in pixels
    int height = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    std::string fontFace;
    int fontPoints = 0;
    std::vector<ControlTemplate> controls;
    std::string source;     // resource file name
};

class TemplateError : public std::runtime_error {
public:
    TemplateError(const std::string& file, int line, const std::string& what)
        : std::runtime_error(file + ":" + std::to_string(line) + ": " + what), line_(line) {}
    int line() const { return line_; }

private:
    int line_;
};

// Parses every template of a resource file; throws TemplateError with the file and line of the first fault.
VTLWIN_API std::vector<DialogTemplate> parseDialogTemplates(std::string_view text, const std::string& fileName);
// The value of a style name ("WS_TABSTOP", "BS_AUTO3STATE", ...), or false when the name is unknown.
VTLWIN_API bool styleByName(std::string_view name, DWORD& style, bool& extended);

}  // namespace vtl::win
