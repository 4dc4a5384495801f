// Vtl_String: characters rather than bytes, case folding beyond ASCII, numbers with '.', replacing without
// rescanning, and out-of-range positions that change nothing.
#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "vtlbase/vtl_string.h"

namespace {

TEST(VtlString, CountsAndEditsCharactersNotBytes) {
    const Vtl_String s("aéb€c😀");  // 1, 2, 1, 3, 1 and 4 bytes
    EXPECT_EQ(s.length(), 6);
    EXPECT_EQ(s.charAt(1), U'é');
    EXPECT_EQ(s.charAt(5), U'😀');
    EXPECT_EQ(s.charAt(6), U'\0');
    EXPECT_EQ(s.getSubStringAt(1, 3), "éb€");
    EXPECT_EQ(s.getSubStringAt(4), "c😀");
    EXPECT_EQ(s.getSubStringAt(6), "");
    EXPECT_EQ(s.getSubStringAt(-1, 2), "");

    Vtl_String t("aéb");
    EXPECT_TRUE(t.removeAt(1, 1));
    EXPECT_TRUE(t.insertAt(1, "x"));
    EXPECT_EQ(t, "axb");  // replacing "é" in "aéb" by "x" touches that character only
    EXPECT_TRUE(t.insertAt(3, "ü"));
    EXPECT_EQ(t, "axbü");
    EXPECT_TRUE(t.removeAt(2, 99));  // a count past the end stops at the end
    EXPECT_EQ(t, "ax");

    Vtl_String e;
    EXPECT_TRUE(e.isEmpty());
    EXPECT_EQ(e.length(), 0);
    EXPECT_STREQ(e.c_str(), "");
    EXPECT_STREQ(Vtl_String(static_cast<const char*>(nullptr)).c_str(), "");
}

TEST(VtlString, BadPositionsChangeNothing) {
    Vtl_String s("abc");
    EXPECT_FALSE(s.insertAt(-1, "x"));
    EXPECT_FALSE(s.insertAt(4, "x"));
    EXPECT_FALSE(s.removeAt(3));
    EXPECT_FALSE(s.removeAt(-1));
    EXPECT_FALSE(s.removeAt(0, -2));
    EXPECT_EQ(s, "abc");
    Vtl_String e;
    EXPECT_FALSE(e.removeAt(0));
    EXPECT_TRUE(e.insertAt(0, "x"));
    EXPECT_EQ(e, "x");
}

TEST(VtlString, BytesThatAreNotUtf8AreReadAsWindows1252) {
    const Vtl_String s("a\xBF" "b\x80");
    EXPECT_EQ(s, "a¿b€");
    EXPECT_EQ(s.length(), 4);
    Vtl_String t;
    t.append('\xE9');
    t += 'x';
    EXPECT_EQ(t, "éx");
    EXPECT_EQ(Vtl_String("x") + '\xBF', "x¿");
    // A truncated sequence at the end never leaves half a character behind.
    const Vtl_String cut(std::string("ab\xC3"));
    EXPECT_EQ(cut, "abÃ");
    EXPECT_EQ(cut.length(), 3);
    // Overlong forms and encoded surrogates are not UTF-8 either.
    EXPECT_EQ(Vtl_String("\xC0\xAF").length(), 2);
    EXPECT_EQ(Vtl_String("\xED\xA0\x80").length(), 3);
}

TEST(VtlString, ComparesWithAndWithoutRegardToCase) {
    const Vtl_String s("Été à Paris");
    EXPECT_TRUE(s.equal("ÉTÉ À PARIS", false));
    EXPECT_FALSE(s.equal("ÉTÉ À PARIS", true));
    EXPECT_FALSE(s.equal("Été à Pari", false));  // a prefix is not equal
    EXPECT_TRUE(Vtl_String("ŒUVRE ŠŽŸ").equal("œuvre šžÿ", false));  // the Windows-1252 letters beyond Latin-1
    EXPECT_TRUE(Vtl_String("ΑΒΓ Жизнь").equal("αβγ жИЗНЬ", false));
    EXPECT_FALSE(Vtl_String("×").equal("÷", false));  // signs are not letters

    EXPECT_TRUE(s.startsWith("été", false));
    EXPECT_FALSE(s.startsWith("été", true));
    EXPECT_TRUE(Vtl_String("User Sections\\HEA.bmp").startsWith("user sections\\", false));
    EXPECT_TRUE(Vtl_String("M1.DWG").endsWith(".dwg", false));
    EXPECT_FALSE(Vtl_String("M1.DWG").endsWith(".dwg", true));
    EXPECT_FALSE(Vtl_String("é").endsWith("\xA9", false));  // not the second byte of "é"
    EXPECT_FALSE(Vtl_String("ab").startsWith("abc"));
    EXPECT_TRUE(Vtl_String("ab").startsWith(""));

    EXPECT_TRUE(s.hasSubString("À PAR", false));
    EXPECT_FALSE(s.hasSubString("À PAR", true));
    EXPECT_FALSE(s.hasSubString(""));
    EXPECT_EQ(s.findSubString("paris", false), 6);  // a character position, after two 2-byte letters
    EXPECT_EQ(Vtl_String("aXbxc").findSubString("x", false, 2), 3);
    EXPECT_EQ(Vtl_String("abc").findSubString("z"), -1);

    EXPECT_EQ(Vtl_String("ÀÉÎ Œ ĞİI").toLower(), "àéî œ ğİi");  // İ has no lower case of the same size
    EXPECT_EQ(Vtl_String("àéî œ ÿ").toUpper(), "ÀÉÎ Œ Ÿ");
}

TEST(VtlString, ReplacesEveryOccurrenceWithoutRescanning) {
    Vtl_String s("aaa");
    EXPECT_EQ(s.replaceSubString("a", "aa"), 3);  // the inserted "a"s are not searched again
    EXPECT_EQ(s, "aaaaaa");

    Vtl_String t("abab");
    EXPECT_EQ(t.replaceSubString("ab", "b"), 2);  // "bb": the join of two replacements is not matched again
    EXPECT_EQ(t, "bb");

    Vtl_String u("xaaax");
    EXPECT_EQ(u.replaceSubString("aa", "-"), 1);  // non-overlapping, left to right
    EXPECT_EQ(u, "x-ax");

    Vtl_String v("Café CAFÉ café");
    EXPECT_EQ(v.replaceSubString("café", "tea", false), 3);
    EXPECT_EQ(v, "tea tea tea");
    Vtl_String w("Café CAFÉ");
    EXPECT_EQ(w.replaceSubString("café", "tea"), 0);
    EXPECT_EQ(w, "Café CAFÉ");

    Vtl_String empty("abc");
    EXPECT_EQ(empty.replaceSubString("", "x"), 0);
    EXPECT_EQ(empty, "abc");
}

TEST(VtlString, NumbersAreWrittenAndReadWithAPoint) {
    EXPECT_EQ(Vtl_String(42), "42");
    EXPECT_EQ(Vtl_String(-7L), "-7");
    EXPECT_EQ(Vtl_String(static_cast<short>(300)), "300");
    EXPECT_EQ(Vtl_String(12.5, 2), "12.50");
    EXPECT_EQ(Vtl_String(2.0 / 3.0, 3), "0.667");
    EXPECT_EQ(Vtl_String(1.5, 0), "2");
    EXPECT_EQ(Vtl_String(-0.001, 2), "0.00");
    EXPECT_EQ(Vtl_String(-1.25, 1), "-1.2");
    EXPECT_EQ(Vtl_String(1.0, -3), "1");
    EXPECT_EQ(Vtl_String(1e300, 2).length(), 304);

    EXPECT_DOUBLE_EQ(Vtl_String(" 12.75mm").toDouble(), 12.75);
    EXPECT_DOUBLE_EQ(Vtl_String("+3.5").toDouble(), 3.5);
    EXPECT_DOUBLE_EQ(Vtl_String("-.5").toDouble(), -0.5);
    EXPECT_EQ(Vtl_String("abc").toDouble(), 0.0);
    EXPECT_EQ(Vtl_String("inf").toDouble(), 0.0);
    EXPECT_EQ(Vtl_String("nan").toDouble(), 0.0);
    EXPECT_EQ(Vtl_String("1e999").toDouble(), 0.0);
    EXPECT_EQ(Vtl_String("12,5").toDouble(), 12.0);
    EXPECT_EQ(Vtl_String(" -17 apples").toInt(), -17);
    EXPECT_EQ(Vtl_String("12.9").toInt(), 12);
    EXPECT_EQ(Vtl_String("").toInt(), 0);
    EXPECT_EQ(Vtl_String("99999999999").toInt(), 2147483647);
    EXPECT_EQ(Vtl_String("-99999999999999999999999").toInt(), -2147483647 - 1);

    Vtl_String s;
    s.set(3.14159, 3);
    EXPECT_EQ(s, "3.142");
    s.set(5);
    EXPECT_EQ(s, "5");
}

TEST(VtlString, NumbersIgnoreAGermanLocale) {
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    bool found = false;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "nl_NL.UTF-8", "nl_NL.utf8"}) {
        if (std::setlocale(LC_NUMERIC, name)) {
            found = true;
            break;
        }
    }
    if (!found) GTEST_SKIP() << "no German or Dutch locale installed";
    const Vtl_String written(12.5, 2);
    const double read = Vtl_String("0.25").toDouble();
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(written, "12.50");
    EXPECT_DOUBLE_EQ(read, 0.25);
}

TEST(VtlString, IsAValueWithConcatenation) {
    Vtl_String a("Stock");
    Vtl_String b = a;
    b.append(Vtl_String(3));
    EXPECT_EQ(a, "Stock");
    EXPECT_EQ(b, "Stock3");
    EXPECT_EQ("<" + a + ">" + Vtl_String(1.5, 1), "<Stock>1.5");
    EXPECT_LT(Vtl_String("B"), Vtl_String("a"));
    EXPECT_LT(Vtl_String("z"), Vtl_String("é"));
    EXPECT_NE(Vtl_String("x"), "X");
}

}  // namespace
