#pragma once
// Text and array functions shared by the add-on: splitting and joining on a separator, tables of rows,
// number tests, unused names, small arrays and sorting.
//
// A separator given as `char` above 127 is read as a Windows-1252 character, so '\xBF' (the separator of
// stock files) means '¿'; the char32_t forms take any character.
#include <optional>
#include <type_traits>

#include "host/ac_array.h"
#include "vtlbase/export.h"
#include "vtlbase/vtl_array.h"
#include "vtlbase/vtl_string.h"
#include "vtlbase/vtl_string_array.h"

// Splits text at every separator; empty fields are kept ("a;;b" gives three fields, "a;" two), and the
// empty text gives no fields. The array is replaced.
VTLBASE_API void strToArr(const Vtl_String& text, char separator, Vtl_StringArray& fields);
VTLBASE_API void strToArr(const Vtl_String& text, char32_t separator, Vtl_StringArray& fields);
// Joins the fields with the separator, without escaping.
VTLBASE_API Vtl_String arrToStr(const Vtl_StringArray& fields, char separator);
VTLBASE_API Vtl_String arrToStr(const Vtl_StringArray& fields, char32_t separator);
// Each line split into one row (a cell holding the separator becomes two cells); the table is replaced.
VTLBASE_API void arrToArrArr(const Vtl_StringArray& lines, char separator, Vtl_Array<Vtl_StringArray>& rows);
VTLBASE_API void arrToArrArr(const Vtl_StringArray& lines, char32_t separator, Vtl_Array<Vtl_StringArray>& rows);
// Each row joined into one line; the lines are replaced.
VTLBASE_API void arrArrToArr(const Vtl_Array<Vtl_StringArray>& rows, char separator, Vtl_StringArray& lines);
VTLBASE_API void arrArrToArr(const Vtl_Array<Vtl_StringArray>& rows, char32_t separator, Vtl_StringArray& lines);

// The whole text (blanks around it aside) is a decimal number: an optional sign, digits, and an optional
// fraction ("12", "-3.5", "+.5", "7."); no exponent, nothing else.
VTLBASE_API bool isNumber(const Vtl_String& text);
// The number such a text holds; nothing for any other text.
VTLBASE_API std::optional<double> parseNumber(const Vtl_String& text);
// The text begins with a number: a digit, or a sign or '.' directly followed by a digit (or sign, '.' and
// a digit).
VTLBASE_API bool startsWithNumber(const Vtl_String& text);
// Finds the first number in the text: a run of digits, with a '.' inside it when digits follow the '.'.
// Gives its position and length in characters ("HEA 100" gives 4 and 3); false when there is none.
VTLBASE_API bool findFirstNumbers(const Vtl_String& text, int& position, int& count);
// The text without the digits at its end ("Corner2" gives "Corner"); a text of digits only is returned
// whole, so a label never becomes empty.
VTLBASE_API Vtl_String stripNumbersAtEnd(const Vtl_String& text);
// A name that is not in the array, compared without regard to case (the names become file names): base
// itself when unused, else base + "_" + n for the smallest n = 1, 2, ... not in use.
VTLBASE_API Vtl_String findNonExistingString(const Vtl_StringArray& names, const Vtl_String& base);
// True when two entries are equal.
VTLBASE_API bool hasDuplicates(const Vtl_StringArray& texts, bool caseSensitive = true);
// Each text as a number ('.' decimals, whatever the locale); a text that is not a number gives 0.
VTLBASE_API void atof(const Vtl_StringArray& texts, AcArray<double>& values);

// Small arrays from up to five items.
template <class... Texts>
    requires(sizeof...(Texts) <= 5 && (std::is_convertible_v<const Texts&, Vtl_String> && ...))
Vtl_StringArray stringArr(const Texts&... texts) {
    Vtl_StringArray out;
    (out.append(Vtl_String(texts)), ...);
    return out;
}
template <class... Ints>
    requires(sizeof...(Ints) <= 5 && (std::is_integral_v<Ints> && ...))
AcArray<int> intArr(Ints... values) {
    AcArray<int> out;
    (out.append(static_cast<int>(values)), ...);
    return out;
}

// Natural order: texts compared character by character, runs of digits by their value ("M9" before
// "M10"), letters without regard to case first and then exactly, so the order is total and stable.
VTLBASE_API int naturalCompare(const Vtl_String& a, const Vtl_String& b);
// Sorts the keys ascending and moves each payload entry (an index, say) with its key; equal keys keep their
// order. Arrays of different lengths are left unchanged and give false.
VTLBASE_API bool ObjectExportSort(AcArray<double>& keys, AcArray<int>& payload);
// Inserts text at its place in an array sorted in natural order (after entries equal to it) and returns
// that position.
VTLBASE_API int ObjectExportAddToSorted(Vtl_StringArray& sorted, const Vtl_String& text);
// Sorts texts in natural order (stable).
VTLBASE_API void sortNatural(Vtl_StringArray& texts);
