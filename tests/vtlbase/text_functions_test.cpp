// Text functions: split and join round trips with empty cells and the stock-file separator, number tests,
// unused names, duplicates and natural order.
#include <gtest/gtest.h>

#include <vector>

#include "vtlbase/text_functions.h"

namespace {

std::vector<std::string> items(const Vtl_StringArray& a) {
    std::vector<std::string> out;
    for (const auto& t : a) out.push_back(t.str());
    return out;
}

TEST(TextFunctions, SplitAndJoinKeepEmptyCells) {
    Vtl_StringArray f{"stale"};
    strToArr("a;b;c;;", ';', f);
    EXPECT_EQ(items(f), (std::vector<std::string>{"a", "b", "c", "", ""}));
    EXPECT_EQ(arrToStr(f, ';'), "a;b;c;;");
    strToArr(";", ';', f);
    EXPECT_EQ(items(f), (std::vector<std::string>{"", ""}));
    EXPECT_EQ(arrToStr(f, ';'), ";");
    strToArr("", ';', f);
    EXPECT_TRUE(f.isEmpty());
    EXPECT_EQ(arrToStr(f, ';'), "");
    strToArr("100x10", 'x', f);
    EXPECT_EQ(items(f), (std::vector<std::string>{"100", "10"}));

    // The stock-file separator: byte 191 of Windows-1252, a two-byte character inside.
    strToArr("a¿é¿12", '\xBF', f);
    EXPECT_EQ(items(f), (std::vector<std::string>{"a", "é", "12"}));
    EXPECT_EQ(arrToStr(f, '\xBF'), "a¿é¿12");
    strToArr("x→y→", U'→', f);
    EXPECT_EQ(items(f), (std::vector<std::string>{"x", "y", ""}));
}

TEST(TextFunctions, TablesRoundTripAndACellWithTheSeparatorSplits) {
    Vtl_Array<Vtl_StringArray> rows;
    rows.append({"HEA 100", "", "12.5"});
    rows.append({"a¿b"});  // a cell holding the separator
    rows.append({});
    Vtl_StringArray lines;
    arrArrToArr(rows, '\xBF', lines);
    EXPECT_EQ(items(lines), (std::vector<std::string>{"HEA 100¿¿12.5", "a¿b", ""}));
    Vtl_Array<Vtl_StringArray> back;
    arrToArrArr(lines, '\xBF', back);
    ASSERT_EQ(back.length(), 3);
    EXPECT_EQ(back[0], rows[0]);
    EXPECT_EQ(items(back[1]), (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(back[2].isEmpty());
}

TEST(TextFunctions, RecognisesNumbers) {
    for (const char* yes : {"12", "-3.5", "+.5", "7.", " 42 ", "0"}) EXPECT_TRUE(isNumber(yes)) << yes;
    for (const char* no : {"", "-", ".", "1e3", "12a", "1.2.3", "1,5", "--1", "x1"}) EXPECT_FALSE(isNumber(no)) << no;
    // The value follows the same rule, blanks around included.
    EXPECT_EQ(parseNumber(" -3.5 "), -3.5);
    EXPECT_EQ(parseNumber("+.5"), 0.5);
    EXPECT_EQ(parseNumber("7."), 7.0);
    EXPECT_EQ(parseNumber("-.25"), -0.25);
    EXPECT_FALSE(parseNumber("1e3"));
    EXPECT_FALSE(parseNumber("inf"));

    for (const char* yes : {"1abc", "-2", ".5x", "+.5"}) EXPECT_TRUE(startsWithNumber(yes)) << yes;
    for (const char* no : {"", "a1", "-", "-x", " 1", "."}) EXPECT_FALSE(startsWithNumber(no)) << no;

    int pos = -1;
    int len = -1;
    ASSERT_TRUE(findFirstNumbers("HEA 100", pos, len));
    EXPECT_EQ(Vtl_String("HEA 100").getSubStringAt(0, pos), "HEA ");
    EXPECT_EQ(len, 3);
    ASSERT_TRUE(findFirstNumbers("Ø 12.5x3", pos, len));
    EXPECT_EQ(pos, 2);  // characters, not bytes
    EXPECT_EQ(len, 4);
    ASSERT_TRUE(findFirstNumbers("L5.", pos, len));
    EXPECT_EQ(len, 1);
    pos = 7;
    EXPECT_FALSE(findFirstNumbers("IPE", pos, len));
    EXPECT_EQ(pos, 7);

    EXPECT_EQ(stripNumbersAtEnd("Corner12"), "Corner");
    EXPECT_EQ(stripNumbersAtEnd("Plate 2"), "Plate ");
    EXPECT_EQ(stripNumbersAtEnd("M2x"), "M2x");
    EXPECT_EQ(stripNumbersAtEnd("123"), "123");

    AcArray<double> values;
    values.append(99.0);
    atof({"1.5", "abc", "", "-2"}, values);
    ASSERT_EQ(values.length(), 4);
    EXPECT_EQ(values[0], 1.5);
    EXPECT_EQ(values[1], 0.0);
    EXPECT_EQ(values[2], 0.0);
    EXPECT_EQ(values[3], -2.0);
}

TEST(TextFunctions, UnusedNamesAndDuplicates) {
    EXPECT_EQ(findNonExistingString({"HEA", "IPE"}, "NewType"), "NewType");
    EXPECT_EQ(findNonExistingString({"newtype", "NewType_1"}, "NewType"), "NewType_2");
    EXPECT_EQ(findNonExistingString({}, "X"), "X");

    EXPECT_FALSE(hasDuplicates({"Corner", "Plate", "corner"}));
    EXPECT_TRUE(hasDuplicates({"Corner", "Plate", "corner"}, false));
    EXPECT_TRUE(hasDuplicates({"", "a", ""}));
    EXPECT_FALSE(hasDuplicates({}));
}

TEST(TextFunctions, SmallArraysAndSorting) {
    EXPECT_EQ(items(stringArr("a", Vtl_String("b"), std::string("c"))), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_TRUE(stringArr().isEmpty());
    const AcArray<int> ints = intArr(1, 2, 3, 4, 5);
    EXPECT_EQ(std::vector<int>(ints.begin(), ints.end()), (std::vector<int>{1, 2, 3, 4, 5}));

    AcArray<double> keys;
    AcArray<int> payload;
    for (double k : {30.0, 10.0, 20.0, 10.0}) keys.append(k);
    for (int p : {0, 1, 2, 3}) payload.append(p);
    ASSERT_TRUE(ObjectExportSort(keys, payload));
    EXPECT_EQ(std::vector<int>(payload.begin(), payload.end()), (std::vector<int>{1, 3, 2, 0}));  // stable
    payload.removeLast();
    EXPECT_FALSE(ObjectExportSort(keys, payload));

    Vtl_StringArray sorted{"L50x5", "L60x6", "L100x10"};
    EXPECT_EQ(ObjectExportAddToSorted(sorted, "L80x8"), 2);
    EXPECT_EQ(ObjectExportAddToSorted(sorted, "L60x6"), 2);  // after the equal entry
    EXPECT_EQ(ObjectExportAddToSorted(sorted, "L40x4"), 0);
    EXPECT_EQ(items(sorted), (std::vector<std::string>{"L40x4", "L50x5", "L60x6", "L60x6", "L80x8", "L100x10"}));

    Vtl_StringArray names{"m10", "M9", "m9", "M010", "a"};
    sortNatural(names);
    EXPECT_EQ(items(names), (std::vector<std::string>{"a", "M9", "m9", "M010", "m10"}));
}

}  // namespace
