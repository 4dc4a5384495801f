// Message boxes: a dialog laid out at run time around the text, with the buttons of its style.
#include "win/message_box.h"

#include <algorithm>
#include <vector>

#include "gfx/font.h"
#include "text_metrics.h"
#include "win/dialog.h"
#include "win/wnd.h"
#include "win/window_tree.h"

namespace vtl::win {
namespace {
std::string& title() {
    static std::string t = "CAD host";
    return t;
}

struct Button {
    int id;
    const char* text;
};

std::vector<Button> buttonsOf(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
    case MB_ABORTRETRYIGNORE:
        return {{IDABORT, "&Abort"}, {IDRETRY, "&Retry"}, {IDIGNORE, "&Ignore"}};
    case MB_YESNOCANCEL:
        return {{IDYES, "&Yes"}, {IDNO, "&No"}, {IDCANCEL, "Cancel"}};
    case MB_YESNO:
        return {{IDYES, "&Yes"}, {IDNO, "&No"}};
    case MB_RETRYCANCEL:
        return {{IDRETRY, "&Retry"}, {IDCANCEL, "Cancel"}};
    default:
        return {{IDOK, "OK"}};
    }
}

const char* iconName(UINT type) {
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
        return "error";
    case MB_ICONQUESTION:
        return "question";
    case MB_ICONEXCLAMATION:
        return "warning";
    case MB_ICONASTERISK:
        return "information";
    default:
        return nullptr;
    }
}

// Escape and the close box answer Cancel when there is a Cancel button, OK for a lone OK button; a box
// without either (Yes/No, Abort/Retry/Ignore) can only be answered by its buttons.
int escapeAnswer(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OK:
        return IDOK;
    case MB_OKCANCEL:
    case MB_YESNOCANCEL:
    case MB_RETRYCANCEL:
        return IDCANCEL;
    default:
        return 0;
    }
}

// The answer of a box nobody answers: what Escape gives, else the last (most cautious) button.
int unansweredAnswer(UINT type) {
    const int esc = escapeAnswer(type);
    return esc ? esc : buttonsOf(type).back().id;
}

DialogTemplate layout(const std::string& text, const std::string& caption, UINT type) {
    constexpr int kMargin = 12, kIcon = 32, kButtonW = 75, kButtonH = 23, kButtonGap = 6;
    const HFONT font = gfx::defaultGuiFont();
    std::vector<std::string> lines;
    for (std::size_t pos = 0;;) {
        const auto nl = text.find('\n', pos);
        lines.push_back(text.substr(pos, nl == std::string::npos ? std::string::npos : nl - pos));
        if (nl == std::string::npos) break;
        pos = nl + 1;
    }
    int textW = 0;
    for (const auto& l : lines) textW = std::max(textW, static_cast<int>(detail::measureText(font, l).cx));
    const int lineH = detail::lineHeight(font);
    const int textH = static_cast<int>(lines.size()) * lineH;
    const bool icon = iconName(type) != nullptr;
    const int textX = kMargin + (icon ? kIcon + kMargin : 0);
    const auto buttons = buttonsOf(type);
    const int buttonsW = static_cast<int>(buttons.size()) * kButtonW + (static_cast<int>(buttons.size()) - 1) * kButtonGap;
    const int clientW = std::min(std::max({textX + textW + kMargin, buttonsW + 2 * kMargin, 180}), 1000);
    const int bodyH = std::max(textH, icon ? kIcon : 0);
    const int buttonsY = kMargin + bodyH + kMargin;

    DialogTemplate t;
    t.id = 0;
    t.caption = caption;
    t.width = clientW;
    t.height = buttonsY + kButtonH + kMargin;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    if (type & (MB_TOPMOST | MB_SYSTEMMODAL)) t.exStyle |= WS_EX_TOPMOST;
    if (icon) {
        ControlTemplate c;
        c.className = "STATIC";
        c.text = iconName(type);
        c.id = kMessageBoxIconId;
        c.rect = {kMargin, kMargin, kMargin + kIcon, kMargin + kIcon};
        c.style = WS_CHILD | WS_VISIBLE | SS_ICON;
        t.controls.push_back(c);
    }
    ControlTemplate label;
    label.className = "STATIC";
    label.text = text;
    label.id = kMessageBoxTextId;
    const int textY = kMargin + (bodyH - textH) / 2;
    label.rect = {textX, textY, std::min(clientW - kMargin, textX + textW), textY + textH};
    label.style = WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX;
    t.controls.push_back(label);

    const std::size_t defIndex = std::min<std::size_t>((type & MB_DEFMASK) >> 8, buttons.size() - 1);
    int x = (clientW - buttonsW) / 2;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        ControlTemplate b;
        b.className = "BUTTON";
        b.text = buttons[i].text;
        b.id = buttons[i].id;
        b.rect = {x, buttonsY, x + kButtonW, buttonsY + kButtonH};
        b.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (i == defIndex ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        if (i == 0) b.style |= WS_GROUP;
        t.controls.push_back(b);
        x += kButtonW + kButtonGap;
    }
    return t;
}

class MessageBoxDialog : public CDialog {
public:
    MessageBoxDialog(UINT type, HWND owner) : type_(type), owner_(owner) { m_pParentWnd = CWnd::FromHandle(owner); }

    int run(const DialogTemplate& t, const std::string& text) {
        return static_cast<int>(DoModalIndirect(t, WaitKind::MessageBox, text, unansweredAnswer(type_)));
    }

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        const auto buttons = buttonsOf(type_);
        const std::size_t defIndex = std::min<std::size_t>((type_ & MB_DEFMASK) >> 8, buttons.size() - 1);
        SetDefID(static_cast<UINT>(buttons[defIndex].id));
        if (!escapeAnswer(type_)) ModifyStyle(WS_SYSMENU, 0);  // no close box without a way to cancel
        GetDlgItem(buttons[defIndex].id)->SetFocus();
        return FALSE;
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        const int id = LOWORD(wParam);
        if (HIWORD(wParam) != BN_CLICKED) return CDialog::OnCommand(wParam, lParam);
        if (id == IDCANCEL && !GetDlgItem(IDCANCEL)) {
            // Escape or the close box.
            if (const int answer = escapeAnswer(type_)) EndDialog(answer);
            return TRUE;
        }
        for (const auto& b : buttonsOf(type_)) {
            if (b.id == id) {
                EndDialog(id);
                return TRUE;
            }
        }
        return CDialog::OnCommand(wParam, lParam);
    }

private:
    UINT type_;
    HWND owner_;
};
}  // namespace

void setApplicationTitle(const std::string& t) { title() = t; }
std::string applicationTitle() { return title(); }

}  // namespace vtl::win

int MessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    using namespace vtl::win;
    const std::string body = text ? text : "";
    const DialogTemplate t = layout(body, caption ? caption : "Error", type);
    HWND o = owner ? GetAncestor(owner, GA_ROOT) : GetActiveWindow();
    if (!o) o = mainWindow();
    MessageBoxDialog box(type, o);
    const int answer = box.run(t, body);
    return answer < 0 ? unansweredAnswer(type) : answer;
}

int AfxMessageBox(const char* text, UINT type) {
    const std::string caption = vtl::win::applicationTitle();
    return MessageBox(HWND(), text, caption.c_str(), type);
}

int CWnd::MessageBox(const char* text, const char* caption, UINT type) { return ::MessageBox(m_hWnd, text, caption, type); }
