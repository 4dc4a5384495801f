// Files as the module names them: case-insensitive resolution, atomic writes, copies, searches (with file
// times).
#include <filesystem>
#include <fstream>

#include "support/fixture.h"
#include "vtlbase/files/file_io.h"
#include "vtlbase/files/paths.h"

namespace vtl::test {
namespace {
using namespace vtl::base::files;
namespace fs = std::filesystem;

std::string bytesOf(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class Files : public Fixture {
protected:
    // The library folder as the module writes it: backslashes and a final separator.
    std::string lib(const std::string& rest = "") {
        std::string p = libraryDir().string() + "\\" + rest;
        return p;
    }
};

TEST_F(Files, TextRoundTripsAsWindows1252WithCrLfAndAwkwardCells) {
    const std::vector<std::string> lines = {"a¿b\"c\"", "", "été", std::string(100000, 'x')};
    std::string error;
    ASSERT_TRUE(writeLines(lib("t.txt"), lines, error)) << error;
    const std::string raw = bytesOf(libraryDir() / "t.txt");
    EXPECT_EQ(raw.substr(0, 10), "a\xBF" "b\"c\"\r\n\r\n");
    std::vector<std::string> back;
    ASSERT_TRUE(readLines(lib("t.txt"), back, error)) << error;
    EXPECT_EQ(back, lines);
}

TEST_F(Files, AFailedWriteLeavesTheOldFileAsItWas) {
    std::string error;
    ASSERT_TRUE(writeText(lib("keep.txt"), "old\r\n", error));
    EXPECT_FALSE(writeText(lib("keep.txt"), "new \xCF\x80\r\n", error));
    EXPECT_NE(error.find("cannot be stored"), std::string::npos);
    EXPECT_EQ(bytesOf(libraryDir() / "keep.txt"), "old\r\n");
    EXPECT_FALSE(writeText(lib("no folder\\x.txt"), "x", error));
    // No temporary files are left behind.
    int files = 0;
    for (const auto& e : fs::directory_iterator(libraryDir())) files += e.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 1);
}

// Text whose Windows-1252 bytes would read back as other text is written so that it reads back as written.
TEST_F(Files, TextThatWindows1252WouldChangeReadsBackAsWritten) {
    const std::vector<std::string> awkward = {
        "Ma\xC3\x83\xC2\xBF",                           // "MaÃ¿": its Windows-1252 bytes are UTF-8 for "Maÿ"
        "\xC3\xAF\xC2\xBB\xC2\xBF" "Beam=IPE 300",      // starts with the characters of a byte-order mark
        "plain=IPE 300",                                  // ordinary text stays Windows-1252
    };
    for (const auto& text : awkward) {
        std::string error, back;
        ASSERT_TRUE(writeText(lib("t.txt"), text, error)) << error;
        ASSERT_TRUE(readText(lib("t.txt"), back, error)) << error;
        EXPECT_EQ(back, text);
    }
    EXPECT_EQ(bytesOf(libraryDir() / "t.txt"), "plain=IPE 300");
    // A Windows-1252 list with a line that is dropped on save: what is left still reads back as it stood.
    std::ofstream(libraryDir() / "list.txt", std::ios::binary) << "comment \xE9t\xE9\r\nName=Ma\xC3\xBF\r\n";
    std::vector<std::string> lines;
    std::string error;
    ASSERT_TRUE(readLines(lib("list.txt"), lines, error));
    ASSERT_EQ(lines.size(), 2u);
    ASSERT_TRUE(writeLines(lib("list.txt"), {lines[1]}, error)) << error;
    std::vector<std::string> back;
    ASSERT_TRUE(readLines(lib("list.txt"), back, error));
    EXPECT_EQ(back, std::vector<std::string>{lines[1]});
}

// Every write, rename and folder creation that fails leaves the old file whole, says why and leaves no
// temporary file behind.
TEST_F(Files, FailedOperationsKeepTheOldFile) {
    std::string error;
    ASSERT_TRUE(writeText(lib("keep.txt"), "old\r\n", error));
    for (long n : {1L, 2L}) {  // the temporary file's write, then the rename
        failFileWriteAt(n);
        error.clear();
        EXPECT_FALSE(writeText(lib("keep.txt"), "new\r\n", error)) << n;
        EXPECT_NE(error.find("keep.txt"), std::string::npos) << error;
        EXPECT_EQ(bytesOf(libraryDir() / "keep.txt"), "old\r\n");
    }
    failFileWriteAt(1);
    EXPECT_FALSE(createFolder(lib("Sub\\Deeper"), error));
    EXPECT_FALSE(fs::exists(libraryDir() / "Sub"));
    failFileWriteAt(3);  // the third operation: after a whole write (two) succeeds
    EXPECT_TRUE(writeText(lib("keep.txt"), "newer\r\n", error));
    EXPECT_FALSE(copyFile(lib("keep.txt"), lib("copy.txt"), error));
    EXPECT_FALSE(fs::exists(libraryDir() / "copy.txt"));
    failFileWriteAt(0);
    EXPECT_TRUE(copyFile(lib("keep.txt"), lib("copy.txt"), error)) << error;
    int files = 0;
    for (const auto& e : fs::directory_iterator(libraryDir())) files += e.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 2);
}

TEST_F(Files, NamesAreFoundWithoutRegardToCaseAndWritesGoToTheFileThatExists) {
    fs::create_directories(libraryDir() / "Icons");
    std::ofstream(libraryDir() / "Icons" / "profsectionhl-small.BMP") << "bmp";
    EXPECT_TRUE(fileExists(lib("icons\\ProfSectionHL-small.bmp")));
    EXPECT_TRUE(folderExists(lib("ICONS")));
    std::string text, error;
    ASSERT_TRUE(readText(lib("icons\\PROFSECTIONHL-SMALL.bmp"), text, error));
    EXPECT_EQ(text, "bmp");
    ASSERT_TRUE(writeText(lib("ICONS\\ProfSectionHL-small.bmp"), "new", error));
    int files = 0;
    for (const auto& e : fs::directory_iterator(libraryDir() / "Icons")) files += e.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 1);
    EXPECT_EQ(bytesOf(libraryDir() / "Icons" / "profsectionhl-small.BMP"), "new");
    // A missing part keeps the case it was given.
    EXPECT_EQ(resolve(lib("Icons\\New Folder\\A.txt")), (libraryDir() / "Icons" / "New Folder" / "A.txt").string());
}

TEST_F(Files, ANewFileIsNeverMadeOverOneThatExistsInAnyCase) {
    std::ofstream(libraryDir() / "Group1.dat", std::ios::binary) << "points";
    std::string error;
    EXPECT_FALSE(createNewFile(lib("group1.dat"), error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(bytesOf(libraryDir() / "Group1.dat"), "points");
    EXPECT_FALSE(fs::exists(libraryDir() / "group1.dat"));
    ASSERT_TRUE(createNewFile(lib("Group2.dat"), error)) << error;
    EXPECT_TRUE(fs::exists(libraryDir() / "Group2.dat"));
    EXPECT_EQ(fs::file_size(libraryDir() / "Group2.dat"), 0u);
}

TEST_F(Files, CopyOntoItselfChangesNothingAndCopiesReplaceTargets) {
    std::string error;
    ASSERT_TRUE(writeText(lib("design.bmp"), "picture", error));
    ASSERT_TRUE(copyFile(lib("design.bmp"), lib("DESIGN.BMP"), error)) << error;  // the same file
    EXPECT_EQ(bytesOf(libraryDir() / "design.bmp"), "picture");
    ASSERT_TRUE(writeText(lib("other.bmp"), "old", error));
    ASSERT_TRUE(copyFile(lib("design.bmp"), lib("other.bmp"), error));
    EXPECT_EQ(bytesOf(libraryDir() / "other.bmp"), "picture");
    EXPECT_FALSE(copyFile(lib("missing.bmp"), lib("x.bmp"), error));
    EXPECT_TRUE(deleteFile(lib("OTHER.bmp")));
    EXPECT_FALSE(deleteFile(lib("other.bmp")));
    ASSERT_TRUE(createFolder(lib("Cutting Stock\\HE 200 A"), error));
    EXPECT_TRUE(folderExists(lib("cutting stock\\he 200 a")));
    EXPECT_TRUE(fileTime(lib("design.bmp")).has_value());
    EXPECT_FALSE(fileTime(lib("missing.bmp")).has_value());
}

TEST_F(Files, BinaryFilesKeepEveryByteAndTheirCaseFoundName) {
    std::string error;
    const std::string bytes("BM\0\r\n\xFF\x80 not text", 17);
    ASSERT_TRUE(writeBinary(lib("Plate.bmp"), bytes, error)) << error;
    EXPECT_EQ(bytesOf(libraryDir() / "Plate.bmp"), bytes);  // no line ends or code page applied
    std::string read;
    ASSERT_TRUE(readBinary(lib("PLATE.BMP"), read, error)) << error;
    EXPECT_EQ(read, bytes);
    EXPECT_FALSE(readBinary(lib("none.bmp"), read, error));
    EXPECT_EQ(read, bytes);
}

TEST_F(Files, SearchesMatchPatternsAndSkipFoldersReachedThroughLinks) {
    const fs::path root = libraryDir() / "Dialog Templates" / "Dialog Design";
    fs::create_directories(root / "Sub");
    for (const char* n : {"EndPlate.txt", "endplate.bmp", "Sub/Fin.TXT", "notes.md"}) std::ofstream(root / n) << "x";
    fs::create_directory_symlink(root, root / "Sub" / "loop");  // a link back up: a loop
    EXPECT_EQ(findFiles(lib("Dialog Templates\\Dialog Design"), "*.txt"), (std::vector<std::string>{"EndPlate.txt"}));
    EXPECT_EQ(findFiles(lib("dialog templates\\dialog design"), "*.*").size(), 3u);
    EXPECT_EQ(findFilesRecursive(lib("Dialog Templates\\Dialog Design"), "*.txt"),
              (std::vector<std::string>{"EndPlate.txt", "Sub\\Fin.TXT"}));
    EXPECT_TRUE(findFiles(lib("nowhere"), "*").empty());
}

TEST_F(Files, OversizedFilesAreRefusedNotLoaded) {
    const fs::path big = libraryDir() / "big.txt";
    std::ofstream(big) << "x";
    fs::resize_file(big, kMaxTextFileBytes + 1);  // sparse: no time or disk spent
    std::string text, error;
    EXPECT_FALSE(readText(lib("big.txt"), text, error));
    EXPECT_NE(error.find("too large"), std::string::npos);
}

TEST_F(Files, ListingWithTimesMatchesTheSearchAndTakesEachFilesTime) {
    const fs::path folder = libraryDir() / "Cutting Stock" / "IPE 300";
    fs::create_directories(folder / "sub.shp");
    for (const char* name : {"b.shp", "A.SHP", "c.buy"}) std::ofstream(folder / name) << "x";
    const auto then = fs::file_time_type::clock::now() - std::chrono::hours(30);
    fs::last_write_time(folder / "b.shp", then);
    const auto files = findFilesWithTimes((libraryDir() / "cutting stock" / "IPE 300").string(), "*.shp");
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].name, "A.SHP");
    EXPECT_EQ(files[1].name, "b.shp");
    EXPECT_EQ(files[1].time, *fileTime((folder / "b.shp").string()));
    EXPECT_LT(files[1].time, files[0].time);
    EXPECT_TRUE(findFilesWithTimes((folder / "missing").string(), "*.*").empty());
}

}  // namespace
}  // namespace vtl::test
