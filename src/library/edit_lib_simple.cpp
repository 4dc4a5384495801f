// The simple library editor: a new size of a section type from an existing one.
#include "library/edit_lib_simple.h"

#include "common/new_name_prompt.h"
#include "common/section_pictures.h"
#include "frame/export_guard.h"
#include "frame/module.h"
#include "library/section_shapes.h"
#include "vtlbase/controls/control_functions.h"
#include "vtlbase/dialog_size.h"
#include "vtlbase/macro_langs.h"
#include "vtlui/vtlui.h"
#include "win/button.h"
#include "win/message_box.h"

namespace vtl::ui {
namespace {
constexpr int kCaption = 796;
constexpr int kNameText = 797;
constexpr int kBuiltText = 1377;
constexpr int kTypedText = 1378;
constexpr int kCheckCaption = 1098;
constexpr int kCheckText1 = 1457;
constexpr int kCheckText2 = 1458;
constexpr int kCheckText3 = 888;
constexpr int kTubeShape = 10;
constexpr int kTubeThicknessColumn = 8;
constexpr int kTubeRadiusColumn = 9;
constexpr const char* kSizeKey = "DLG_EDITLIBSIMPLE";

// The text before the first number, empty when there is none.
Vtl_String textBeforeNumber(const Vtl_String& text) {
    int position = 0, count = 0;
    if (!findFirstNumbers(text, position, count)) return Vtl_String();
    return text.getSubStringAt(0, position);
}

bool sameNumber(const Vtl_String& a, const Vtl_String& b) {
    const auto x = parseNumber(a), y = parseNumber(b);
    return x && y && *x == *y;
}

// An equal-legged name: at least two "x"-parts and the first two equal.
bool isEqualLegged(const Vtl_String& name) {
    Vtl_StringArray parts;
    strToArr(name, 'x', parts);
    return parts.length() >= 2 && parts[0] == parts[1];
}
}  // namespace

// ---- SimpleSizeBuilder ----

SimpleSizeBuilder::SimpleSizeBuilder(const Vtl_ProfValuesTable& table, const Vtl_String& startName) : table_(table) {
    currentLanguageColumn_ = table_.getColumnIdx(gMacroLangs.GetCurLanguage());
    if (table_.rows.isEmpty()) return;
    int row = 0;
    templateRow_ = table_.findSysName(startName, row) ? row : 0;
    findPattern();
}

void SimpleSizeBuilder::findPattern() {
    const int last = std::min(table_.rows.length(), templateRow_ + kPatternSearchRows);
    for (int r = templateRow_; r < last; ++r) {
        const Vtl_StringArray& cells = table_.rows[r];
        if (cells.isEmpty()) continue;
        Vtl_StringArray parts;
        strToArr(cells[0], 'x', parts);
        if (parts.isEmpty()) continue;
        std::vector<int> map;
        std::vector<bool> taken(static_cast<std::size_t>(std::max(0, cells.length() - kFirstValueColumn)), false);
        bool all = true;
        for (const Vtl_String& part : parts) {
            const bool number = isNumber(part);
            int found = -1;
            for (int c = kFirstValueColumn; c < cells.length() && found < 0; ++c) {
                const auto slot = static_cast<std::size_t>(c - kFirstValueColumn);
                if (taken[slot]) continue;
                if (number ? sameNumber(part, cells[c]) : part == cells[c]) found = c - kFirstValueColumn;
            }
            if (found < 0) {
                all = false;
                break;
            }
            taken[static_cast<std::size_t>(found)] = true;
            map.push_back(found);
        }
        if (!all) continue;
        partMap_ = std::move(map);
        prefixes_.removeAll();
        for (int c = kFirstLanguageColumn; c < kFirstLanguageColumn + kLanguageColumns && c < cells.length(); ++c)
            prefixes_.append(textBeforeNumber(cells[c]));
        return;
    }
}

Vtl_String SimpleSizeBuilder::currentPrefix() const {
    const int position = currentLanguageColumn_ - kFirstLanguageColumn;
    return position >= 0 && position < prefixes_.length() ? prefixes_[position] : Vtl_String();
}

Vtl_StringArray SimpleSizeBuilder::templateCells() const {
    return templateRow_ >= 0 ? table_.rows[templateRow_] : Vtl_StringArray();
}

int SimpleSizeBuilder::valueFieldCount() const {
    const int cells = templateCells().length();
    return std::clamp(cells - kFirstValueColumn, 0, kValueFields);
}

Vtl_StringArray SimpleSizeBuilder::valueNames() const {
    Vtl_StringArray names;
    for (int c = kFirstValueColumn; c < table_.columnNames.length(); ++c)
        names.append(gMacroLangs.GetString(table_.columnNames[c], "Prof"));
    // A built-in shape names its dimensions; values beyond them keep their column's name.
    if (const int code = shapeCode(table_.shape); code > 0) {
        const Vtl_StringArray dimensions = shapeDimensionNames(code);
        for (int i = 0; i < dimensions.length(); ++i) {
            if (i < names.length())
                names[i] = dimensions[i];
            else
                names.append(dimensions[i]);
        }
    }
    return names;
}

Vtl_String SimpleSizeBuilder::buildName(const Vtl_StringArray& values) const {
    Vtl_String name;
    for (std::size_t i = 0; i < partMap_.size(); ++i) {
        const int field = partMap_[i];
        if (field >= values.length()) continue;
        if (i > 0) name += "x";
        name += values[field];
    }
    return name;
}

int SimpleSizeBuilder::insertPosition(const Vtl_String& name) const {
    Vtl_StringArray names;
    table_.getColumn(names, 0);
    if (isEqualLegged(name)) {
        // Directly after the equal-legged size sorting just before it, unequal sizes between them aside.
        Vtl_StringArray equal;
        for (const Vtl_String& n : names)
            if (isEqualLegged(n)) equal.append(n);
        sortNatural(equal);
        int p = ObjectExportAddToSorted(equal, name);
        if (p == 0) p = 1;
        int row = 0;
        if (!table_.findSysName(equal[p - 1], row)) row = 0;
        return row + 1;
    }
    return ObjectExportAddToSorted(names, name);
}

SimpleSizeBuilder::AddResult SimpleSizeBuilder::addSize(const Vtl_String& name, bool typed,
                                                         const Vtl_StringArray& values, int& resultIndex) {
    resultIndex = -1;
    Vtl_StringArray row = templateCells();
    if (templateRow_ < 0 || row.length() < 2) return AddResult::noTemplate;
    if (name.isEmpty()) return AddResult::emptyName;
    int existing = 0;
    if (table_.findSysName(name, existing)) return AddResult::nameInUse;

    row[0] = name;
    row[1] = "1";
    for (int c = kFirstLanguageColumn; c < kFirstLanguageColumn + kLanguageColumns && c < row.length(); ++c) {
        const int position = c - kFirstLanguageColumn;
        const Vtl_String prefix = !typed && position < prefixes_.length() ? prefixes_[position] : Vtl_String();
        row[c] = prefix + name;
    }
    for (int field = 0; field < kValueFields && field < values.length(); ++field) {
        const int column = kFirstValueColumn + field;
        if (column < row.length()) row[column] = values[field];
    }
    // A tube's radius must exceed its wall thickness; the row is checked before it joins the table.
    if (shapeCode(table_.shape) == kTubeShape && row.length() > kTubeRadiusColumn) {
        const double radius = row[kTubeRadiusColumn].toDouble();
        if (radius != 0 && !(radius > row[kTubeThicknessColumn].toDouble())) return AddResult::badTubeRadius;
    }
    const int position = insertPosition(name);
    if (!table_.rows.insertAt(position, row)) return AddResult::noTemplate;
    resultIndex = table_.getfilteredIdx(position);
    return AddResult::added;
}

// ---- EditLibSimpleDialog ----

EditLibSimpleDialog::EditLibSimpleDialog(const Vtl_ProfValuesTable& table, const Vtl_String& startName, CWnd* parent)
    : CDialog(IDD, parent), builder_(table, startName) {}

BOOL EditLibSimpleDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(dialString(kCaption).c_str());
    SetDlgItemText(kNameFrameId, dialString(kNameText).c_str());
    SetDlgItemText(kBuiltId, dialString(kBuiltText).c_str());
    SetDlgItemText(kTypedId, dialString(kTypedText).c_str());
    SetDlgItemText(kNameLabelId, (dialString(kNameText) + ":").c_str());
    SetDlgItemText(IDOK, dialString(1).c_str());
    SetDlgItemText(IDCANCEL, dialString(2).c_str());

    const Vtl_String picture = sectionImageFile(builder_.table().shape, Vtl_String(), true);
    if (!picture.isEmpty())
        setupPictureButton(this, &picture_, kPictureId, picture, true, true, true);
    else if (CWnd* button = GetDlgItem(kPictureId))
        button->ShowWindow(SW_HIDE);

    const Vtl_StringArray cells = builder_.templateCells();
    const int language = builder_.currentLanguageColumn();
    fieldsFilled_ = language >= 0 && language < cells.length();
    if (fieldsFilled_) {
        SetDlgItemText(kNameId, cells[language].c_str());
        const Vtl_StringArray names = builder_.valueNames();
        for (int field = 0; field < SimpleSizeBuilder::kValueFields; ++field) {
            const int column = SimpleSizeBuilder::kFirstValueColumn + field;
            const bool shown = column < cells.length();
            if (shown) {
                Vtl_String label = Vtl_String(std::string(1, static_cast<char>('A' + field))) + ".";
                if (field < names.length() && !names[field].isEmpty()) label += " " + names[field] + ":";
                SetDlgItemText(labelId(field), label.c_str());
                SetDlgItemText(editId(field), cells[column].c_str());
            }
            GetDlgItem(labelId(field))->ShowWindow(shown ? SW_SHOW : SW_HIDE);
            GetDlgItem(editId(field))->ShowWindow(shown ? SW_SHOW : SW_HIDE);
        }
    }
    CheckRadioButton(kBuiltId, kTypedId, kBuiltId);
    EnDisCtrl(this, kNameId, false);

    getDlgSize(this, minWidth_, minHeight_, 1);
    resizer_.Init(this);
    using A = CResizer;
    using E = ResizeEdge;
    resizer_.Add(kPictureId, A::parent(E::Left), A::parent(E::Top), A::parent(E::Right), A::parent(E::Bottom));
    std::vector<int> right = {kNameFrameId, kBuiltId, kTypedId, kNameLabelId, kNameId};
    for (int field = 0; field < SimpleSizeBuilder::kValueFields; ++field) {
        right.push_back(labelId(field));
        right.push_back(editId(field));
    }
    for (int id : right) resizer_.Add(id, A::parent(E::Right), A::parent(E::Top), A::parent(E::Right), A::parent(E::Top));
    for (int id : {IDOK, IDCANCEL})
        resizer_.Add(id, A::parent(E::Right), A::parent(E::Bottom), A::parent(E::Right), A::parent(E::Bottom));
    ChangeDlgSize(this, kSizeKey, 0);
    return TRUE;
}

bool EditLibSimpleDialog::nameIsBuilt() const {
    return static_cast<CButton*>(GetDlgItem(kBuiltId))->GetCheck() == BST_CHECKED;
}

Vtl_StringArray EditLibSimpleDialog::shownValues() const {
    Vtl_StringArray values;
    for (int field = 0; field < SimpleSizeBuilder::kValueFields; ++field) {
        CWnd* edit = GetDlgItem(editId(field));
        if (!edit || !edit->IsWindowVisible()) break;
        values.append(Vtl_String(GetDlgItemText(editId(field))));
    }
    return values;
}

void EditLibSimpleDialog::showBuiltName() {
    SetDlgItemText(kNameId, (builder_.currentPrefix() + builder_.buildName(shownValues())).c_str());
}

BOOL EditLibSimpleDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (id == kBuiltId && code == BN_CLICKED) {
        EnDisCtrl(this, kNameId, false);
        showBuiltName();
        return TRUE;
    }
    if (id == kTypedId && code == BN_CLICKED) {
        EnDisCtrl(this, kNameId, true);
        return TRUE;
    }
    if (code == EN_CHANGE && id >= editId(0) && id <= editId(SimpleSizeBuilder::kValueFields - 1) &&
        (id - editId(0)) % 2 == 0) {
        if (nameIsBuilt()) showBuiltName();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void EditLibSimpleDialog::OnOK() {
    const bool built = nameIsBuilt();
    const Vtl_StringArray values = shownValues();
    const Vtl_String name = built ? builder_.buildName(values) : Vtl_String(GetDlgItemText(kNameId));
    int index = -1;
    switch (builder_.addSize(name, !built, values, index)) {
    case SimpleSizeBuilder::AddResult::added:
    case SimpleSizeBuilder::AddResult::noTemplate:
        // Without a template row nothing can be added; the dialog closes with no new size.
        resultIndex_ = index;
        CDialog::OnOK();
        return;
    case SimpleSizeBuilder::AddResult::emptyName:
        return;
    case SimpleSizeBuilder::AddResult::nameInUse:
        warnNameInUse(this);
        return;
    case SimpleSizeBuilder::AddResult::badTubeRadius: {
        const Vtl_String text = dialString(kCheckText1) + "\n" + dialString(kCheckText2) + "\n\n" + dialString(kCheckText3) + ".";
        ::MessageBox(m_hWnd, text.c_str(), dialString(kCheckCaption).c_str(), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    }
}

LRESULT EditLibSimpleDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SIZE: {
        const LRESULT r = CDialog::WindowProc(msg, wParam, lParam);
        resizer_.Move();
        return r;
    }
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize = {minWidth_, minHeight_};
        return 0;
    }
    case WM_DESTROY:
        WriteDlgSize(this, kSizeKey);
        break;
    default:
        break;
    }
    return CDialog::WindowProc(msg, wParam, lParam);
}

}  // namespace vtl::ui

bool StartDlgEditLibSimple(const Vtl_String& sysName, Vtl_ProfValuesTable& table, int& index) {
    return vtl::ui::guardExport("StartDlgEditLibSimple", false, [&] {
        KsTempResourceOverride::Scope resources(vtl::ui::resourceOverride());
        vtl::ui::EditLibSimpleDialog dlg(table, sysName);
        if (dlg.DoModal() != IDOK) return false;
        table = dlg.table();
        index = dlg.resultIndex();
        return true;
    });
}
