// UI texts and languages: every number the dialogs use has a real text, texts that become names obey their
// constraints, unknown numbers give a visible placeholder, and Dutch falls back to English.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "support/fixture.h"
#include "vtlbase/macro_langs.h"
#include "vtlbase/testing.h"
#include "vtlbase/text_functions.h"
#include "vtlbase/ui_text.h"

namespace {

using UiText = vtl::test::Fixture;

// The numbers the module's dialogs ask for, as ranges.
const std::vector<std::pair<int, int>> kMainNumbers = {
    {1, 2}, {63, 63}, {85, 90}, {95, 96}, {101, 101}, {131, 131}, {134, 134}, {171, 172}, {221, 221},
    {228, 228}, {234, 234}, {242, 242}, {266, 266}, {275, 278}, {285, 285}, {328, 328}, {460, 460},
    {462, 462}, {593, 593}, {606, 607}, {616, 638}, {652, 652}, {674, 674}, {695, 695}, {697, 697},
    {705, 705}, {710, 711}, {719, 765}, {769, 797}, {799, 823}, {825, 831}, {833, 834}, {836, 962},
    {968, 969}, {971, 971}, {973, 1034}, {1042, 1043}, {1051, 1106}, {1108, 1116}, {1118, 1157},
    {1230, 1230}, {1309, 1309}, {1312, 1313}, {1315, 1322}, {1324, 1328}, {1341, 1343}, {1351, 1351},
    {1359, 1360}, {1368, 1378}, {1385, 1392}, {1394, 1407}, {1409, 1411}, {1413, 1413}, {1428, 1431},
    {1455, 1458}, {1463, 1469}, {1473, 1475}, {1477, 1478}, {1496, 1511}, {1516, 1517}, {1644, 1644},
};
const std::vector<std::pair<int, int>> kSecondNumbers = {
    {2220, 2220}, {2262, 2263}, {2333, 2333}, {10046, 10049}, {10157, 10157}, {10164, 10164}, {10320, 10320},
    {10418, 10421},
};

bool isPlaceholder(const Vtl_String& s) { return s.startsWith("<UI"); }

TEST_F(UiText, EveryNumberTheDialogsUseHasAText) {
    EXPECT_EQ(vtl::base::testing::stringTableProblems(), std::vector<std::string>{});
    int count = 0;
    for (const auto& [lo, hi] : kMainNumbers) {
        for (int n = lo; n <= hi; ++n, ++count) {
            const Vtl_String s = dialString(n);
            EXPECT_FALSE(s.isEmpty() || isPlaceholder(s)) << "dialString(" << n << ") = " << s;
        }
    }
    EXPECT_EQ(count, 570);
    for (const auto& [lo, hi] : kSecondNumbers) {
        for (int n = lo; n <= hi; ++n) EXPECT_FALSE(isPlaceholder(string(n))) << "string(" << n << ")";
    }
}

TEST_F(UiText, TextsThatBecomeNamesOrAreComparedObeyTheirConstraints) {
    const Vtl_String mixed = dialString(695);
    EXPECT_FALSE(mixed.isEmpty());
    EXPECT_FALSE(isNumber(mixed));
    for (int n : {171, 779}) {
        const Vtl_String name = dialString(n);
        for (const char* bad : {"\\", "/", ":", "*", "?", "\"", "<", ">", "|", " "})
            EXPECT_FALSE(name.hasSubString(bad)) << n << " holds '" << bad << "'";
    }
    EXPECT_FALSE(dialString(779).hasSubString("-"));

    // Shape names are converted back by their text; dimension names (with the digits some get) are columns.
    std::set<std::string> shapes;
    for (int n = 719; n <= 735; ++n) EXPECT_TRUE(shapes.insert(dialString(n).str()).second) << n;
    std::set<std::string> dimensions;
    for (int n = 736; n <= 753; ++n) {
        EXPECT_TRUE(dimensions.insert(dialString(n).str()).second) << n;
        EXPECT_TRUE(dimensions.insert((dialString(n) + "1").str()).second) << n;
        EXPECT_TRUE(dimensions.insert((dialString(n) + "2").str()).second) << n;
    }
    // Texts the module completes with a number keep their blank at the end.
    EXPECT_EQ(dialString(991), "Nut ");
    EXPECT_EQ(string(10157), "Plate ");
}

TEST_F(UiText, UnknownNumbersGiveAVisiblePlaceholder) {
    EXPECT_EQ(dialString(99999), "<UI 99999>");
    EXPECT_EQ(dialString(-3), "<UI -3>");
    EXPECT_EQ(dialString(0), "<UI 0>");
    EXPECT_EQ(string(2221), "<UI2 2221>");
    EXPECT_EQ(string(1), "<UI2 1>");  // the tables are separate
}

TEST_F(UiText, DutchShowsItsTextsAndFallsBackToEnglish) {
    EXPECT_EQ(gMacroLangs.GetCurLanguage(), "English");
    EXPECT_EQ(dialString(2), "Cancel");
    EXPECT_FALSE(gMacroLangs.SetCurLanguage("Klingon"));
    EXPECT_EQ(gMacroLangs.GetCurLanguage(), "English");

    ASSERT_TRUE(gMacroLangs.SetCurLanguage("dutch"));
    EXPECT_EQ(gMacroLangs.GetCurLanguage(), "Dutch");
    EXPECT_EQ(dialString(2), "Annuleren");
    EXPECT_EQ(dialString(20001), "Ongeldige waarde");
    EXPECT_EQ(dialString(87), "Name");  // no Dutch text: English
    EXPECT_EQ(string(10157), "Plate ");
    EXPECT_EQ(dialString(99999), "<UI 99999>");

    ASSERT_TRUE(gMacroLangs.SetCurLanguage("French"));  // no tables of its own
    EXPECT_EQ(dialString(2), "Cancel");
}

TEST_F(UiText, LanguageNamesStayFixedWhileTheirDisplayFollowsTheLanguage) {
    Vtl_StringArray names{"stale"};
    gMacroLangs.GetAllLanguages(names);
    EXPECT_EQ(names, (Vtl_StringArray{"Dutch", "English", "French", "German"}));
    ASSERT_TRUE(gMacroLangs.SetCurLanguage("Dutch"));
    gMacroLangs.GetAllLanguages(names);
    EXPECT_EQ(names[1], "English");
    EXPECT_EQ(names.find(gMacroLangs.GetCurLanguage()), 0);
    EXPECT_EQ(gMacroLangs.GetLanguageName("English"), "Engels");
    gMacroLangs.SetCurLanguage("English");
    EXPECT_EQ(gMacroLangs.GetLanguageName("Dutch"), "Dutch");
}

TEST_F(UiText, MacroTextsTranslateByCategoryAndFallBack) {
    EXPECT_EQ(gMacroLangs.GetString("h", "Prof"), "Height");
    EXPECT_EQ(gMacroLangs.GetString("Corner12"), "Corner12");  // unknown: the key itself
    EXPECT_EQ(gMacroLangs.GetString("h"), "h");                // the category matters
    ASSERT_TRUE(gMacroLangs.SetCurLanguage("Dutch"));
    EXPECT_EQ(gMacroLangs.GetString("TF", "Prof"), "Flensdikte");  // keys without regard to case
    EXPECT_EQ(gMacroLangs.GetString("Width", "Prof"), "Breedte");  // not in "Prof": without the category
    EXPECT_EQ(gMacroLangs.GetString("End plate"), "Kopplaat");

    EXPECT_EQ(gMacroLangs.GetStringChopSymbols("", " Width: ", true, "x"), " Breedte: ");
    EXPECT_EQ(gMacroLangs.GetStringChopSymbols("", "&Length x", false, "x"), "Lengte");
    EXPECT_EQ(gMacroLangs.GetStringChopSymbols("", "(Unknown)", true, "x"), "(Unknown)");
    EXPECT_EQ(gMacroLangs.GetStringChopSymbols("", " :: ", true, "x"), " :: ");
    EXPECT_EQ(gMacroLangs.GetStringChopSymbols("", "", true, "x"), "");
}

}  // namespace
