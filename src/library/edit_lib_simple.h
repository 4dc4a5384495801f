#pragma once
// The simple library editor (template 226): adds one size to a section type whose size names are built
// from dimensions joined by "x" ("100x50x6"). The person starts from an existing size, changes up to eight
// values and gets a new row named after them (or named freely), with display names in every language,
// inserted at its sorted place in a copy of the type's table.
//
// SimpleSizeBuilder holds the rules without any window, so they can be used and checked on their own;
// EditLibSimpleDialog shows them.
#include <vector>

#include "frame/vtlbase.h"
#include "vtlbase/controls/button_st.h"
#include "vtlbase/controls/resizer.h"
#include "vtlui/vtl_prof_values_table.h"
#include "win/dialog.h"

namespace vtl::ui {

class SimpleSizeBuilder {
public:
    static constexpr int kFirstLanguageColumn = 2;
    static constexpr int kLanguageColumns = 4;
    static constexpr int kFirstValueColumn = 6;
    static constexpr int kValueFields = 8;
    // Rows searched for a name pattern from the starting size on.
    static constexpr int kPatternSearchRows = 9999;

    enum class AddResult { added, noTemplate, emptyName, nameInUse, badTubeRadius };

    SimpleSizeBuilder(const Vtl_ProfValuesTable& table, const Vtl_String& startName);

    const Vtl_ProfValuesTable& table() const { return table_; }
    // The row the fields start from; -1 for a table without rows.
    int templateRow() const { return templateRow_; }
    const Vtl_StringArray& prefixes() const { return prefixes_; }
    // For each "x"-part of the pattern name, the value field (0-based) that holds it.
    const std::vector<int>& partMap() const { return partMap_; }
    // The column of the current language, -1 when the table has none.
    int currentLanguageColumn() const { return currentLanguageColumn_; }
    // The current language's prefix ("L " of "L 100x65x7"), empty without one.
    Vtl_String currentPrefix() const;
    // The template row's cells, empty without one.
    Vtl_StringArray templateCells() const;
    // How many value fields the template row fills (0 to 8).
    int valueFieldCount() const;
    // The label names of the value fields: the shape's dimension names for a built-in shape, else the
    // value columns' names translated under "Prof".
    Vtl_StringArray valueNames() const;

    // The size name built from the values of the shown fields (no prefix).
    Vtl_String buildName(const Vtl_StringArray& values) const;
    // Adds the new size: `typed` false gives display names prefix + name, true the name alone. The values
    // are those of the shown fields. On success the row sits at its sorted place and `resultIndex` is its
    // position among the active rows.
    AddResult addSize(const Vtl_String& name, bool typed, const Vtl_StringArray& values, int& resultIndex);

private:
    void findPattern();
    int insertPosition(const Vtl_String& name) const;

    Vtl_ProfValuesTable table_;
    int templateRow_ = -1;
    Vtl_StringArray prefixes_;
    std::vector<int> partMap_;
    int currentLanguageColumn_ = -1;
};

class EditLibSimpleDialog : public CDialog {
public:
    static constexpr UINT IDD = 226;
    static constexpr int kPictureId = 1294;
    static constexpr int kNameFrameId = 1360;
    static constexpr int kBuiltId = 1358;
    static constexpr int kTypedId = 1359;
    static constexpr int kNameLabelId = 1123;
    static constexpr int kNameId = 1000;
    static constexpr int kFirstLabelId = 1299;  // labels 1299, 1301, ..., edits 1300, 1302, ...

    EditLibSimpleDialog(const Vtl_ProfValuesTable& table, const Vtl_String& startName, CWnd* parent = nullptr);

    const Vtl_ProfValuesTable& table() const { return builder_.table(); }
    int resultIndex() const { return resultIndex_; }
    static int labelId(int field) { return kFirstLabelId + 2 * field; }
    static int editId(int field) { return kFirstLabelId + 1 + 2 * field; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    bool nameIsBuilt() const;
    Vtl_StringArray shownValues() const;
    void showBuiltName();

    SimpleSizeBuilder builder_;
    int resultIndex_ = -1;
    bool fieldsFilled_ = false;
    CButtonST picture_;
    CResizer resizer_;
    int minWidth_ = 0;
    int minHeight_ = 0;
};

}  // namespace vtl::ui
