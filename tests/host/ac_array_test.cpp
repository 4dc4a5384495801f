// AcArray and AcDbObjectId: growth in steps, out-of-range use, removal of every occurrence, value ids.
#include <gtest/gtest.h>

#include <set>
#include <unordered_set>
#include <vector>

#include "host/ac_array.h"
#include "host/object_id.h"

namespace {

template <class T>
std::vector<T> items(const AcArray<T>& a) {
    return std::vector<T>(a.begin(), a.end());
}

TEST(AcArray, GrowsInStepsOfEightThenByHalfItsSize) {
    AcArray<int> a;
    EXPECT_EQ(a.physicalLength(), 0);
    EXPECT_EQ(a.growLength(), 8);
    std::vector<int> physical;
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(a.append(i), i);
        if (physical.empty() || physical.back() != a.physicalLength()) physical.push_back(a.physicalLength());
    }
    EXPECT_EQ(physical, (std::vector<int>{8, 16, 24, 32, 40}));
    for (int i = 40; i < 100000; ++i) a.append(i);
    EXPECT_EQ(a.length(), 100000);
    EXPECT_EQ(a.physicalLength() % 8, 0);
    EXPECT_LT(a.physicalLength(), 2 * 100000);
    EXPECT_EQ(a[99999], 99999);

    AcArray<int> b(3, 0);  // a growth length below 1 counts as 1
    EXPECT_EQ(b.growLength(), 1);
    EXPECT_EQ(b.physicalLength(), 3);
    EXPECT_EQ(b.length(), 0);
}

TEST(AcArray, OutOfRangeUseThrowsAndChangesNothing) {
    AcArray<int> a;
    EXPECT_THROW(a[0], std::out_of_range);
    EXPECT_THROW(a.at(-1), std::out_of_range);
    EXPECT_THROW(a.first(), std::out_of_range);
    EXPECT_THROW(a.last(), std::out_of_range);
    EXPECT_THROW(a.removeLast(), std::out_of_range);
    a.append(1);
    a.append(2);
    EXPECT_THROW(a[2], std::out_of_range);
    EXPECT_THROW(a.setAt(-1, 9), std::out_of_range);
    EXPECT_THROW(a.insertAt(3, 9), std::out_of_range);
    EXPECT_THROW(a.insertAt(-1, 9), std::out_of_range);
    EXPECT_THROW(a.removeAt(2), std::out_of_range);
    EXPECT_THROW(a.setLogicalLength(-1), std::length_error);
    EXPECT_THROW(a.setPhysicalLength(-1), std::length_error);
    EXPECT_EQ(items(a), (std::vector<int>{1, 2}));
    const AcArray<int>& c = a;
    EXPECT_THROW(c[5], std::out_of_range);
}

TEST(AcArray, InsertsAndRemovesAtBothEndsAndInside) {
    AcArray<int> a;
    a.insertAt(0, 2).insertAt(0, 1).insertAt(2, 4).insertAt(2, 3);  // at the length appends
    EXPECT_EQ(items(a), (std::vector<int>{1, 2, 3, 4}));
    a.removeAt(1).removeFirst().removeLast();
    EXPECT_EQ(items(a), std::vector<int>{3});
    // An element of the array itself, appended or inserted while the array grows.
    AcArray<int> b;
    for (int i = 0; i < 8; ++i) b.append(i);
    b.append(b[3]);
    b.insertAt(0, b[8]);
    EXPECT_EQ(b[0], 3);
    EXPECT_EQ(b[9], 3);
    b.append(b);
    EXPECT_EQ(b.length(), 20);
    EXPECT_EQ(b[19], 3);
}

TEST(AcArray, LogicalAndPhysicalLengths) {
    AcArray<int> a;
    for (int i = 1; i <= 5; ++i) a.append(i);
    a.setLogicalLength(2);
    EXPECT_EQ(a.physicalLength(), 8);
    a.setLogicalLength(10);  // the elements that come back into use are fresh, not the old 3, 4, 5
    EXPECT_EQ(items(a), (std::vector<int>{1, 2, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(a.physicalLength(), 16);
    a.removeAll();
    EXPECT_TRUE(a.isEmpty());
    EXPECT_EQ(a.physicalLength(), 16);
    a.setLogicalLength(3);
    EXPECT_EQ(items(a), (std::vector<int>{0, 0, 0}));
    a[2] = 7;
    a.setPhysicalLength(2);  // a shorter room cuts the elements
    EXPECT_EQ(items(a), (std::vector<int>{0, 0}));
    a.setPhysicalLength(0);
    EXPECT_EQ(a.length(), 0);
    a.append(4);
    EXPECT_EQ(a.first(), 4);
}

TEST(AcArray, FindsAndRemovesEveryOccurrence) {
    AcArray<int> a;
    for (int v : {-12, 1, -12, -12, 2, -12}) a.append(v);
    int at = -1;
    EXPECT_TRUE(a.find(-12, at, 1));
    EXPECT_EQ(at, 2);
    EXPECT_FALSE(a.find(-12, at, 6));
    EXPECT_FALSE(a.find(-12, at, -1));
    EXPECT_EQ(a.find(2), 4);
    EXPECT_EQ(a.find(3), -1);
    EXPECT_TRUE(a.contains(1));
    EXPECT_FALSE(a.contains(1, 2));
    EXPECT_EQ(a.removeEvery(-12), 4);
    EXPECT_EQ(items(a), (std::vector<int>{1, 2}));
    EXPECT_EQ(a.removeEvery(-12), 0);
    EXPECT_TRUE(a.remove(2));
    EXPECT_FALSE(a.remove(2));
    // Removing every occurrence of a value taken from the array itself.
    AcArray<int> b;
    for (int v : {5, 6, 5}) b.append(v);
    EXPECT_EQ(b.removeEvery(b[0]), 2);
    EXPECT_EQ(items(b), std::vector<int>{6});
}

TEST(AcArray, CopiesAreIndependentAndBoolElementsAreReal) {
    AcArray<bool> a;
    a.append(true);
    a.append(false);
    bool& first = a[0];
    first = false;
    AcArray<bool> copy = a;
    copy[1] = true;
    EXPECT_EQ(items(a), (std::vector<bool>{false, false}));
    EXPECT_EQ(items(copy), (std::vector<bool>{false, true}));
    EXPECT_FALSE(a == copy);
    copy = a;
    EXPECT_TRUE(a == copy);
    AcArray<bool> moved = std::move(copy);
    EXPECT_EQ(moved.length(), 2);
    EXPECT_EQ(copy.length(), 0);  // NOLINT(bugprone-use-after-move): a moved-from array is empty
    copy.append(true);
    EXPECT_EQ(copy.length(), 1);
}

TEST(AcDbObjectId, IsANullableValueUsableAsAKey) {
    AcDbObjectId id;
    EXPECT_TRUE(id.isNull());
    EXPECT_EQ(id, AcDbObjectId::kNull);
    id.setFromOldId(42);
    EXPECT_FALSE(id.isNull());
    EXPECT_EQ(id.asOldId(), 42);
    const AcDbObjectId copy = id;
    EXPECT_EQ(copy, AcDbObjectId::fromOldId(42));
    EXPECT_NE(copy, AcDbObjectId::fromOldId(43));
    id.setNull();
    EXPECT_TRUE(id.isNull());
    EXPECT_EQ(copy.asOldId(), 42);

    std::set<AcDbObjectId> ordered{AcDbObjectId::fromOldId(3), AcDbObjectId::fromOldId(1), AcDbObjectId::fromOldId(3)};
    EXPECT_EQ(ordered.size(), 2u);
    EXPECT_EQ(ordered.begin()->asOldId(), 1);
    std::unordered_set<AcDbObjectId> hashed{AcDbObjectId::fromOldId(7), AcDbObjectId::fromOldId(7)};
    EXPECT_EQ(hashed.size(), 1u);

    AcArray<AcDbObjectId> ids;
    ids.append(AcDbObjectId::fromOldId(5));
    ids.append(AcDbObjectId::kNull);
    EXPECT_EQ(ids.find(AcDbObjectId()), 1);
}

}  // namespace
