// One designed control: its "comboList" parts, combo item files and what each type is.
#include <filesystem>
#include <fstream>

#include "designer/control_types.h"
#include "host/command_line.h"
#include "support/fixture.h"
#include "vtlui/vtl_designer_control.h"

namespace vtl::test {
namespace {
using namespace vtl::designer;

class DesignerControl : public Fixture {};

TEST_F(DesignerControl, CellAndFlexibleButtonListsSplitIntoFixedFields) {
    Vtl_DesignerControl c;
    c.type = 25;
    c.listText = "old";
    c.cellBtnPart4 = "old";
    EXPECT_TRUE(c.setSplitExtComboList("A;B;C"));
    EXPECT_EQ(c.cellBtnPart1.str(), "A");
    EXPECT_EQ(c.cellBtnPart3.str(), "C");
    EXPECT_TRUE(c.cellBtnPart4.isEmpty());
    EXPECT_TRUE(c.listText.isEmpty());
    EXPECT_EQ(c.getMergedExtComboList().str(), "A;B;C;;");

    c.type = 30;
    c.setSplitExtComboList("g;2;3;4;5;6");  // extra fields are ignored
    EXPECT_EQ(c.flexBtnPart1.str(), "g");
    EXPECT_EQ(c.flexBtnPart4.str(), "4");
    EXPECT_EQ(c.getMergedExtComboList().str(), "g;2;3;4");
    c.setSplitExtComboList("");
    EXPECT_EQ(c.getMergedExtComboList().str(), ";;;");

    // Every other type keeps the whole text, separators included, and drops a stale cell-button part 2.
    c.type = 2;
    c.cellBtnPart2 = "stale";
    c.setSplitExtComboList("x;y");
    EXPECT_EQ(c.listText.str(), "x;y");
    EXPECT_TRUE(c.cellBtnPart2.isEmpty());
    EXPECT_EQ(c.getMergedExtComboList().str(), "x;y");

    Vtl_DesignerControl copy(c);
    EXPECT_EQ(copy.listText, c.listText);
    EXPECT_EQ(copy.flexBtnPart1, c.flexBtnPart1);
}

TEST_F(DesignerControl, ComboItemsComeFromTheNamedFileOnly) {
    const auto file = libraryDir() / "items.txt";
    std::ofstream(file, std::ios::binary) << "M12\r\nM16\r\n\xB5m\r\n";
    Vtl_DesignerControl c;
    c.type = 3;
    c.listText = Vtl_String(file.string());
    Vtl_StringArray items{"kept"};
    c.getComboItemsFromFile(items);
    EXPECT_EQ(items, (Vtl_StringArray{"M12", "M16", "µm"}));

    items = Vtl_StringArray{"kept"};
    c.listText = Vtl_String(file.string() + ".missing");
    c.getComboItemsFromFile(items);
    c.listText = "";
    c.getComboItemsFromFile(items);
    EXPECT_EQ(items, (Vtl_StringArray{"kept"}));

    // A file of more lines than any list a person chooses from is not used, and the command line says so.
    std::ofstream(file, std::ios::binary) << std::string(Vtl_DesignerControl::kMaxComboFileItems + 1, '\n');
    c.listText = Vtl_String(file.string());
    c.getComboItemsFromFile(items);
    EXPECT_EQ(items, (Vtl_StringArray{"kept"}));
    EXPECT_NE(host::commandLineText().find("more than 10000 lines"), std::string::npos) << host::commandLineText();
}

TEST_F(DesignerControl, TypesMapToTheirWindowKindsAndTexts) {
    const int buttons[] = {1, 6, 12, 14, 17, 24, 25, 26, 29, 30};
    const int edits[] = {2, 4, 5, 8, 9, 10, 11, 18, 19, 20, 21, 22, 23};
    const int combos[] = {3, 7, 13, 15, 16, 27, 28};
    int counted = 0;
    for (int t : buttons) {
        EXPECT_EQ(controlKind(t), ControlKind::Button) << t;
        ++counted;
    }
    for (int t : edits) {
        EXPECT_EQ(controlKind(t), ControlKind::Edit) << t;
        ++counted;
    }
    for (int t : combos) {
        EXPECT_EQ(controlKind(t), ControlKind::ComboBox) << t;
        ++counted;
    }
    EXPECT_EQ(controlKind(0), ControlKind::Static);
    EXPECT_EQ(controlKind(31), ControlKind::Static);
    EXPECT_EQ(controlKind(-4), ControlKind::Static);
    EXPECT_EQ(counted + 1, kControlTypeCount);
    EXPECT_STREQ(controlKindClassName(ControlKind::ComboBox), "COMBOBOX");

    for (int t = 0; t < kControlTypeCount; ++t) EXPECT_FALSE(controlTypeCaption(t).isEmpty()) << t;
    EXPECT_TRUE(controlTypeCaption(4).hasSubString(" 1: "));
    EXPECT_TRUE(controlTypeCaption(5).hasSubString(" 2: "));
    EXPECT_TRUE(controlTypeCaption(31).isEmpty());
    EXPECT_TRUE(controlTypeContentsLabel(7).isEmpty());
    EXPECT_FALSE(controlTypeContentsLabel(28).isEmpty());

    const int withList[] = {0, 1, 3, 23, 25, 26, 27, 29, 30};
    int lists = 0;
    for (int t = 0; t < kControlTypeCount; ++t) lists += controlTypeHasList(t) ? 1 : 0;
    for (int t : withList) EXPECT_TRUE(controlTypeHasList(t)) << t;
    EXPECT_EQ(lists, 9);
    Vtl_StringArray parts;
    strToArr(controlTypeListLabel(25), ';', parts);
    EXPECT_EQ(parts.length(), 4);
    EXPECT_TRUE(controlTypeListLabel(2).isEmpty());
}

}  // namespace
}  // namespace vtl::test
