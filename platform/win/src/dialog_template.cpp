// The text form of dialog templates: a small line-oriented reader with the platform's style names.
#include "win/dialog_template.h"

#include <cctype>
#include <charconv>
#include <map>

#include "line_tokens.h"
#include "win/styles.h"

namespace vtl::win {
namespace {

struct StyleName {
    DWORD value;
    bool extended;
};

const std::map<std::string_view, StyleName>& styleNames() {
    static const std::map<std::string_view, StyleName> names = {
        {"WS_OVERLAPPED", {WS_OVERLAPPED, false}}, {"WS_POPUP", {WS_POPUP, false}}, {"WS_CHILD", {WS_CHILD, false}},
        {"WS_VISIBLE", {WS_VISIBLE, false}}, {"WS_DISABLED", {WS_DISABLED, false}},
        {"WS_CLIPSIBLINGS", {WS_CLIPSIBLINGS, false}}, {"WS_CLIPCHILDREN", {WS_CLIPCHILDREN, false}},
        {"WS_BORDER", {WS_BORDER, false}}, {"WS_DLGFRAME", {WS_DLGFRAME, false}}, {"WS_CAPTION", {WS_CAPTION, false}},
        {"WS_VSCROLL", {WS_VSCROLL, false}}, {"WS_HSCROLL", {WS_HSCROLL, false}}, {"WS_SYSMENU", {WS_SYSMENU, false}},
        {"WS_THICKFRAME", {WS_THICKFRAME, false}}, {"WS_GROUP", {WS_GROUP, false}}, {"WS_TABSTOP", {WS_TABSTOP, false}},
        {"WS_MINIMIZEBOX", {WS_MINIMIZEBOX, false}}, {"WS_MAXIMIZEBOX", {WS_MAXIMIZEBOX, false}},
        {"WS_OVERLAPPEDWINDOW", {WS_OVERLAPPEDWINDOW, false}},
        {"WS_EX_DLGMODALFRAME", {WS_EX_DLGMODALFRAME, true}}, {"WS_EX_TOPMOST", {WS_EX_TOPMOST, true}},
        {"WS_EX_TRANSPARENT", {WS_EX_TRANSPARENT, true}}, {"WS_EX_TOOLWINDOW", {WS_EX_TOOLWINDOW, true}},
        {"WS_EX_WINDOWEDGE", {WS_EX_WINDOWEDGE, true}}, {"WS_EX_CLIENTEDGE", {WS_EX_CLIENTEDGE, true}},
        {"WS_EX_CONTROLPARENT", {WS_EX_CONTROLPARENT, true}}, {"WS_EX_STATICEDGE", {WS_EX_STATICEDGE, true}},
        {"DS_SETFONT", {DS_SETFONT, false}}, {"DS_MODALFRAME", {DS_MODALFRAME, false}},
        {"DS_CONTROL", {DS_CONTROL, false}}, {"DS_CENTER", {DS_CENTER, false}},
        {"BS_PUSHBUTTON", {BS_PUSHBUTTON, false}}, {"BS_DEFPUSHBUTTON", {BS_DEFPUSHBUTTON, false}},
        {"BS_CHECKBOX", {BS_CHECKBOX, false}}, {"BS_AUTOCHECKBOX", {BS_AUTOCHECKBOX, false}},
        {"BS_RADIOBUTTON", {BS_RADIOBUTTON, false}}, {"BS_3STATE", {BS_3STATE, false}},
        {"BS_AUTO3STATE", {BS_AUTO3STATE, false}}, {"BS_GROUPBOX", {BS_GROUPBOX, false}},
        {"BS_AUTORADIOBUTTON", {BS_AUTORADIOBUTTON, false}}, {"BS_OWNERDRAW", {BS_OWNERDRAW, false}},
        {"BS_LEFTTEXT", {BS_LEFTTEXT, false}}, {"BS_ICON", {BS_ICON, false}}, {"BS_BITMAP", {BS_BITMAP, false}},
        {"BS_LEFT", {BS_LEFT, false}}, {"BS_RIGHT", {BS_RIGHT, false}}, {"BS_CENTER", {BS_CENTER, false}},
        {"BS_TOP", {BS_TOP, false}}, {"BS_BOTTOM", {BS_BOTTOM, false}}, {"BS_VCENTER", {BS_VCENTER, false}},
        {"BS_PUSHLIKE", {BS_PUSHLIKE, false}}, {"BS_MULTILINE", {BS_MULTILINE, false}},
        {"BS_NOTIFY", {BS_NOTIFY, false}}, {"BS_FLAT", {BS_FLAT, false}},
        {"ES_LEFT", {ES_LEFT, false}}, {"ES_CENTER", {ES_CENTER, false}}, {"ES_RIGHT", {ES_RIGHT, false}},
        {"ES_MULTILINE", {ES_MULTILINE, false}}, {"ES_UPPERCASE", {ES_UPPERCASE, false}},
        {"ES_LOWERCASE", {ES_LOWERCASE, false}}, {"ES_PASSWORD", {ES_PASSWORD, false}},
        {"ES_AUTOVSCROLL", {ES_AUTOVSCROLL, false}}, {"ES_AUTOHSCROLL", {ES_AUTOHSCROLL, false}},
        {"ES_NOHIDESEL", {ES_NOHIDESEL, false}}, {"ES_READONLY", {ES_READONLY, false}},
        {"ES_WANTRETURN", {ES_WANTRETURN, false}}, {"ES_NUMBER", {ES_NUMBER, false}},
        {"SS_LEFT", {SS_LEFT, false}}, {"SS_CENTER", {SS_CENTER, false}}, {"SS_RIGHT", {SS_RIGHT, false}},
        {"SS_ICON", {SS_ICON, false}}, {"SS_BLACKRECT", {SS_BLACKRECT, false}}, {"SS_GRAYRECT", {SS_GRAYRECT, false}},
        {"SS_WHITERECT", {SS_WHITERECT, false}}, {"SS_BLACKFRAME", {SS_BLACKFRAME, false}},
        {"SS_ETCHEDFRAME", {SS_ETCHEDFRAME, false}}, {"SS_LEFTNOWORDWRAP", {SS_LEFTNOWORDWRAP, false}},
        {"SS_OWNERDRAW", {SS_OWNERDRAW, false}}, {"SS_BITMAP", {SS_BITMAP, false}},
        {"SS_NOPREFIX", {SS_NOPREFIX, false}}, {"SS_NOTIFY", {SS_NOTIFY, false}},
        {"SS_CENTERIMAGE", {SS_CENTERIMAGE, false}}, {"SS_SUNKEN", {SS_SUNKEN, false}},
        {"CBS_SIMPLE", {CBS_SIMPLE, false}}, {"CBS_DROPDOWN", {CBS_DROPDOWN, false}},
        {"CBS_DROPDOWNLIST", {CBS_DROPDOWNLIST, false}}, {"CBS_OWNERDRAWFIXED", {CBS_OWNERDRAWFIXED, false}},
        {"CBS_OWNERDRAWVARIABLE", {CBS_OWNERDRAWVARIABLE, false}}, {"CBS_AUTOHSCROLL", {CBS_AUTOHSCROLL, false}},
        {"CBS_SORT", {CBS_SORT, false}}, {"CBS_HASSTRINGS", {CBS_HASSTRINGS, false}},
        {"CBS_NOINTEGRALHEIGHT", {CBS_NOINTEGRALHEIGHT, false}},
        {"LBS_NOTIFY", {LBS_NOTIFY, false}}, {"LBS_SORT", {LBS_SORT, false}},
        {"LBS_MULTIPLESEL", {LBS_MULTIPLESEL, false}}, {"LBS_OWNERDRAWFIXED", {LBS_OWNERDRAWFIXED, false}},
        {"LBS_HASSTRINGS", {LBS_HASSTRINGS, false}}, {"LBS_NOINTEGRALHEIGHT", {LBS_NOINTEGRALHEIGHT, false}},
        {"LBS_EXTENDEDSEL", {LBS_EXTENDEDSEL, false}},
    };
    return names;
}

struct ControlKind {
    const char* className;
    DWORD style;
    bool hasText;
};

const std::map<std::string_view, ControlKind>& controlKinds() {
    static const std::map<std::string_view, ControlKind> kinds = {
        {"LTEXT", {"STATIC", SS_LEFT | WS_GROUP, true}},
        {"CTEXT", {"STATIC", SS_CENTER | WS_GROUP, true}},
        {"RTEXT", {"STATIC", SS_RIGHT | WS_GROUP, true}},
        {"PUSHBUTTON", {"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, true}},
        {"DEFPUSHBUTTON", {"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, true}},
        {"CHECKBOX", {"BUTTON", BS_CHECKBOX | WS_TABSTOP, true}},
        {"AUTOCHECKBOX", {"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, true}},
        {"STATE3", {"BUTTON", BS_3STATE | WS_TABSTOP, true}},
        {"AUTO3STATE", {"BUTTON", BS_AUTO3STATE | WS_TABSTOP, true}},
        {"RADIOBUTTON", {"BUTTON", BS_RADIOBUTTON, true}},
        {"AUTORADIOBUTTON", {"BUTTON", BS_AUTORADIOBUTTON, true}},
        {"GROUPBOX", {"BUTTON", BS_GROUPBOX, true}},
        {"EDITTEXT", {"EDIT", ES_LEFT | WS_BORDER | WS_TABSTOP, false}},
        {"COMBOBOX", {"COMBOBOX", CBS_SIMPLE | WS_TABSTOP, false}},
        {"LISTBOX", {"LISTBOX", LBS_NOTIFY | WS_BORDER, false}},
        {"CONTROL", {"", 0, true}},
    };
    return kinds;
}

using Token = detail::LineToken;

std::vector<Token> tokenize(std::string_view line, const std::string& file, int lineNo) {
    std::vector<Token> out;
    if (!detail::splitLine(line, "|,", true, out)) throw TemplateError(file, lineNo, "unterminated string");
    return out;
}

int toInt(const Token& t, const std::string& file, int line, const char* what) {
    int v = 0;
    const char* b = t.text.data();
    const char* e = b + t.text.size();
    std::from_chars_result r;
    if (t.text.size() > 2 && t.text[0] == '0' && (t.text[1] == 'x' || t.text[1] == 'X')) {
        unsigned u = 0;
        r = std::from_chars(b + 2, e, u, 16);
        v = static_cast<int>(u);
    } else {
        r = std::from_chars(b, e, v);
    }
    if (t.quoted || t.text.empty() || r.ec != std::errc() || r.ptr != e)
        throw TemplateError(file, line, std::string("expected a number for ") + what + ", found \"" + t.text + "\"");
    return v;
}

// Positions and sizes are 16-bit in a dialog template, as a resource compiler stores them; larger
// values would overflow the rectangles and the conversion to pixels.
void checkDialogUnits(int x, int y, int w, int h, const std::string& file, int line) {
    constexpr int kLow = -32768, kHigh = 32767;
    if (x < kLow || x > kHigh || y < kLow || y > kHigh || w > kHigh || h > kHigh)
        throw TemplateError(file, line, "position or size outside -32768..32767 dialog units");
}

// Applies style words from `tokens[from..]`; "NOT name" removes a style.
void applyStyles(const std::vector<Token>& tokens, std::size_t from, DWORD& style, DWORD& exStyle,
                 const std::string& file, int line) {
    for (std::size_t i = from; i < tokens.size(); ++i) {
        bool remove = false;
        if (tokens[i].text == "NOT") {
            remove = true;
            if (++i >= tokens.size()) throw TemplateError(file, line, "NOT without a style");
        }
        DWORD value = 0;
        bool extended = false;
        if (!styleByName(tokens[i].text, value, extended)) {
            if (!tokens[i].text.empty() && std::isdigit(static_cast<unsigned char>(tokens[i].text[0]))) {
                value = static_cast<DWORD>(toInt(tokens[i], file, line, "a style"));
            } else {
                throw TemplateError(file, line, "unknown style \"" + tokens[i].text + "\"");
            }
        }
        DWORD& target = extended ? exStyle : style;
        if (remove) target &= ~value;
        else target |= value;
    }
}

ControlTemplate parseControl(const std::vector<Token>& t, const std::string& file, int line) {
    const auto& kinds = controlKinds();
    auto kind = kinds.find(t[0].text);
    if (kind == kinds.end()) throw TemplateError(file, line, "unknown control kind \"" + t[0].text + "\"");
    ControlTemplate c;
    c.keyword = t[0].text;
    c.line = line;
    std::size_t i = 1;
    auto need = [&](std::size_t n) {
        if (i + n > t.size()) throw TemplateError(file, line, "too few fields for " + c.keyword);
    };
    if (kind->second.hasText) {
        need(1);
        if (!t[i].quoted) throw TemplateError(file, line, c.keyword + " needs its text in quotes");
        c.text = t[i++].text;
    }
    need(1);
    c.id = toInt(t[i++], file, line, "the control id");
    if (c.keyword == "CONTROL") {
        need(1);
        if (!t[i].quoted) throw TemplateError(file, line, "CONTROL needs its class name in quotes");
        c.className = t[i++].text;
    } else {
        c.className = kind->second.className;
    }
    need(4);
    const int x = toInt(t[i], file, line, "x"), y = toInt(t[i + 1], file, line, "y");
    const int w = toInt(t[i + 2], file, line, "width"), h = toInt(t[i + 3], file, line, "height");
    if (w < 0 || h < 0) throw TemplateError(file, line, "negative size");
    checkDialogUnits(x, y, w, h, file, line);
    c.rect = {x, y, x + w, y + h};
    i += 4;
    DWORD given = 0;
    applyStyles(t, i, given, c.exStyle, file, line);
    c.style = kind->second.style | WS_CHILD | WS_VISIBLE;
    applyStyles(t, i, c.style, c.exStyle, file, line);
    // A kind named among the styles (CBS_DROPDOWN, BS_AUTORADIOBUTTON, SS_ICON) replaces the keyword's.
    const DWORD typeMask = c.className == "COMBOBOX" ? 0x3 : c.className == "BUTTON" ? BS_TYPEMASK
                         : c.className == "STATIC"   ? SS_TYPEMASK : 0;
    if (given & typeMask) c.style = (c.style & ~typeMask) | (given & typeMask);
    return c;
}
}  // namespace

bool styleByName(std::string_view name, DWORD& style, bool& extended) {
    const auto& names = styleNames();
    auto it = names.find(name);
    if (it == names.end()) return false;
    style = it->second.value;
    extended = it->second.extended;
    return true;
}

std::vector<DialogTemplate> parseDialogTemplates(std::string_view text, const std::string& fileName) {
    std::vector<DialogTemplate> result;
    DialogTemplate* current = nullptr;
    bool inBody = false;
    int lineNo = 0;
    int beginLine = 0;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        const std::size_t eol = text.find('\n', pos);
        const std::string_view line = text.substr(pos, eol == std::string_view::npos ? std::string_view::npos : eol - pos);
        pos = (eol == std::string_view::npos) ? text.size() + 1 : eol + 1;
        ++lineNo;
        const auto t = tokenize(line, fileName, lineNo);
        if (t.empty()) continue;
        const std::string& word = t[0].text;
        if (inBody) {
            if (word == "END" || word == "}") {
                inBody = false;
                current = nullptr;
            } else {
                current->controls.push_back(parseControl(t, fileName, lineNo));
            }
            continue;
        }
        if (word == "DIALOG") {
            if (t.size() != 4) throw TemplateError(fileName, lineNo, "DIALOG needs: id width height");
            DialogTemplate d;
            d.id = toInt(t[1], fileName, lineNo, "the dialog id");
            d.width = toInt(t[2], fileName, lineNo, "the width");
            d.height = toInt(t[3], fileName, lineNo, "the height");
            if (d.width < 0 || d.height < 0) throw TemplateError(fileName, lineNo, "negative size");
            checkDialogUnits(0, 0, d.width, d.height, fileName, lineNo);
            d.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
            d.source = fileName;
            for (const auto& existing : result)
                if (existing.id == d.id) throw TemplateError(fileName, lineNo, "dialog " + t[1].text + " defined twice");
            result.push_back(std::move(d));
            current = &result.back();
            continue;
        }
        if (!current) throw TemplateError(fileName, lineNo, "\"" + word + "\" outside a DIALOG");
        if (word == "CAPTION") {
            if (t.size() != 2 || !t[1].quoted) throw TemplateError(fileName, lineNo, "CAPTION needs a quoted text");
            current->caption = t[1].text;
        } else if (word == "STYLE") {
            current->style = 0;
            DWORD ex = current->exStyle;
            applyStyles(t, 1, current->style, ex, fileName, lineNo);
            current->exStyle = ex;
        } else if (word == "EXSTYLE") {
            DWORD st = current->style;
            applyStyles(t, 1, st, current->exStyle, fileName, lineNo);
            current->style = st;
        } else if (word == "FONT") {
            if (t.size() != 3 || !t[2].quoted) throw TemplateError(fileName, lineNo, "FONT needs: points \"face\"");
            current->fontPoints = toInt(t[1], fileName, lineNo, "the font size");
            current->fontFace = t[2].text;
        } else if (word == "CLASS") {
            if (t.size() != 2 || !t[1].quoted) throw TemplateError(fileName, lineNo, "CLASS needs a quoted name");
            current->className = t[1].text;
        } else if (word == "BEGIN" || word == "{") {
            inBody = true;
            beginLine = lineNo;
        } else {
            throw TemplateError(fileName, lineNo, "unknown statement \"" + word + "\"");
        }
    }
    if (inBody) throw TemplateError(fileName, beginLine, "BEGIN without END");
    return result;
}

}  // namespace vtl::win
