// The cutting-stock record: each profile's rows as one block that storing moves to the end, removing a
// profile with its rows, new ids.
#include "support/fixture.h"
#include "vtlbase/cutstock/dlg_csp2_data.h"

namespace vtl::test {
namespace {
Vtl_Array<Vtl_StringArray> rows(std::initializer_list<const char*> firsts) {
    Vtl_Array<Vtl_StringArray> t;
    for (const char* f : firsts) t.append(Vtl_StringArray{Vtl_String(f), Vtl_String("1"), Vtl_String("")});
    return t;
}

std::string firsts(const DlgCSP2List& list) {
    std::string s;
    for (int i = 0; i < list.rows.length(); ++i) s += std::to_string(list.rowOwners[i]) + ":" + list.rows[i][0].str() + " ";
    return s;
}

TEST(CuttingStockData, StoringAProfileMovesItsRowsToTheEndAndKeepsTheOthersInOrder) {
    DlgCSP2Data d;
    EXPECT_EQ(d.nextProfileId(), 1);
    EXPECT_EQ(d.addProfile("IPE 300"), 1);
    EXPECT_EQ(d.addProfile("HEA 200"), 2);
    d.list1.replaceRowsOf(1, rows({"a", "b"}));
    d.list1.replaceRowsOf(2, rows({"c"}));
    d.list1.replaceRowsOf(1, rows({"d", "e", "f"}));
    EXPECT_EQ(firsts(d.list1), "2:c 1:d 1:e 1:f ");
    EXPECT_EQ(d.list1.countOf(1), 3);
    Vtl_Array<Vtl_StringArray> got;
    d.list1.rowsOf(2, got);
    ASSERT_EQ(got.length(), 1);
    EXPECT_EQ(got[0][0].str(), "c");
    d.list1.replaceRowsOf(1, Vtl_Array<Vtl_StringArray>{});
    EXPECT_EQ(firsts(d.list1), "2:c ");
    // Several blocks at once end as they would one after the other.
    d.list1.replaceRowsOf(1, rows({"g"}));
    d.list1.replaceRowsOf(3, rows({"h"}));
    DlgCSP2List sequential = d.list1;
    sequential.replaceRowsOf(2, rows({"i", "j"}));
    sequential.replaceRowsOf(1, rows({"k"}));
    std::vector<DlgCSP2List::Block> blocks;
    blocks.emplace_back(2, rows({"i", "j"}));
    blocks.emplace_back(1, rows({"k"}));
    d.list1.replaceRowsOf(std::move(blocks));
    EXPECT_EQ(firsts(d.list1), firsts(sequential));
    EXPECT_EQ(firsts(d.list1), "3:h 2:i 2:j 1:k ");
}

TEST(CuttingStockData, RemovingAProfileTakesItsRowsFromEveryListAndIdsKeepGrowing) {
    DlgCSP2Data d;
    d.addProfile("IPE 300");
    d.addProfile("HEA 200");
    d.addProfile("L 80x8");
    for (int n = 1; n <= 3; ++n) {
        d.list(n).replaceRowsOf(2, rows({"x"}));
        d.list(n).replaceRowsOf(3, rows({"y"}));
    }
    EXPECT_TRUE(d.removeProfile(2));
    EXPECT_FALSE(d.removeProfile(2));
    for (int n = 1; n <= 3; ++n) EXPECT_EQ(firsts(d.list(n)), "3:y ");
    EXPECT_EQ(d.profileNames.length(), 2);
    EXPECT_EQ(d.profileNames[1].str(), "L 80x8");
    EXPECT_EQ(d.indexOfProfile(3), 1);
    EXPECT_EQ(d.nextProfileId(), 4);  // the largest id plus one, not the count
}

}  // namespace
}  // namespace vtl::test
