// Vtl_Array and Vtl_StringArray: the exact diagnostics of bad positions on the command line, arrays left
// unchanged, growth, and aliasing of appended elements.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "host/command_line.h"
#include "vtlbase/vtl_array.h"
#include "vtlbase/vtl_string_array.h"

namespace {

struct Point {
    int x = 0;
    Vtl_String name;
    bool operator==(const Point&) const = default;
};

std::vector<int> xs(const Vtl_Array<Point>& a) {
    std::vector<int> out;
    for (const auto& p : a) out.push_back(p.x);
    return out;
}

TEST(VtlArray, BadPositionsPrintTheDiagnosticAndChangeNothing) {
    vtl::host::clearCommandLine();
    Vtl_Array<Point> a;
    a.append({1, "a"});
    a.append({2, "b"});
    EXPECT_FALSE(a.insertAt(3, {9, "z"}));
    EXPECT_EQ(vtl::host::commandLineText(), "*Error* Invalid index passed to insert.\n");
    EXPECT_FALSE(a.insertAt(-1, {9, "z"}));
    EXPECT_FALSE(a.removeAt(2));
    EXPECT_FALSE(a.removeAt(-1));
    EXPECT_EQ(vtl::host::commandLineText(),
              "*Error* Invalid index passed to insert.\n*Error* Invalid index passed to insert.\n"
              "*Error* Invalid index passed to remove.\n*Error* Invalid index passed to remove.\n");
    EXPECT_EQ(xs(a), (std::vector<int>{1, 2}));

    vtl::host::clearCommandLine();
    EXPECT_TRUE(a.insertAt(2, {3, "c"}));  // the end is a valid insert position
    EXPECT_TRUE(a.insertAt(0, {0, "-"}));
    EXPECT_TRUE(a.removeAt(1));
    EXPECT_EQ(xs(a), (std::vector<int>{0, 2, 3}));
    EXPECT_EQ(vtl::host::commandLineText(), "");
    EXPECT_THROW(a[3], std::out_of_range);
    EXPECT_THROW(a.at(-1), std::out_of_range);
}

TEST(VtlArray, GrowsInStepsThenByHalfAndCopiesDeeply) {
    Vtl_Array<Point> a;
    EXPECT_EQ(a.growLength(), 8);
    std::vector<int> physical;
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(a.append({i, ""}), i);
        if (physical.empty() || physical.back() != a.physicalLength()) physical.push_back(a.physicalLength());
    }
    EXPECT_EQ(physical, (std::vector<int>{8, 16, 24, 32, 40}));
    for (int i = 40; i < 20000; ++i) a.append({i, ""});
    EXPECT_LT(a.physicalLength(), 2 * 20000);

    // Appending an element of the array itself while it grows.
    Vtl_Array<Point> b(1, 1);
    b.append({7, "seven"});
    for (int i = 0; i < 5; ++i) b.append(b[0]);
    EXPECT_EQ(b.length(), 6);
    EXPECT_EQ(b[5], (Point{7, "seven"}));

    Vtl_Array<Point> c = b;
    c[0].name = "changed";
    EXPECT_EQ(b[0].name, "seven");

    b.setLogicalLength(8);
    EXPECT_EQ(b[7], Point{});
    b.setPhysicalLength(2);
    EXPECT_EQ(b.length(), 2);
    b.setLogicalLength(-4);
    EXPECT_TRUE(b.isEmpty());
}

TEST(VtlStringArray, FindsEntriesAndReportsBadPositions) {
    vtl::host::clearCommandLine();
    Vtl_StringArray a{"SysName", "I/O", "Dutch", "English"};
    EXPECT_EQ(a.find("Dutch"), 2);
    EXPECT_EQ(a.find("dutch"), -1);
    EXPECT_EQ(a.find("dutch", false), 2);
    EXPECT_EQ(a.find("Dut"), -1);
    EXPECT_TRUE(a.contains("I/O"));
    EXPECT_FALSE(a.contains(""));

    EXPECT_FALSE(a.insertAt(5, "x"));
    EXPECT_FALSE(a.removeAt(4));
    EXPECT_EQ(vtl::host::commandLineText(),
              "*Error* Invalid index passed to insert.\n*Error* Invalid index passed to remove.\n");
    EXPECT_EQ(a.length(), 4);

    a.setLogicalLength(6);
    EXPECT_EQ(a[5], "");
    a.append(a);
    EXPECT_EQ(a.length(), 12);
    EXPECT_EQ(a[6], "SysName");
    a.setLogicalLength(0);
    EXPECT_TRUE(a.isEmpty());
    EXPECT_THROW(a[0], std::out_of_range);
}

}  // namespace
