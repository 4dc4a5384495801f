// Text at the file boundary: Windows-1252 and UTF-8 in, Windows-1252 out, lines in both endings.
#include <gtest/gtest.h>

#include "vtlbase/files/paths.h"
#include "vtlbase/files/text_codec.h"

namespace {
using namespace vtl::base::files;

TEST(FileText, Windows1252AndUtf8BothReadAsUtf8) {
    EXPECT_EQ(decodeText("HE \xE9t\xE9 \x80 \xBF"), "HE été € ¿");
    EXPECT_EQ(decodeText("caf\xC3\xA9"), "café");              // UTF-8 without a mark
    EXPECT_EQ(decodeText("\xEF\xBB\xBFplain"), "plain");       // a byte-order mark is dropped
    EXPECT_EQ(decodeText("\xEF\xBB\xBF\xC3\xA9"), "é");
    EXPECT_EQ(decodeText("plain ascii"), "plain ascii");
    EXPECT_EQ(decodeText("\xC3"), "Ã");                        // not UTF-8: one Windows-1252 character
}

TEST(FileText, EveryByteSurvivesARoundTripAndForeignCharactersAreRefused) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    std::string bytes, error;
    ASSERT_TRUE(encodeWindows1252(decodeText(all), bytes, error)) << error;
    EXPECT_EQ(bytes, all);
    EXPECT_FALSE(encodeWindows1252("radius \xCF\x80r", bytes, error));  // π
    EXPECT_NE(error.find("U+03C0"), std::string::npos);
    EXPECT_FALSE(encodeWindows1252("\xC3", bytes, error));  // not text
}

TEST(FileText, LinesEndWithCrLfOrLf) {
    EXPECT_EQ(splitLines("a\r\nb\nc"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(splitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
    EXPECT_EQ(splitLines("12\r"), (std::vector<std::string>{"12"}));
    EXPECT_TRUE(splitLines("").empty());
    EXPECT_EQ(joinLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
}

TEST(FilePaths, BackslashesDrivesAndPatterns) {
    clearDriveFolders();
    EXPECT_EQ(nativePath("prof\\HEA.pr"), "prof/HEA.pr");
    EXPECT_EQ(nativePath("c:\\a\\t3.sss"), "");  // no folder for drive c
    setDriveFolder('C', "/tmp/drive-c");
    EXPECT_EQ(nativePath("c:\\a\\t3.sss"), "/tmp/drive-c/a/t3.sss");
    clearDriveFolders();
    EXPECT_TRUE(wildcardMatch("*.PR", "hea.pr"));
    EXPECT_TRUE(wildcardMatch("Stock?.shp", "stock7.SHP"));
    EXPECT_FALSE(wildcardMatch("Stock?.shp", "stock17.shp"));
    EXPECT_TRUE(wildcardMatch("[a]*", "[A]x"));  // brackets are literal
    EXPECT_TRUE(wildcardMatch("ÉTÉ*", "été.txt"));
    EXPECT_TRUE(sameNameIgnoringCase("Größe", "GRÖßE"));
}

TEST(FilePaths, NamesAPersonTypesAreCheckedBeforeTheyBecomeFiles) {
    std::string reason;
    EXPECT_TRUE(validFileName("HE 200 A", reason));
    EXPECT_TRUE(validFileName("Stock1.shp", reason));
    EXPECT_TRUE(validFileName("Größe", reason));
    for (const char* bad : {"", "a\\b", "a/b", "..", ".", "c:x", "a*", "q?", "\"x\"", "a<b", "a|b", "name.", "name ",
                            "CON", "nul.txt", "com3", "LPT9.dat", "tab\there"}) {
        EXPECT_FALSE(validFileName(bad, reason)) << bad;
        EXPECT_FALSE(reason.empty());
    }
    EXPECT_TRUE(validFileName("COM10", reason));  // only COM1 to COM9 are devices
}

}  // namespace
