// The formula engine on a bare cell model: the three reference styles, operators and functions at their
// edges, recalculation order, cycles, registered functions and changes made while calculating.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <functional>
#include <span>
#include <vector>
#include <string>

#include "file/sheet_file.h"
#include "formula/engine.h"
#include "formula/formula.h"
#include "model/sheet.h"

namespace vtl::grid {
namespace {

struct Calc : Sheet {
    Calc(int cols = 10, int rows = 30) {
        setColCount(cols);
        setRowCount(rows);
    }
    FormulaEngine& f() { return formulas(); }
    // Sets a formula in A1 style and gives the cell's displayed text.
    std::string eval(const std::string& formula, CellRef at = {9, 30}) {
        if (!f().setFormula(at, formula, kRefStyleA1)) return "<parse error>";
        return text(at);
    }
};

TEST(GridFormula, ReferenceStylesReadAndPrintTheSameFormula) {
    Calc s;
    ASSERT_TRUE(s.f().setFormula({2, 3}, "=$A$1+A2*SUM(A1:B2)", kRefStyleA1));
    EXPECT_EQ(s.f().formulaText({2, 3}, kRefStyleA1), "$A$1+A2*SUM(A1:B2)");
    EXPECT_EQ(s.f().formulaText({2, 3}, kRefStyleDefault), "$A$1+A2*SUM(A1:B2)");
    EXPECT_EQ(s.f().formulaText({2, 3}, kRefStyleR1C1), "R1C1+R[-1]C[-1]*SUM(R[-2]C[-1]:R[-1]C)");
    // The sheet keeps R1C1 text, so a copied cell keeps its relative references relative.
    EXPECT_EQ(s.formula({2, 3}), "R1C1+R[-1]C[-1]*SUM(R[-2]C[-1]:R[-1]C)");
    ASSERT_TRUE(s.copyBlock({2, 3, 2, 3}, {3, 5}));
    EXPECT_EQ(s.f().formulaText({3, 5}, kRefStyleA1), "$A$1+B4*SUM(B3:C4)");

    // R1C1 text read at another cell: relative parts shift, absolute parts stay; "RC" is the cell itself.
    ASSERT_TRUE(s.f().setFormula({4, 4}, "R[1]C[-2]+R2C3+RC[1]", kRefStyleR1C1));
    EXPECT_EQ(s.f().formulaText({4, 4}, kRefStyleA1), "B5+$C$2+E4");
    EXPECT_EQ(s.f().formulaText({4, 4}, kRefStyleR1C1), "R[1]C[-2]+R2C3+RC[1]");
    // Mixed absolute parts, case and blanks.
    ASSERT_TRUE(s.f().setFormula({1, 10}, " = a$1 + $b2 ", kRefStyleA1));
    EXPECT_EQ(s.f().formulaText({1, 10}, kRefStyleA1), "A$1+$B2");
    EXPECT_EQ(s.f().formulaText({1, 10}, kRefStyleR1C1), "R1C+R[-8]C2");
    // A reference that leaves the grid from where it is printed shows as #REF!.
    ASSERT_TRUE(s.f().setFormula({3, 3}, "R[-2]C[-2]", kRefStyleR1C1));
    ASSERT_TRUE(s.copyBlock({3, 3, 3, 3}, {1, 1}));
    EXPECT_EQ(s.f().formulaText({1, 1}, kRefStyleA1), "#REF!");
    EXPECT_EQ(s.text({1, 1}), "#REF!");
}

TEST(GridFormula, TextThatDoesNotParseIsRefusedAndChangesNothing) {
    Calc s;
    s.setText({1, 1}, "keep");
    for (const char* bad : {"1+", "(1", "SUM(1,", "A0", "\"open", "1 2", "R1C1", "XFE1", "A1048577", "#WHAT", "1A", "B2:"}) {
        EXPECT_FALSE(s.f().setFormula({1, 1}, bad, kRefStyleA1)) << bad;
    }
    for (const char* bad : {"A1", "R0C1", "R[1]C[", "RC1x"}) EXPECT_FALSE(s.f().setFormula({1, 1}, bad, kRefStyleR1C1)) << bad;
    EXPECT_EQ(s.text({1, 1}), "keep");
    EXPECT_FALSE(s.hasFormula({1, 1}));
    // Nesting is bounded, so no formula can exhaust the stack.
    EXPECT_FALSE(s.f().setFormula({1, 1}, std::string(5000, '(') + "1" + std::string(5000, ')'), kRefStyleA1));
    std::string longSum = "1";
    for (int i = 0; i < 3000; ++i) longSum += "+1";
    EXPECT_FALSE(s.f().setFormula({1, 1}, longSum, kRefStyleA1));
    EXPECT_FALSE(s.f().setFormula({11, 1}, "1", kRefStyleA1));  // outside the counts
}

TEST(GridFormula, OperatorsFollowPrecedenceAndCoerceAtTheirEdges) {
    Calc s;
    s.setText({1, 1}, "4");
    s.setText({1, 2}, "text");
    s.setText({1, 3}, " 2.5 ");
    EXPECT_EQ(s.eval("1+2*3-4/2"), "5");
    EXPECT_EQ(s.eval("(1+2)*3"), "9");
    EXPECT_EQ(s.eval("-2^2"), "4");  // unary minus binds tighter than ^
    EXPECT_EQ(s.eval("2^3^2"), "64");
    EXPECT_EQ(s.eval("2*-A1"), "-8");
    EXPECT_EQ(s.eval("50%*A1"), "2");
    EXPECT_EQ(s.eval("\"a\"\"b\"&1.5&TRUE"), "a\"b1.5TRUE");
    EXPECT_EQ(s.eval("A1&A5"), "4");  // an empty cell joins as ""
    EXPECT_EQ(s.eval("A5+1"), "1");   // and counts as 0
    EXPECT_EQ(s.eval("A3*2"), "5");   // numeric text is a number
    EXPECT_EQ(s.eval("A2+1"), "#VALUE!");
    EXPECT_EQ(s.eval("1/0"), "#DIV/0!");
    EXPECT_EQ(s.eval("1/A5"), "#DIV/0!");
    EXPECT_EQ(s.eval("0^-1"), "#DIV/0!");
    EXPECT_EQ(s.eval("(-8)^0.5"), "#NUM!");
    EXPECT_EQ(s.eval("1e308*10"), "#NUM!");
    EXPECT_EQ(s.eval("0.1+0.2"), "0.3");  // general format: 15 significant digits
    EXPECT_EQ(s.eval("1/3"), "0.333333333333333");
    // Comparisons: numbers before text before booleans, text without regard to case, empty as 0 or "".
    EXPECT_EQ(s.eval("\"abc\"=\"ABC\""), "TRUE");
    EXPECT_EQ(s.eval("1<\"a\""), "TRUE");
    EXPECT_EQ(s.eval("\"z\"<TRUE"), "TRUE");
    EXPECT_EQ(s.eval("A5=0"), "TRUE");
    EXPECT_EQ(s.eval("A5=\"\""), "TRUE");
    EXPECT_EQ(s.eval("2<>2"), "FALSE");
    EXPECT_EQ(s.eval("3>=3"), "TRUE");
    EXPECT_EQ(s.eval("2<=1"), "FALSE");
    // Errors pass through operators, the left one first.
    EXPECT_EQ(s.eval("#N/A+1/0"), "#N/A");
    EXPECT_EQ(s.eval("1/0&\"x\""), "#DIV/0!");
}

TEST(GridFormula, FunctionsAtTheirEdges) {
    Calc s;
    s.setText({1, 1}, "1");
    s.setText({1, 2}, "x");  // text in a range is skipped by aggregates
    s.setText({1, 3}, "3");
    s.setText({2, 1}, "Hello World");
    s.setText({2, 2}, "été");
    EXPECT_EQ(s.eval("SUM(A1:A4)"), "4");
    EXPECT_EQ(s.eval("SUM(A1,\"2\",TRUE)"), "4");  // direct arguments are coerced
    EXPECT_EQ(s.eval("SUM(A1,\"x\")"), "#VALUE!");
    EXPECT_EQ(s.eval("AVERAGE(A1:A4)"), "2");
    EXPECT_EQ(s.eval("AVERAGE(A4:A5)"), "#DIV/0!");
    EXPECT_EQ(s.eval("COUNT(A1:A4)"), "2");
    EXPECT_EQ(s.eval("COUNTA(A1:A4)"), "3");
    EXPECT_EQ(s.eval("MIN(A1:A3,-2)"), "-2");
    EXPECT_EQ(s.eval("MAX(A1:A3)"), "3");
    EXPECT_EQ(s.eval("MAX(A4:A5)"), "0");
    EXPECT_EQ(s.eval("IF(A1=1,\"one\",1/0)"), "one");  // the branch not taken is not evaluated
    EXPECT_EQ(s.eval("IF(0,1)"), "FALSE");
    EXPECT_EQ(s.eval("IF(\"x\",1,2)"), "#VALUE!");
    EXPECT_EQ(s.eval("IFERROR(1/0,7)"), "7");
    EXPECT_EQ(s.eval("AND(1,TRUE,A1)"), "TRUE");
    EXPECT_EQ(s.eval("AND(1,0)"), "FALSE");
    EXPECT_EQ(s.eval("OR(0,A3)"), "TRUE");
    EXPECT_EQ(s.eval("OR(A4:A5)"), "#VALUE!");  // nothing to decide on
    EXPECT_EQ(s.eval("NOT(A4)"), "TRUE");
    EXPECT_EQ(s.eval("ISBLANK(A4)&ISNUMBER(A1)&ISTEXT(A2)&ISERROR(1/0)"), "TRUETRUETRUETRUE");
    EXPECT_EQ(s.eval("ABS(-2.5)"), "2.5");
    EXPECT_EQ(s.eval("ROUND(2.675,2)"), "2.68");
    EXPECT_EQ(s.eval("ROUND(-1.5,0)"), "-2");
    EXPECT_EQ(s.eval("ROUND(1234,-2)"), "1200");
    EXPECT_EQ(s.eval("ROUNDUP(1.21,1)&\" \"&ROUNDDOWN(-1.29,1)"), "1.3 -1.2");
    EXPECT_EQ(s.eval("INT(-1.5)"), "-2");
    EXPECT_EQ(s.eval("TRUNC(-1.5)"), "-1");
    EXPECT_EQ(s.eval("MOD(-7,3)"), "2");  // the sign of the divisor
    EXPECT_EQ(s.eval("MOD(7,0)"), "#DIV/0!");
    EXPECT_EQ(s.eval("SQRT(16)"), "4");
    EXPECT_EQ(s.eval("SQRT(-1)"), "#NUM!");
    EXPECT_EQ(s.eval("LN(0)"), "#NUM!");
    EXPECT_EQ(s.eval("POWER(2,10)&\" \"&EXP(0)&\" \"&LOG10(1000)&\" \"&SIGN(-3)"), "1024 1 3 -1");
    EXPECT_EQ(s.eval("ROUND(PI(),5)"), "3.14159");
    EXPECT_EQ(s.eval("ROUND(SIN(PI()/2)+COS(0)+TAN(0),10)"), "2");
    EXPECT_EQ(s.eval("ROUND(ATAN(1)*4,10)=ROUND(PI(),10)"), "TRUE");
    EXPECT_EQ(s.eval("ASIN(2)"), "#NUM!");
    EXPECT_EQ(s.eval("ATAN2(0,0)"), "#DIV/0!");
    EXPECT_EQ(s.eval("LEN(B1)&\" \"&LEN(B2)&\" \"&LEN(A4)"), "11 3 0");  // code points
    EXPECT_EQ(s.eval("LEFT(B1,5)&\"|\"&RIGHT(B1)&\"|\"&MID(B1,7,100)&\"|\"&MID(B2,2,1)"), "Hello|d|World|t");
    EXPECT_EQ(s.eval("LEFT(B1,-1)"), "#VALUE!");
    EXPECT_EQ(s.eval("MID(B1,0,1)"), "#VALUE!");
    EXPECT_EQ(s.eval("UPPER(B1)&LOWER(\"AbC\")"), "HELLO WORLDabc");
    EXPECT_EQ(s.eval("TRIM(\"  a   b \")"), "a b");
    EXPECT_EQ(s.eval("CONCATENATE(\"a\",1,TRUE,A4)"), "a1TRUE");
    EXPECT_EQ(s.eval("VALUE(\" 12.5 \")*2"), "25");
    EXPECT_EQ(s.eval("VALUE(\"12a\")"), "#VALUE!");
    EXPECT_EQ(s.eval("VALUE(A4)"), "0");
    EXPECT_EQ(s.eval("SUM()"), "#VALUE!");  // wrong count of a built-in
    EXPECT_EQ(s.eval("PI(1)"), "#VALUE!");
    EXPECT_EQ(s.eval("sum(a1,a3)"), "4");   // names and references ignore case
}

TEST(GridFormula, CountAndCountaLookAtEveryArgumentAndEveryCell) {
    Calc s;
    s.setText({1, 1}, "1");
    s.setText({1, 2}, "x");
    s.setText({1, 4}, "4");
    ASSERT_TRUE(s.f().setFormula({1, 3}, "1/0", kRefStyleA1));  // an error inside the range
    s.setText({1, 5}, "5");
    s.setText({2, 1}, "TRUE");
    // An error or a text in a range is passed over; the numbers after it still count.
    EXPECT_EQ(s.eval("COUNT(A1:A6)"), "3");
    EXPECT_EQ(s.eval("COUNTA(A1:A6)"), "5");  // the error and the text are values too
    // Direct arguments: a text that is no number, an error, then numbers after them.
    EXPECT_EQ(s.eval("COUNT(\"x\",1/0,2,A1:A2,\"3\",TRUE,A6)"), "4");
    EXPECT_EQ(s.eval("COUNTA(\"x\",1/0,2,A6)"), "3");
    EXPECT_EQ(s.eval("COUNT(A2,A3,A4)"), "1");  // single references count only number cells
    EXPECT_EQ(s.eval("COUNT(B1:B2)"), "0");      // a text in a cell is no number, even "TRUE"
    // The other aggregates still report the first error they meet.
    EXPECT_EQ(s.eval("SUM(A1:A6)"), "#DIV/0!");
    EXPECT_EQ(s.eval("MAX(A4:A5,\"x\")"), "#VALUE!");
    // A change inside a counted range recounts.
    ASSERT_TRUE(s.f().setFormula({3, 1}, "COUNT(A1:A6)", kRefStyleA1));
    s.setText({1, 2}, "2");
    EXPECT_EQ(s.text({3, 1}), "4");
}

TEST(GridFormula, UnknownFunctionsParseAndWorkOnceRegistered) {
    Calc s;
    ASSERT_TRUE(s.f().setFormula({1, 1}, "LATER(2)+1", kRefStyleA1));
    EXPECT_EQ(s.text({1, 1}), "#NAME?");
    EXPECT_EQ(s.f().formulaText({1, 1}, kRefStyleA1), "LATER(2)+1");
    ASSERT_TRUE(s.f().registerFunction("later", 1, 1, 0, [](const CustomCall&, FunctionValue& r, std::span<const FunctionValue> a) {
        r.status = FunctionValue::ok;
        r.type = FunctionValue::longValue;
        r.asLong = a[0].asLong * 10;
        return true;
    }));
    EXPECT_TRUE(s.f().recalcAll());
    EXPECT_EQ(s.text({1, 1}), "21");
    // A registered function wins over a built-in of the same name.
    ASSERT_TRUE(s.f().registerFunction("ABS", 1, 1, 0, [](const CustomCall&, FunctionValue& r, std::span<const FunctionValue>) {
        r.status = FunctionValue::ok;
        r.type = FunctionValue::text;
        r.asText = "mine";
        return true;
    }));
    EXPECT_EQ(s.eval("ABS(-1)"), "mine");
    EXPECT_FALSE(s.f().registerFunction("bad name", 0, 1, 0, [](auto&, auto&, auto) { return true; }));
    EXPECT_FALSE(s.f().registerFunction("X", 2, 1, 0, [](auto&, auto&, auto) { return true; }));
}

TEST(GridFormula, DependentsRecalculateInOrderAutomaticallyOrOnRequest) {
    Calc s;
    s.setText({1, 1}, "1");
    ASSERT_TRUE(s.f().setFormula({1, 3}, "A2*10", kRefStyleA1));  // entered before its precedent
    ASSERT_TRUE(s.f().setFormula({1, 2}, "A1+1", kRefStyleA1));
    ASSERT_TRUE(s.f().setFormula({2, 1}, "SUM(A1:A3)", kRefStyleA1));
    EXPECT_EQ(s.text({1, 3}), "20");
    EXPECT_EQ(s.text({2, 1}), "23");
    s.setText({1, 1}, "5");  // switch 7 is on in a fresh sheet
    EXPECT_EQ(s.text({1, 3}), "60");
    EXPECT_EQ(s.text({2, 1}), "71");

    // Switch 7 off: changes wait; recalculating one cell brings its stale precedents first.
    s.setSwitch(sw::autoCalc, false);
    s.setText({1, 1}, "2");
    EXPECT_EQ(s.text({1, 3}), "60");
    EXPECT_TRUE(s.f().recalcCell({1, 3}));
    EXPECT_EQ(s.text({1, 2}), "3");
    EXPECT_EQ(s.text({1, 3}), "30");
    EXPECT_EQ(s.text({2, 1}), "71");  // not a precedent: untouched
    EXPECT_FALSE(s.f().recalcCell({5, 5}));  // no formula there
    EXPECT_TRUE(s.f().recalcAll());
    EXPECT_EQ(s.text({2, 1}), "35");

    // Without rebuilding dependencies a formula waits for the next recalculation.
    s.setSwitch(sw::autoCalc, true);
    ASSERT_TRUE(s.f().setFormula({3, 1}, "A1*100", kRefStyleA1, false));
    EXPECT_EQ(s.text({3, 1}), "");
    EXPECT_TRUE(s.f().recalcCell({3, 1}));
    EXPECT_EQ(s.text({3, 1}), "200");
    s.setText({1, 1}, "3");  // its dependencies are known by now
    EXPECT_EQ(s.text({3, 1}), "300");

    // Clearing, replacing and removing formulas keep the dependencies right.
    s.clearBlock({1, 1, 1, 1});
    EXPECT_EQ(s.text({1, 2}), "1");
    ASSERT_TRUE(s.f().setFormula({1, 2}, "7", kRefStyleA1));
    EXPECT_EQ(s.text({1, 3}), "70");
    ASSERT_TRUE(s.f().setFormula({1, 2}, "", kRefStyleA1));
    EXPECT_FALSE(s.hasFormula({1, 2}));
    EXPECT_EQ(s.text({1, 3}), "0");
    s.setText({1, 2}, "4");
    EXPECT_EQ(s.text({1, 3}), "40");
    // A range larger than a block of cells is watched as a whole.
    ASSERT_TRUE(s.f().setFormula({4, 1}, "SUM(E1:F30)", kRefStyleA1));
    s.setText({6, 29}, "8");
    EXPECT_EQ(s.text({4, 1}), "8");
}

TEST(GridFormula, AFilledColumnSharesOneParsedFormAndEachCellKeepsItsOwnResult) {
    Calc s(4, 60);
    for (int r = 1; r <= 60; ++r) s.setText({1, r}, std::to_string(r));
    for (int r = 1; r <= 40; ++r) ASSERT_TRUE(s.f().setFormula({2, r}, "SUM(A" + std::to_string(r) + ":A" + std::to_string(r + 4) + ")", kRefStyleA1));
    EXPECT_EQ(s.f().parsedFormCount(), 1u);
    EXPECT_EQ(s.formula({2, 7}), s.formula({2, 30}));  // one text in R1C1
    EXPECT_EQ(s.f().formulaText({2, 7}, kRefStyleA1), "SUM(A7:A11)");
    EXPECT_EQ(s.text({2, 7}), "45");
    EXPECT_EQ(s.text({2, 40}), "210");
    // Changing one cell of the column leaves the others and their shared form alone.
    ASSERT_TRUE(s.f().setFormula({2, 7}, "A7*2", kRefStyleA1));
    EXPECT_EQ(s.f().parsedFormCount(), 2u);
    EXPECT_EQ(s.text({2, 7}), "14");
    EXPECT_EQ(s.text({2, 8}), "50");
    // A copy of the column, read again from the sheet's text, shares the same form.
    ASSERT_TRUE(s.copyBlock({2, 20, 2, 29}, {3, 1}));
    EXPECT_EQ(s.f().parsedFormCount(), 2u);
    EXPECT_EQ(s.f().formulaText({3, 1}, kRefStyleA1), "SUM(B1:B5)");
    // Forms no cell uses any more go when the formulas go.
    s.clearBlock({2, 1, 3, 60});
    EXPECT_EQ(s.f().formulaCount(), 0u);
    EXPECT_EQ(s.f().parsedFormCount(), 0u);
}

TEST(GridFormula, AColumnTypedRowByRowReadsEachFormulaAsWritten) {
    Calc s(6, 20);
    for (int r = 1; r <= 20; ++r) s.setText({1, r}, std::to_string(r * 10));
    // Each pair is typed at rows 1 and 2; the second differs from the first in one way only.
    struct Case {
        const char* first;
        const char* second;
        const char* secondA1;
        const char* secondText;
    };
    const Case cases[] = {
        {"A1+1", "A2+1", "A2+1", "21"},                         // the same formula one row down
        {"$A$1+A1", "$A$1+A2", "$A$1+A2", "30"},                // absolute parts stay
        {"LOG10(A1)", "LOG10(A2)", "LOG10(A2)", "1.30102999566398"},  // a name that looks like a reference
        {"LOG10(A1)", "LOG11(A2)", "LOG11(A2)", "#NAME?"},      // another name
        {"\"A1\"&A1", "\"A2\"&A2", "\"A2\"&A2", "A220"},    // references inside strings are text
        {"\"A1\"&A1", "\"A1\"&A2", "\"A1\"&A2", "A120"},
        {"A1+1E2", "A2+1E2", "A2+100", "120"},                  // an exponent is no reference
        {"A1+1", "A1+1", "A1+1", "11"},                         // the same text: another formula
        {"SUM(A1:A2)", "SUM(a2:A3)", "SUM(A2:A3)", "50"},
        {"SUM(A1:A2)", "SUM(A2:$A3)", "SUM(A2:$A3)", "50"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(s.f().setFormula({2, 1}, c.first, kRefStyleA1)) << c.first;
        ASSERT_TRUE(s.f().setFormula({2, 2}, c.second, kRefStyleA1)) << c.second;
        EXPECT_EQ(s.f().formulaText({2, 2}, kRefStyleA1), c.secondA1) << c.second;
        EXPECT_EQ(s.text({2, 2}), c.secondText) << c.second;
    }
    // Text that does not parse is refused whatever was typed before it.
    ASSERT_TRUE(s.f().setFormula({3, 1}, "A1+1", kRefStyleA1));
    EXPECT_FALSE(s.f().setFormula({3, 2}, "A2+", kRefStyleA1));
    EXPECT_FALSE(s.f().setFormula({3, 2}, "XFE2+1", kRefStyleA1));
    EXPECT_FALSE(s.f().setFormula({3, 2}, "1A+A2", kRefStyleA1));
    EXPECT_EQ(s.formula({3, 2}), "");
}

TEST(GridFormula, AChangeRecalculatesExactlyTheRangesThatHoldTheCell) {
    Calc s(4, 40);
    std::vector<int> calls(41, 0);
    // A registered function counts the calculations of each row's formula.
    s.f().registerFunction("SEEN", 1, 1, 0, [&](const CustomCall& call, FunctionValue& out, std::span<const FunctionValue> args) {
        ++calls[static_cast<std::size_t>(call.cell.row)];
        out.status = FunctionValue::ok;
        out.type = FunctionValue::doubleValue;
        out.asDouble = args[0].type == FunctionValue::longValue ? args[0].asLong : args[0].asDouble;
        return true;
    });
    for (int r = 1; r <= 40; ++r) s.setText({1, r}, "1");
    s.setText({2, 3}, "10");
    // Entered from the bottom, so the ranges watched in a column arrive out of order.
    for (int r = 35; r >= 1; --r) {
        const std::string row = std::to_string(r), last = std::to_string(r + 3);
        ASSERT_TRUE(s.f().setFormula({3, r}, "SEEN(SUM(A" + row + ":B" + last + "))", kRefStyleA1));
    }
    EXPECT_EQ(s.text({3, 1}), "14");
    EXPECT_EQ(s.text({3, 4}), "4");
    std::fill(calls.begin(), calls.end(), 0);
    s.setText({1, 20}, "5");  // under the windows of rows 17..20 only
    for (int r = 1; r <= 35; ++r) EXPECT_EQ(calls[static_cast<std::size_t>(r)], r >= 17 && r <= 20 ? 1 : 0) << r;
    EXPECT_EQ(s.text({3, 17}), "8");
    EXPECT_EQ(s.text({3, 21}), "4");
    std::fill(calls.begin(), calls.end(), 0);
    s.setText({2, 1}, "x");  // the second column of the windows: row 1 only
    for (int r = 1; r <= 35; ++r) EXPECT_EQ(calls[static_cast<std::size_t>(r)], r == 1 ? 1 : 0) << r;
    EXPECT_EQ(s.text({3, 1}), "14");
    s.setText({4, 2}, "1");  // beside the windows: nothing
    for (int r = 1; r <= 35; ++r) EXPECT_EQ(calls[static_cast<std::size_t>(r)], r == 1 ? 1 : 0) << r;
}

TEST(GridFormula, NumbersReadBeforeAreReadAgainAfterEveryKindOfWrite) {
    Calc s;
    s.setText({1, 1}, "5");
    s.setText({1, 2}, "7");
    ASSERT_TRUE(s.f().setFormula({2, 1}, "SUM(A1:A2)+COUNT(A1:A2)", kRefStyleA1));
    EXPECT_EQ(s.text({2, 1}), "14");
    s.setText({1, 1}, "x");  // a text now
    EXPECT_EQ(s.text({2, 1}), "8");
    s.setValue({1, 1}, "2.5");
    EXPECT_EQ(s.text({2, 1}), "11.5");
    // A formula written into a read cell, then taken away again: the cell is empty after.
    ASSERT_TRUE(s.f().setFormula({1, 1}, "1+1", kRefStyleA1));
    EXPECT_EQ(s.text({2, 1}), "11");
    ASSERT_TRUE(s.f().setFormula({1, 1}, "", kRefStyleA1));
    EXPECT_EQ(s.text({2, 1}), "8");
    s.setText({1, 1}, "3");
    EXPECT_EQ(s.text({2, 1}), "12");
    ASSERT_TRUE(s.copyBlock({1, 2, 1, 2}, {1, 1}));  // a copy over it
    EXPECT_EQ(s.text({2, 1}), "16");
    ASSERT_TRUE(s.swapBlocks({1, 1, 1, 1}, {3, 3}));  // swapped with an empty cell
    EXPECT_EQ(s.text({2, 1}), "8");
    s.clearBlock({1, 1, 1, 2});
    EXPECT_EQ(s.text({2, 1}), "0");
    s.setText({1, 2}, "4");
    ASSERT_TRUE(s.insertRows(1));  // everything moves down a row; the formula with it
    EXPECT_EQ(s.f().formulaText({2, 2}, kRefStyleA1), "SUM(A2:A3)+COUNT(A2:A3)");
    s.setText({1, 2}, "6");
    EXPECT_EQ(s.text({2, 2}), "12");
    s.setText({1, 3}, "100");
    EXPECT_EQ(s.text({2, 2}), "108");
}

// A column of sums filled row by row is calculated as one block on change; the cells under it are
// found by bands of rows. Every change must leave the same results as a full recalculation.
TEST(GridFormula, ChangesUnderAFilledColumnOfSumsMatchAFullRecalculation) {
    constexpr int kRows = 200, kSums = 190;
    Calc s(5, kRows + 5);
    std::vector<std::optional<double>> a(kRows + 1);
    for (int r = 1; r <= kRows; ++r) {
        s.setText({1, r}, std::to_string(r));
        a[static_cast<std::size_t>(r)] = r;
    }
    for (int r = 1; r <= kSums; ++r) {
        ASSERT_TRUE(s.f().setFormula({2, r}, "SUM(A" + std::to_string(r) + ":A" + std::to_string(r + 9) + ")", kRefStyleA1));
    }
    // Ranges starting in the same rows as the sums' (a band no longer holds one range a row), and cells
    // referred to both alone and in a range.
    for (int r = 60; r <= 70; ++r) {
        ASSERT_TRUE(s.f().setFormula({3, r}, "MAX(A" + std::to_string(r) + ":A" + std::to_string(r + 4) + ")", kRefStyleA1));
    }
    ASSERT_TRUE(s.f().setFormula({4, 1}, "A64*2+SUM(A60:A66)", kRefStyleA1));
    ASSERT_TRUE(s.f().setFormula({4, 2}, "A128+SUM(A127:A129)", kRefStyleA1));
    ASSERT_TRUE(s.f().setFormula({4, 3}, "B100+1", kRefStyleA1));
    auto number = [&](int r) { return a[static_cast<std::size_t>(r)].value_or(0); };
    auto check = [&](const std::string& when) {
        for (int r = 1; r <= kSums; ++r) {
            if (!s.hasFormula({2, r})) continue;
            double sum = 0;
            for (int k = r; k <= r + 9; ++k) sum += number(k);
            EXPECT_EQ(s.numericValue({2, r}), sum) << when << " row " << r;
        }
        for (int r = 60; r <= 70; ++r) {
            std::optional<double> best;
            for (int k = r; k <= r + 4; ++k) {
                if (a[static_cast<std::size_t>(k)] && (!best || *a[static_cast<std::size_t>(k)] > *best)) best = a[static_cast<std::size_t>(k)];
            }
            EXPECT_EQ(s.numericValue({3, r}), best.value_or(0)) << when << " row " << r;
        }
        double d1 = number(64) * 2, d2 = number(128);
        for (int k = 60; k <= 66; ++k) d1 += number(k);
        for (int k = 127; k <= 129; ++k) d2 += number(k);
        EXPECT_EQ(s.numericValue({4, 1}), d1) << when;
        EXPECT_EQ(s.numericValue({4, 2}), d2) << when;
    };
    check("entered");
    struct Change {
        int row;
        const char* text;
        std::optional<double> value;
    };
    // The first and last windows of the block, band edges (rows 63/64/65, 127/128), a text over a
    // number, an emptied cell, and numbers read by the quick and the general way.
    const Change changes[] = {{1, "1000", 1000},  {199, "-42", -42},  {200, "5", 5},       {63, "007", 7},
                              {64, "-0", -0.0},  {65, "  5", 5},      {127, "+5", 5},     {128, "1e3", 1000},
                              {70, "x", std::nullopt},  {71, "", std::nullopt},  {66, "123456789012345", 123456789012345.0},
                              {100, "-98765432109876", -98765432109876.0}, {129, "-123456789012345", -123456789012345.0}};
    for (const Change& c : changes) {
        s.setText({1, c.row}, c.text);
        a[static_cast<std::size_t>(c.row)] = c.value;
        check(std::string("A") + std::to_string(c.row) + " = '" + c.text + "'");
    }
    // A sum overwritten by a number: its dependents follow; the block is found again after it.
    EXPECT_EQ(s.text({4, 3}), s.text({2, 100}).empty() ? "1" : std::to_string(static_cast<long long>(*s.numericValue({2, 100}) + 1)));
    s.setText({2, 100}, "7");
    EXPECT_FALSE(s.hasFormula({2, 100}));
    EXPECT_EQ(s.text({4, 3}), "8");
    s.setText({1, 95}, "3");
    a[95] = 3;
    check("a sum overwritten");
    ASSERT_TRUE(s.f().setFormula({2, 100}, "SUM(A100:A109)", kRefStyleA1));
    s.setText({1, 104}, "11");
    a[104] = 11;
    check("the sum written back");
    EXPECT_TRUE(s.f().recalcAll());
    check("recalculated");
}

// Whole numbers written into a cell are read digit by digit: the same value as the general reading.
TEST(GridFormula, NumbersReadQuicklyReadAsTheGeneralReadingDoes) {
    auto general = [](std::string_view t) -> std::optional<double> {
        while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
        while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
        if (!t.empty() && t.front() == '+') t.remove_prefix(1);
        double v = 0;
        const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
        if (t.empty() || ec != std::errc() || end != t.data() + t.size() || !std::isfinite(v)) return std::nullopt;
        return v;
    };
    Calc s;
    ASSERT_TRUE(s.f().setFormula({2, 1}, "SUM(A1)", kRefStyleA1));
    ASSERT_TRUE(s.f().setFormula({3, 1}, "COUNT(A1)", kRefStyleA1));
    for (const char* t : {"0", "-0", "007", "5", "-5", "123456789012345", "-123456789012345", "999999999999999",
                          "1234567890123456", "9007199254740993", "99999999999999999999", "-", "", "--1", "-+1", "12a",
                          "1 ", " 1", "+7", "1.5", "0x10", "1e400"}) {
        s.setText({1, 1}, t);
        const auto expected = general(t);
        EXPECT_EQ(s.text({3, 1}), expected ? "1" : "0") << "'" << t << "'";
        // Results show 15 digits: a longer number is compared by what is left after a subtraction.
        if (expected && std::abs(*expected) >= 1e15) {
            const bool huge = *expected >= 1e19;
            const double near = huge ? 1e20 : std::floor(*expected / 10) * 10;
            const std::string literal = huge ? "1E20" : std::to_string(static_cast<long long>(near));
            ASSERT_TRUE(s.f().setFormula({4, 1}, "SUM(A1)-" + literal, kRefStyleA1));
            EXPECT_EQ(s.numericValue({4, 1}), *expected - near) << "'" << t << "'";
        } else {
            EXPECT_EQ(s.numericValue({2, 1}), expected.value_or(0)) << "'" << t << "'";
        }
    }
}

// Results are formatted into their cells only when a cell is read, written, moved or saved: each way
// of reading must give the text the result always had.
TEST(GridFormula, ResultsReadAsTheSameTextHoweverAndWheneverTheyAreRead) {
    struct Case {
        const char* formula;
        const char* text;
    };
    const Case cases[] = {
        {"6*7", "42"},
        {"1/3", "0.333333333333333"},
        {"0.1+0.2", "0.3"},
        {"-2.5", "-2.5"},
        {"2/3*1e20", "6.66666666666667e+19"},
        {"1e-7", "1e-07"},
        {"123456789012345", "123456789012345"},
        {"1234567890123456", "1.23456789012346e+15"},
        {"-0", "0"},
        {"1/0", "#DIV/0!"},
        {"SQRT(-1)", "#NUM!"},
        {"NOSUCH(1)", "#NAME?"},
        {"A1:A2", "#VALUE!"},
        {"1=1", "TRUE"},
        {"1<0", "FALSE"},
        {"\"ab\"&\"c\"", "abc"},
        {"\"\"", ""},
        {"LOG10(20)", "1.30102999566398"},
        {"D20+1", "#CIRC!"},
    };
    for (const bool automatic : {true, false}) {
        Calc s(6, 30);
        s.setSwitch(sw::autoCalc, automatic);
        int row = 1;
        for (const Case& c : cases) ASSERT_TRUE(s.f().setFormula({4, row++}, c.formula, kRefStyleA1)) << c.formula;
        ASSERT_TRUE(s.f().setFormula({4, 20}, "D19", kRefStyleA1));
        if (!automatic) {
            EXPECT_TRUE(s.f().recalcAll());
        }
        // Saved before any cell was read: the file holds every result.
        const std::string saved = SheetFile::serialize(s);
        Calc loaded;
        ASSERT_TRUE(SheetFile::deserialize(saved, loaded));
        row = 1;
        for (const Case& c : cases) {
            EXPECT_EQ(loaded.text({4, row}), c.text) << c.formula << (automatic ? " automatic" : " recalculated");
            EXPECT_EQ(s.value({4, row}), c.text) << c.formula;
            EXPECT_EQ(s.text({4, row}), c.text) << c.formula;
            ++row;
        }
        EXPECT_EQ(s.numericValue({4, 3}), 0.3);
        // A dependent reads the typed result, not its text.
        ASSERT_TRUE(s.f().setFormula({5, 1}, "D2*3", kRefStyleA1));
        if (!automatic) {
            EXPECT_TRUE(s.f().recalcAll());
        }
        EXPECT_EQ(s.text({5, 1}), "1");
    }
}

// A column of sums filled down over a column of numbers is calculated as one block; its results must be
// the ones each formula gives alone, to the bit, through every change.
TEST(GridFormula, AFilledColumnCalculatedAsOneBlockMatchesEachFormulaAlone) {
    constexpr int kRows = 70;
    Calc s(8, kRows + 10);
    s.setSwitch(sw::autoCalc, false);
    auto number = [](int r) { return std::to_string(0.1 * r + 0.001 * r * r) + (r % 7 == 0 ? "e3" : ""); };
    for (int r = 1; r <= kRows - 5; ++r) s.setText({1, r}, number(r));
    // Column by column, as a user fills them.
    auto fill = [&](int col, auto formula) {
        for (int r = 1; r <= kRows; ++r) {
            const std::string row = std::to_string(r), window = "(A" + row + ":A" + std::to_string(r + 4) + ")";
            ASSERT_TRUE(s.f().setFormula({col, r}, formula(row, window), kRefStyleA1)) << col << " " << r;
        }
    };
    fill(2, [](const std::string&, const std::string& window) { return "SUM" + window; });
    // The same sum through the evaluator (adding zero changes no sum): the two must not differ.
    fill(3, [](const std::string&, const std::string& window) { return "SUM" + window + "+0"; });
    fill(4, [](const std::string& row, const std::string&) { return "B" + row + "-C" + row; });
    fill(5, [](const std::string&, const std::string& window) { return "AVERAGE" + window; });
    fill(6, [](const std::string&, const std::string& window) { return "COUNT" + window; });
    fill(7, [](const std::string& row, const std::string&) { return "MAX(A$1:A" + row + ")"; });  // growing ranges
    fill(8, [](const std::string& row, const std::string& window) { return "E" + row + "-(AVERAGE" + window + "+0)"; });
    auto check = [&](const char* when) {
        for (int r = 1; r <= kRows; ++r) {
            EXPECT_EQ(s.text({4, r}), "0") << when << " row " << r << ": " << s.text({2, r}) << " vs " << s.text({3, r});
            int count = 0;
            double best = 0;
            bool any = false;
            for (int k = r; k <= r + 4; ++k) {
                if (s.numericValue({1, k}) && !s.text({1, k}).empty() && s.text({1, k}) != "x") ++count;
            }
            for (int k = 1; k <= r; ++k) {
                if (const auto v = s.numericValue({1, k}); v && !s.text({1, k}).empty() && s.text({1, k}) != "x") {
                    best = any ? std::max(best, *v) : *v;
                    any = true;
                }
            }
            EXPECT_EQ(s.text({6, r}), std::to_string(count)) << when << " row " << r;
            EXPECT_EQ(s.text({8, r}), count == 0 ? "#DIV/0!" : "0") << when << " row " << r;
            if (count == 0) {
                EXPECT_EQ(s.text({2, r}), "0") << when << " row " << r;
            }
            EXPECT_EQ(s.numericValue({7, r}).value_or(-1), best) << when << " row " << r;
        }
    };
    EXPECT_TRUE(s.f().recalcAll());
    check("first calculation");
    // Precedents change under the block: a text, an emptied cell, a new number; calculated as they change.
    s.setSwitch(sw::autoCalc, true);
    s.setText({1, 10}, "x");
    s.clearBlock({1, 12, 1, 12});
    s.setText({1, 30}, "-1e300");
    s.setText({1, 31}, "1e300");
    check("after changes");
    EXPECT_EQ(s.text({6, 8}), "3");
    // Added in row order: what comes before -1e300 is lost in it, what comes after 1e300 is kept.
    EXPECT_EQ(s.text({2, 26}), "-1e+300");
    EXPECT_EQ(s.text({2, 27}), "0");
    EXPECT_EQ(s.numericValue({2, 28}), s.numericValue({1, 32}));
    EXPECT_TRUE(s.f().recalcAll());
    check("calculated again");
    // A formula of the column replaced and put back: the block is found again.
    ASSERT_TRUE(s.f().setFormula({2, 20}, "1", kRefStyleA1));
    ASSERT_TRUE(s.f().setFormula({2, 20}, "SUM(A20:A24)", kRefStyleA1));
    s.setText({1, 22}, "5");
    EXPECT_TRUE(s.f().recalcAll());
    check("refilled");
}

TEST(GridFormula, ResultsNotYetReadMoveWithTheirCells) {
    Calc s(6, 40);
    s.setSwitch(sw::autoCalc, false);
    for (int r = 1; r <= 30; ++r) s.setText({1, r}, std::to_string(r));
    for (int r = 1; r <= 20; ++r)
        ASSERT_TRUE(s.f().setFormula({2, r}, "SUM(A" + std::to_string(r) + ":A" + std::to_string(r + 2) + ")", kRefStyleA1));
    ASSERT_TRUE(s.f().setFormula({3, 1}, "\"n\"&B1", kRefStyleA1));
    EXPECT_TRUE(s.f().recalcAll());
    // Moved before any was read, and not calculated again: each result is where its cell went.
    ASSERT_TRUE(s.insertRows(1, 2));
    EXPECT_EQ(s.text({2, 3}), "6");
    EXPECT_EQ(s.text({2, 22}), "63");
    EXPECT_EQ(s.text({3, 3}), "n6");
    ASSERT_TRUE(s.insertCols(1));
    EXPECT_EQ(s.text({3, 4}), "9");
    ASSERT_TRUE(s.deleteRows(3));  // the text formula goes
    EXPECT_EQ(s.text({3, 3}), "9");
    EXPECT_EQ(s.text({4, 3}), "");
    ASSERT_TRUE(s.deleteCols(1));  // the inserted column goes again
    EXPECT_EQ(s.text({2, 3}), "9");
    EXPECT_EQ(s.f().formulaText({2, 3}, kRefStyleA1), "SUM(A3:A5)");
    // A copy takes the result with it; a shrinking sheet keeps the results of what stays.
    EXPECT_TRUE(s.f().recalcAll());
    ASSERT_TRUE(s.copyBlock({2, 3, 2, 3}, {5, 3}));
    EXPECT_EQ(s.text({5, 3}), s.text({2, 3}));
    EXPECT_TRUE(s.f().recalcAll());
    ASSERT_TRUE(s.setRowCount(10));
    ASSERT_TRUE(s.setColCount(3));
    EXPECT_EQ(s.text({2, 3}), "9");  // rows 3..5 hold 2..4 since the delete
    EXPECT_EQ(s.text({2, 4}), "12");
    // A pending result written over reads as what was written.
    EXPECT_TRUE(s.f().recalcAll());
    s.setText({2, 4}, "over");
    EXPECT_EQ(s.text({2, 4}), "over");
    EXPECT_EQ(s.formula({2, 4}), "");
}

TEST(GridFormula, TextResultsReadOnByTheirDependents) {
    Calc s;
    ASSERT_TRUE(s.f().setFormula({1, 1}, "\"ab\"&\"cd\"", kRefStyleA1));
    ASSERT_TRUE(s.f().setFormula({2, 1}, "LEN(A1)&A1", kRefStyleA1));
    EXPECT_EQ(s.text({2, 1}), "4abcd");
    ASSERT_TRUE(s.f().setFormula({1, 1}, "\"12\"", kRefStyleA1));  // a text that reads as a number
    EXPECT_EQ(s.text({2, 1}), "212");
    ASSERT_TRUE(s.f().setFormula({3, 1}, "ISTEXT(A1)&ISNUMBER(A1)&COUNT(A1)", kRefStyleA1));
    EXPECT_EQ(s.text({3, 1}), "TRUEFALSE0");
    ASSERT_TRUE(s.f().setFormula({1, 1}, "12", kRefStyleA1));
    EXPECT_EQ(s.text({3, 1}), "FALSETRUE1");
}

TEST(GridFormula, InsertedRowsAndCopiesKeepFormulasConsistent) {
    Calc s;
    s.setText({1, 1}, "2");
    ASSERT_TRUE(s.f().setFormula({1, 2}, "A1*3", kRefStyleA1));
    ASSERT_TRUE(s.insertRows(1));
    // Both cells moved down together, so the relative reference still finds its precedent.
    EXPECT_EQ(s.f().formulaText({1, 3}, kRefStyleA1), "A2*3");
    s.setText({1, 2}, "5");
    EXPECT_EQ(s.text({1, 3}), "15");
    // Copying a column of formulas: each copy calculates from its own neighbours.
    s.setText({2, 2}, "10");
    ASSERT_TRUE(s.copyBlock({1, 3, 1, 3}, {2, 3}));
    EXPECT_EQ(s.text({2, 3}), "30");
    ASSERT_TRUE(s.deleteRows(1, 2));
    EXPECT_EQ(s.f().formulaText({1, 1}, kRefStyleA1), "#REF!*3");
    EXPECT_EQ(s.text({1, 1}), "#REF!");
    s.reset();
    EXPECT_EQ(s.f().formulaCount(), 0u);
}

TEST(GridFormula, CircularReferencesGiveAnErrorAndEnd) {
    Calc s;
    ASSERT_TRUE(s.f().setFormula({1, 1}, "A1+1", kRefStyleA1));
    EXPECT_EQ(s.text({1, 1}), "#CIRC!");
    ASSERT_TRUE(s.f().setFormula({2, 1}, "B3", kRefStyleA1));
    ASSERT_TRUE(s.f().setFormula({2, 2}, "B1", kRefStyleA1));
    ASSERT_TRUE(s.f().setFormula({2, 3}, "B2+1", kRefStyleA1));
    EXPECT_TRUE(s.f().recalcAll());
    for (int r = 1; r <= 3; ++r) EXPECT_EQ(s.text({2, r}), "#CIRC!") << r;
    ASSERT_TRUE(s.f().setFormula({3, 1}, "B2*2", kRefStyleA1));  // outside the cycle, fed by it
    EXPECT_EQ(s.text({3, 1}), "#CIRC!");
    // Breaking the cycle heals it.
    s.setText({2, 3}, "4");
    EXPECT_EQ(s.text({2, 1}), "4");
    EXPECT_EQ(s.text({3, 1}), "8");
    ASSERT_TRUE(s.f().setFormula({4, 1}, "SUM(D1:D3)", kRefStyleA1));
    EXPECT_EQ(s.text({4, 1}), "#CIRC!");
}

TEST(GridFormula, LongChainsCalculateWithoutDeepRecursion) {
    Calc s(2, 100000);
    s.setSwitch(sw::autoCalc, false);
    s.setText({1, 1}, "1");
    // Entered from the end, so that the first cell calculated needs the whole chain before it.
    for (int r = 100000; r >= 2; --r) ASSERT_TRUE(s.f().setFormula({1, r}, "R[-1]C+1", kRefStyleR1C1, false));
    EXPECT_TRUE(s.f().recalcCell({1, 100000}));
    EXPECT_EQ(s.text({1, 100000}), "100000");
    s.setSwitch(sw::autoCalc, true);
    s.setText({1, 1}, "0");
    EXPECT_EQ(s.text({1, 100000}), "99999");
}

// ---- registered functions ----

struct Recorded {
    std::vector<FunctionValue> args;
    int calls = 0;
    CellRef cell;
};

TEST(GridFormula, RegisteredFunctionsReceiveEachArgumentType) {
    Calc s;
    s.setText({1, 1}, "12");
    s.setText({1, 2}, "word");
    Recorded rec;
    auto record = [&rec](const CustomCall& call, FunctionValue& r, std::span<const FunctionValue> a) {
        rec.args.assign(a.begin(), a.end());
        ++rec.calls;
        rec.cell = call.cell;
        r.status = FunctionValue::ok;
        r.type = FunctionValue::doubleValue;
        r.asDouble = 2.5;
        return true;
    };
    ASSERT_TRUE(s.f().registerFunction("REFS", 0, 9, kPassReferences, record));
    ASSERT_TRUE(s.f().registerFunction("VALS", 0, 9, 0, record));

    ASSERT_TRUE(s.f().setFormula({3, 3}, "REFS(A1,A1:B2,100,2.5,\"t\",A1*2,1/0,A9,TRUE,3000000000)", kRefStyleA1));
    EXPECT_EQ(rec.calls, 0);  // ten arguments are more than 9: no call, an empty cell
    EXPECT_EQ(s.text({3, 3}), "");
    ASSERT_TRUE(s.f().setFormula({3, 3}, "REFS(A1,A1:B2,100,2.5,\"t\",A1*2,1/0,A9,TRUE)", kRefStyleA1));
    ASSERT_EQ(rec.calls, 1);
    EXPECT_EQ(rec.cell, (CellRef{3, 3}));
    EXPECT_EQ(s.text({3, 3}), "2.5");
    const auto& a = rec.args;
    EXPECT_EQ(a[0].type, FunctionValue::cell);
    EXPECT_EQ(a[0].reference, (Block{1, 1, 1, 1}));
    EXPECT_EQ(a[1].type, FunctionValue::range);
    EXPECT_EQ(a[1].reference, (Block{1, 1, 2, 2}));
    EXPECT_EQ(a[2].type, FunctionValue::longValue);
    EXPECT_EQ(a[2].asLong, 100);
    EXPECT_EQ(a[3].type, FunctionValue::doubleValue);
    EXPECT_EQ(a[3].asDouble, 2.5);
    EXPECT_EQ(a[4].type, FunctionValue::text);
    EXPECT_EQ(a[4].asText, "t");
    EXPECT_EQ(a[5].asLong, 24);  // an expression is evaluated
    EXPECT_EQ(a[6].status, FunctionValue::error);  // errors still reach the function
    EXPECT_EQ(a[6].asText, "#DIV/0!");
    EXPECT_EQ(a[7].type, FunctionValue::cell);  // an empty cell's reference is a reference too
    EXPECT_EQ(a[8].asLong, 1);

    // Without the flag a plain reference arrives as the value it refers to.
    ASSERT_TRUE(s.f().setFormula({3, 4}, "VALS(A1,A2,A9,3000000000)", kRefStyleA1));
    ASSERT_EQ(rec.args.size(), 4u);
    EXPECT_EQ(rec.args[0].type, FunctionValue::longValue);
    EXPECT_EQ(rec.args[0].asLong, 12);
    EXPECT_EQ(rec.args[1].asText, "word");
    EXPECT_EQ(rec.args[2].status, FunctionValue::empty);
    EXPECT_EQ(rec.args[3].type, FunctionValue::doubleValue);  // beyond 32 bits
    // References still count as precedents: a change reaches the function.
    ASSERT_TRUE(s.f().setFormula({3, 3}, "", kRefStyleA1));
    const int before = rec.calls;
    s.setText({1, 1}, "13");
    EXPECT_EQ(rec.calls, before + 1);
    EXPECT_EQ(rec.args[0].asLong, 13);
}

TEST(GridFormula, ResultsOfRegisteredFunctionsByStatusAndType) {
    Calc s;
    s.setText({5, 5}, "from cell");
    int mode = 0;
    ASSERT_TRUE(s.f().registerFunction("R", 0, 0, 0, [&mode](const CustomCall&, FunctionValue& r, std::span<const FunctionValue>) {
        switch (mode) {
        case 0: return true;  // status stays empty
        case 1: r.status = FunctionValue::error; return true;
        case 2: r.status = FunctionValue::ok; r.type = FunctionValue::cell; r.reference = {5, 5, 5, 5}; return true;
        case 3: r.status = FunctionValue::ok; r.type = FunctionValue::range; return true;
        case 4: r.status = FunctionValue::ok; r.type = FunctionValue::longValue; r.asLong = -7; return true;
        default: return false;
        }
    }));
    const char* expected[] = {"", "#VALUE!", "from cell", "#VALUE!", "-7", "#VALUE!"};
    for (mode = 0; mode < 6; ++mode) EXPECT_EQ(s.eval("R()"), expected[mode]) << mode;
    mode = 4;
    EXPECT_EQ(s.eval("R(1)"), "");  // too many arguments: empty, not called
}

TEST(GridFormula, NestingOfRegisteredFunctionsIsBounded) {
    // The function makes a new sheet whose formula calls the function again and calculates it, as a
    // look-up in a file that looks itself up does: only the nesting guard ends it.
    int calls = 0;
    int deepest = 0;
    std::function<bool(const CustomCall&, FunctionValue&, std::span<const FunctionValue>)> look;
    look = [&](const CustomCall& call, FunctionValue& r, std::span<const FunctionValue>) {
        ++calls;
        deepest = std::max(deepest, call.depth);
        Calc inner(2, 2);
        inner.setSwitch(sw::autoCalc, false);
        inner.f().registerFunction("LOOK", 0, 0, 0, look);
        inner.f().setFormula({1, 1}, "LOOK()", kRefStyleA1);
        inner.f().recalcCell({1, 1});
        r.status = FunctionValue::ok;
        r.type = FunctionValue::text;
        r.asText = inner.text({1, 1});
        return true;
    };
    Calc s;
    ASSERT_TRUE(s.f().registerFunction("LOOK", 0, 0, 0, look));
    ASSERT_TRUE(s.f().setFormula({1, 1}, "LOOK()", kRefStyleA1));
    EXPECT_EQ(calls, FormulaEngine::kMaxNesting);
    EXPECT_EQ(deepest, FormulaEngine::kMaxNesting - 1);
    EXPECT_EQ(s.text({1, 1}), "#DEPTH!");  // handed up from the innermost sheet
    // A calculation of a sheet that is calculating already is refused, not nested.
    calls = 0;
    ASSERT_TRUE(s.f().registerFunction("SELF", 0, 0, 0, [&](const CustomCall& c, FunctionValue&, std::span<const FunctionValue>) {
        ++calls;
        EXPECT_FALSE(c.sheet.formulas().recalcCell(c.cell));
        return true;
    }));
    ASSERT_TRUE(s.f().setFormula({2, 1}, "SELF()", kRefStyleA1));
    EXPECT_EQ(calls, 1);
}

TEST(GridFormula, WritesDuringACalculationRecalculateTheirDependentsOnce) {
    Calc s;
    int calls = 0;
    // The function writes into its own precedent, as a three-argument look-up does.
    ASSERT_TRUE(s.f().registerFunction("PUT", 1, 1, kPassReferences,
                                       [&](const CustomCall& c, FunctionValue& r, std::span<const FunctionValue> a) {
                                           ++calls;
                                           c.sheet.setText({a[0].reference.col1, a[0].reference.row1}, std::to_string(calls));
                                           EXPECT_FALSE(c.sheet.formulas().recalcAll());  // refused meanwhile
                                           r.status = FunctionValue::empty;
                                           return true;
                                       }));
    ASSERT_TRUE(s.f().setFormula({1, 1}, "PUT(B1)", kRefStyleA1));
    ASSERT_TRUE(s.f().setFormula({3, 1}, "B1*10", kRefStyleA1));
    EXPECT_EQ(calls, 2);  // the pass and one follow-up, then no more
    EXPECT_EQ(s.text({2, 1}), "2");
    EXPECT_EQ(s.text({3, 1}), "20");
    // A formula set and rows inserted from inside a calculation are taken in after it.
    bool grown = false;
    ASSERT_TRUE(s.f().registerFunction("GROW", 0, 0, 0, [&grown](const CustomCall& c, FunctionValue&, std::span<const FunctionValue>) {
        if (grown) return true;
        grown = true;
        c.sheet.formulas().setFormula({4, 4}, "1+1", kRefStyleA1);
        c.sheet.insertRows(10);
        return true;
    }));
    ASSERT_TRUE(s.f().setFormula({5, 5}, "GROW()", kRefStyleA1));
    EXPECT_EQ(s.f().formulaText({4, 4}, kRefStyleA1), "1+1");
    EXPECT_TRUE(s.f().recalcAll());
    EXPECT_EQ(s.text({4, 4}), "2");
    // A formula written from inside a calculation, then one of the same shape a row below it: the
    // second is its own formula, not the one written before the first.
    ASSERT_TRUE(s.f().setFormula({6, 1}, "A7*3", kRefStyleA1));
    ASSERT_TRUE(s.f().registerFunction("SHAPE", 0, 0, 0, [](const CustomCall& c, FunctionValue&, std::span<const FunctionValue>) {
        c.sheet.formulas().setFormula({6, 2}, "LEN(A8)", kRefStyleA1);
        return true;
    }));
    ASSERT_TRUE(s.f().setFormula({7, 1}, "SHAPE()", kRefStyleA1));
    s.setText({1, 9}, "abcd");
    ASSERT_TRUE(s.f().setFormula({6, 3}, "LEN(A9)", kRefStyleA1));
    EXPECT_EQ(s.f().formulaText({6, 3}, kRefStyleA1), "LEN(A9)");
    EXPECT_EQ(s.text({6, 3}), "4");
}

}  // namespace
}  // namespace vtl::grid
