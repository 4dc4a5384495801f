// DSTV point groups: the group files as a Windows peer writes them, damaged files, names that are no file
// names, and the standard group.
#include <filesystem>
#include <fstream>

#include "support/fixture.h"
#include "vtlbase/dstv/dlg_dstv_points.h"
#include "vtlbase/settings.h"

namespace vtl::test {
namespace {
namespace fs = std::filesystem;

std::string bytesOf(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class DstvGroups : public Fixture {
protected:
    fs::path folder() const { return libraryDir() / "DSTV Points"; }
    void write(const std::string& file, const std::string& bytes) {
        fs::create_directories(folder());
        std::ofstream(folder() / file, std::ios::binary) << bytes;
    }
    DlgDstvPoints groups;
};

// Two points as the add-on on Windows writes them: Windows-1252 names ("Stütze Ø18"), CR LF.
const std::string kPeerGroup =
    "Stirnplatte oben\t1\t0\t2\t0\t1\t0\t0\t50\t0\t0\t16\r\n"
    "St\xFCtze \xD8" "18\t0\t1\t3\t1\t0\t2\t3\t42.5\t1\t1\t2\r\n";

TEST_F(DstvGroups, AGroupFromAWindowsPeerReadsAndWritesBackByteForByte) {
    write("Peer.dat", kPeerGroup);
    Vtl_Array<Vtl_DstvPointInfo> points;
    ASSERT_TRUE(groups.readFromFile("Peer", points));
    ASSERT_EQ(points.length(), 2);
    EXPECT_EQ(points[0], [] {
        Vtl_DstvPointInfo p;  // the defaults of a new point
        p.setName("Stirnplatte oben");
        return p;
    }());
    const Vtl_DstvPointInfo& second = points[1];
    EXPECT_EQ(second.getName().str(), "Stütze Ø18");
    bool byExtent = true, byIntersection = false, middle = true, drill = false, byThickness = false;
    KsDstvPointSideSelection s1{}, s2{}, side{};
    short plate = 0;
    double distance = 0, diameter = 0;
    second.getSelectGeomExtent(byExtent, s1, s2);
    second.getSelectIntersGeom(byIntersection, middle, side);
    second.getPlateSelection(plate, distance);
    second.getDrillFullHole(drill, byThickness, diameter);
    EXPECT_FALSE(byExtent);
    EXPECT_EQ(s1, kDstvSideBottom);
    EXPECT_EQ(s2, kDstvSideBack);
    EXPECT_TRUE(byIntersection);
    EXPECT_FALSE(middle);
    EXPECT_EQ(side, kDstvSideFront);
    EXPECT_EQ(plate, 3);
    EXPECT_EQ(distance, 42.5);
    EXPECT_TRUE(drill);
    EXPECT_TRUE(byThickness);
    EXPECT_EQ(diameter, 2.0);
    ASSERT_TRUE(groups.writeToFile("Peer", points));
    EXPECT_EQ(bytesOf(folder() / "Peer.dat"), kPeerGroup);
    // An empty group file (as "+" makes it) is a group without points; empty lines hold none.
    write("Empty.dat", "");
    ASSERT_TRUE(groups.readFromFile("empty", points));
    EXPECT_EQ(points.length(), 0);
    write("Gaps.dat", "\r\n" + kPeerGroup + "\r\n");
    ASSERT_TRUE(groups.readFromFile("Gaps", points));
    EXPECT_EQ(points.length(), 2);
}

TEST_F(DstvGroups, ADamagedGroupIsNotReadAndLeavesThePointsAsTheyWere) {
    Vtl_Array<Vtl_DstvPointInfo> points;
    points.append(Vtl_DstvPointInfo());
    for (const char* damaged : {
             "A\t1\t0\t2\t0\t1\t0\t0\t50\t0\t0\r\n",         // a field missing
             "A\t1\t0\t2\t0\t1\t0\t0\t50\t0\t0\t16\t9\r\n",  // one too many
             "A\t2\t0\t2\t0\t1\t0\t0\t50\t0\t0\t16\r\n",     // a flag that is no flag
             "A\t1\t4\t2\t0\t1\t0\t0\t50\t0\t0\t16\r\n",     // no such side
             "A\t1\t0\t2\t0\t1\t0\t5\t50\t0\t0\t16\r\n",     // no such plate
             "A\t1\t0\t2\t0\t1\t0\t0\tfifty\t0\t0\t16\r\n",  // no number
             "A\t1\t0\t2\t0\t1\t0\t0\t50\t0\t0\t1e3\r\n",    // not a decimal number
         }) {
        write("Bad.dat", damaged);
        EXPECT_FALSE(groups.readFromFile("Bad", points)) << damaged;
        EXPECT_EQ(points.length(), 1) << damaged;
    }
    EXPECT_FALSE(groups.readFromFile("Missing", points));
}

TEST_F(DstvGroups, NamesThatAreNoFileNamesNameNoGroup) {
    Vtl_Array<Vtl_DstvPointInfo> points;
    points.append(Vtl_DstvPointInfo());
    fs::create_directories(folder());
    std::ofstream(libraryDir() / "x.dat", std::ios::binary) << "keep";
    for (const char* name : {"..\\x", "../x", "..", "", "sub\\x", "c:\\x", "NUL"}) {
        EXPECT_TRUE(groups.groupFilePath(name).isEmpty()) << name;
        EXPECT_FALSE(groups.writeToFile(name, points)) << name;
        EXPECT_FALSE(groups.readFromFile(name, points)) << name;
        EXPECT_FALSE(groups.setStandardDstvPointsFile(name)) << name;
    }
    EXPECT_EQ(bytesOf(libraryDir() / "x.dat"), "keep");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder()), fs::directory_iterator()), 0);
}

TEST_F(DstvGroups, TheListHoldsTheGroupFilesAndTheStandardGroupIsRemembered) {
    Vtl_StringArray names;
    groups.getAllDstvPointsFiles(names);
    EXPECT_TRUE(names.isEmpty());
    EXPECT_TRUE(groups.getStandardDstvPointsFile().isEmpty());
    // Writing a group makes the folder.
    ASSERT_TRUE(groups.writeToFile("plates", Vtl_Array<Vtl_DstvPointInfo>()));
    write("Beams.DAT", "");
    write("notes.txt", "");
    groups.getAllDstvPointsFiles(names);
    EXPECT_EQ(names, (Vtl_StringArray{"Beams", "plates"}));
    EXPECT_EQ(groups.getDstvPointsFolder().str(), gSettings.libDir().str() + "DSTV Points\\");
    ASSERT_TRUE(groups.setStandardDstvPointsFile("plates"));
    EXPECT_EQ(groups.getStandardDstvPointsFile().str(), "plates.dat");
    EXPECT_EQ(bytesOf(folder() / "standard.ini"), "standard=plates.dat\r\n");
    ASSERT_TRUE(groups.setStandardDstvPointsFile("Beams.DAT"));
    EXPECT_EQ(DlgDstvPoints().getStandardDstvPointsFile().str(), "Beams.DAT");
    groups.getAllDstvPointsFiles(names);
    EXPECT_EQ(names.length(), 2);  // the remembered choice is no group
}

}  // namespace
}  // namespace vtl::test
